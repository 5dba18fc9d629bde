// Local constants and variable initializers run on every call; recursion keeps its own.
procedure Put(x); begin MessageList.Lines.Add(x) end;

var Calls = 0;

function Depth(n);
const Step = 1; Half = n div 2;
var mine = n * 10, other;
begin
  Calls := Calls + Step;
  if n > 0 then other := Depth(n - 1);
  Result := mine + Half;
end;

procedure Main;
begin
  Put(Depth(4));
  Put(Calls);
end;

{ expect:
42
5
}
