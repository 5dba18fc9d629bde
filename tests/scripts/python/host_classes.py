# A host class created and used from the script: methods and properties as attributes, the
# default property with an index, indexed properties, identity of returned objects.
def Main():
    items = TStringList.Create()
    items.Add("pear")
    items.Add("apple")
    items.Add("fig")
    items.Sorted = True
    MessageList.Lines.Add(items.Count)
    for i in range(items.Count):
        MessageList.Lines.Add(items[i])
    items.Sorted = False
    items.Strings[0] = "apricot"
    MessageList.Lines.Add(items.Strings[0])
    MessageList.Lines.Add(items.IndexOf("fig"))
    MessageList.Lines.Add(str(MessageList.Lines is MessageList.Lines))
    items.Free()


"""
{ expect:
3
apple
fig
pear
apricot
1
True
}
"""
