// Host objects through the JScript engine's bridge: two million member calls on a string list
// (500,000 Add, then 500,000 rounds of L[i] read, Count, L[i] write), as hostlist.pas does.
function Main() {
  var n = 500000;
  var L = TStringList.Create();
  for (var i = 1; i <= n; i++) L.Add("item");
  var total = 0;
  for (var i = 0; i < n; i++) {
    total += L[i].length;
    if (L.Count == n) total += 1;
    L[i] = "x";
  }
  L.Free();
  print(total);
}
