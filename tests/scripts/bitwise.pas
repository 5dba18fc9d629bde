// and, or and not are bitwise on integers and logical (short-circuit) on Booleans.
procedure Put(x); begin MessageList.Lines.Add(x) end;

var Evaluated = 0;

function Probe(v);
begin
  Evaluated := Evaluated + 1;
  Result := v;
end;

procedure Main;
var Shift, Flags, Ready;
begin
  Put(6 and 3);
  Put($0F or $F0);
  Shift := 5;
  if (Shift and 4) <> 0 then Put('bit 2 set');
  if (Shift and 2) <> 0 then Put('bit 1 set');
  Flags := Shift or 8;
  Put(Flags);
  Put(not 4);
  if not 4 then Put('not 4 is -5, so true') else Put('wrong');
  Ready := False;
  if Ready and Probe(True) then Put('wrong');
  Ready := True;
  if Ready or Probe(True) then Put('short-circuit');
  Put(Evaluated);
  if (Shift > 0) and Probe(True) then Put('both true');
  Put(Evaluated);
end;

{ expect:
2
255
bit 2 set
13
-5
not 4 is -5, so true
short-circuit
0
both true
1
}
