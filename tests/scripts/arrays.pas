// Array constructors with bounds and element types, indexing and element assignment.
procedure Put(x); begin MessageList.Lines.Add(x) end;

function Squares(n);
var i;
begin
  Result := array[n];
  for i := 0 to n do Result[i] := i * i;
end;

procedure Main;
var a, grid, i, sum;
begin
  a := Squares(5);
  sum := 0;
  for i := 0 to 5 do sum := sum + a[i];
  Put(sum);
  grid := array[1..3, 1..3] of Integer;
  for i := 1 to 3 do grid[i, i] := i;
  Put(grid[2, 2] + grid[3, 3] + grid[1, 3]);
end;

{ expect:
55
5
}
