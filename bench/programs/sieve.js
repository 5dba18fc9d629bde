// Sieve of Eratosthenes over a large array, repeated.
function sieve(n) {
  var flags = new Array(n + 1);
  flags[0] = flags[1] = false;
  for (var i = 2; i <= n; i++) flags[i] = true;
  var count = 0;
  for (var i = 2; i <= n; i++) {
    if (flags[i]) {
      count++;
      for (var j = i + i; j <= n; j += i) flags[j] = false;
    }
  }
  return count;
}

function Main() {
  var count;
  for (var k = 1; k <= 5; k++) count = sieve(1000000);
  print(count);
}
