// JScript (a modern JavaScript engine) through the Active Scripting bridge.
function Main() {
  var list = TStringList.Create();
  ["delta", "alpha", "charlie", "bravo"].forEach(function (w) { list.Add(w); });
  list.Sort();
  MessageList.Lines.Add("JScript sorted: " + list.CommaText);
  list.Free();
}
