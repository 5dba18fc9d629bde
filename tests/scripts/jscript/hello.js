// Output through the host's message list, from the global code and from Main.
MessageList.Lines.Add("global code");

function Main() {
  MessageList.Lines.Add("Hello from JScript");
  MessageList.Lines.Add(1 + 2);
  MessageList.Lines.Add(2.5);
  MessageList.Lines.Add(true);
  MessageList.Lines.Add("Grüße, 日本");
}

/*
{ expect:
global code
Hello from JScript
3
2.5
True
Grüße, 日本
}
*/
