// String building by repeated concatenation.
function Main() {
  var total = 0, s = "";
  for (var i = 1; i <= 2500000; i++) {
    s = s + "ab";
    if (s.length >= 1000) {
      total += s.length;
      s = "";
    }
  }
  print(total + s.length);
}
