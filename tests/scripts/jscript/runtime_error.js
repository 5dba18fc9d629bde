// A runtime error reports its line; V4 gives no column, so the position is where the line's
// statement begins.
function Main() {
  MessageList.Lines.Add("before");
  var t = null;
    MessageList.Lines.Add(t.field);
  MessageList.Lines.Add("after");
}

/*
{ expect:
before
}
{ expect-error: TypeError: Cannot read property 'field' of null at line 6 pos 5 }
*/
