// A host exception raised inside a member call is a JavaScript Error, caught with try/catch;
// uncaught, it leaves with the host's message and the line of the call.
function Main() {
  var items = TStringList.Create();
  try {
    items[3];
  } catch (e) {
    MessageList.Lines.Add("caught: " + e.message);
  }
  items.Free(); var x = MessageList.Lines[7];
}

/*
{ expect:
caught: List index out of bounds (3)
}
{ expect-error: List index out of bounds (7) at line 10 pos 3 }
*/
