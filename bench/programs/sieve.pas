// Sieve of Eratosthenes over a large array, repeated.
function Sieve(n);
var flags, i, j, count;
begin
  flags := array[n] of Boolean;
  for i := 2 to n do flags[i] := True;
  count := 0;
  for i := 2 to n do
    if flags[i] then
    begin
      count := count + 1;
      j := i + i;
      while j <= n do
      begin
        flags[j] := False;
        j := j + i;
      end;
    end;
  Result := count;
end;

procedure Main;
var k, count;
begin
  for k := 1 to 5 do count := Sieve(1000000);
  MessageList.Lines.Add(count);
end;
