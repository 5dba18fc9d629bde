// A host class created and used from the script: methods and properties as members, the
// default property with an index, indexed properties, identity of returned objects.
function Main() {
  var items = TStringList.Create();
  items.Add("pear");
  items.Add("apple");
  items.Add("fig");
  items.Sorted = true;
  MessageList.Lines.Add(items.Count);
  for (var i = 0; i < items.Count; i++) MessageList.Lines.Add(items[i]);
  items.Sorted = false;
  items.Strings[0] = "apricot";
  MessageList.Lines.Add(items.Strings[0]);
  MessageList.Lines.Add(items.IndexOf("fig"));
  MessageList.Lines.Add(String(MessageList.Lines === MessageList.Lines));
  items.Free();
}

/*
{ expect:
3
apple
fig
pear
apricot
1
true
}
*/
