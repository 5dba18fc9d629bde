// Recursion and calls to routines declared further down.
procedure Put(x); begin MessageList.Lines.Add(x) end;

procedure Main;
begin
  Put(Fact(12));
  Put(Fib(20));
  Put(IsEven(10));
  Put(IsEven(7));
end;

function Fact(n);
begin
  if n <= 1 then Result := 1 else Result := n * Fact(n - 1);
end;

function Fib(n);
begin
  if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2);
end;

function IsEven(n);
begin
  if n = 0 then Result := True else Result := IsOdd(n - 1);
end;

function IsOdd(n);
begin
  if n = 0 then Result := False else Result := IsEven(n - 1);
end;

{ expect:
479001600
6765
True
False
}
