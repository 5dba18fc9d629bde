// Elements of arrays held by locals, parameters and globals: read and written in place,
// converted to the element type, bounds checked.
procedure Put(x); begin MessageList.Lines.Add(x) end;

var Shared;

function SumOf(a; n);
var i;
begin
  Result := 0;
  for i := 1 to n do Result := Result + a[i];
end;

procedure Main;
var flags, nums, items, i, count;
begin
  flags := array[10] of Boolean;
  for i := 2 to 10 do flags[i] := True;
  flags[4] := False;
  count := 0;
  for i := 0 to 10 do if flags[i] then count := count + 1;
  Put(count);
  nums := array[1..5] of Integer;
  for i := 1 to 5 do nums[i] := i * 10;
  nums[2] := '7';          // converted to the element type
  Put(SumOf(nums, 5));
  Put(nums[2.0]);          // a non-integer index takes the general path
  items := array[3];
  items[0] := 'one';
  items[1] := 2;
  items[2] := items[0] + '!';
  items[0] := 'uno';       // replacing a string element leaves the other copy alone
  Put(items[0] + ' ' + items[2]);
  Put(items[1]);
  Shared := array[2];
  Shared[1] := 'global';
  Put(Shared[1]);
  Put(nums[6]);
end;

{ expect:
8
137
7
uno one!
2
global
}
{ expect-error: Variant or safe array index out of bounds at line 38 pos 13 }
