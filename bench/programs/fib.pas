// Calls: naive recursive Fibonacci.
function Fib(n);
begin
  if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2);
end;

procedure Main;
begin
  MessageList.Lines.Add(Fib(33));
end;
