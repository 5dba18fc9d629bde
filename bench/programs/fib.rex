/* Calls: naive recursive Fibonacci. */
say fib(33)
exit

/* The engine runs Main after the global code; the plain interpreter stops at exit above. */
Main:
  return

fib: procedure
  parse arg n
  if n < 2 then return n
  return fib(n - 1) + fib(n - 2)
