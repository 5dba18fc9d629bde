// Operator precedence, literal forms and string building.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Main;
var s;
begin
  Put(2 + 3 * 4);              // multiplying binds tighter
  Put(2 - 3 - 4);              // left to right
  Put(-2 * 3);
  Put(17 div 5 * 5 + 17 mod 5);
  Put(1 shl 4 or 1);           // (1 shl 4) or 1
  Put(10 / 4);
  Put($FF xor $0F);
  Put((1 < 2) = (3 < 4));
  s := 'a''b' + #33 + 'c';
  Put(s);
  Put('x' + 'y' = 'xy');
end;

{ expect:
14
-5
-6
17
17
2.5
240
True
a'b!c
True
}
