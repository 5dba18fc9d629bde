// var and out parameters change the caller's variable; plain ones do not.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Swap(var a; var b);
var t;
begin
  t := a;
  a := b;
  b := t;
end;

procedure Twice(out x; y);
begin
  x := x * 2;
  y := y * 2;
end;

var GlobalA = 'left', GlobalB = 'right';

procedure Main;
var p, q;
begin
  Swap(GlobalA, GlobalB);
  Put(GlobalA + ' ' + GlobalB);
  p := 5;
  q := 7;
  Twice(p, q);
  Put(p);
  Put(q);
  Twice(p + 0, q);
  Put(p);
  Inc(p);
  Inc(p, 10);
  Put(p);
end;

{ expect:
right left
10
7
10
21
}
