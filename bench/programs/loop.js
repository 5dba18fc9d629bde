// Integer arithmetic in a loop.
function Main() {
  var s = 0;
  for (var i = 1; i <= 12000000; i++) s = (s + i * 7 - Math.floor(i / 3)) % 1000003;
  print(s);
}
