// Calls: naive recursive Fibonacci. JavaScript runs only inside the JScript engine (qelrun).
function fib(n) {
  return n < 2 ? n : fib(n - 1) + fib(n - 2);
}

function Main() {
  print(fib(33));
}
