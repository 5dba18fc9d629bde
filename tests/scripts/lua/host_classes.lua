-- A host class created and used from the script: methods with ':', properties as fields,
-- the default property with an index, indexed properties, identity of returned objects.
function Main()
  local list = TStringList:Create()
  list:Add("pear")
  list:Add("apple")
  list:Add("fig")
  list.Sorted = true
  MessageList.Lines:Add(list.Count)
  for i = 0, list.Count - 1 do
    MessageList.Lines:Add(list[i])
  end
  list.Sorted = false
  list.Strings[0] = "apricot"
  MessageList.Lines:Add(list.Strings[0])
  MessageList.Lines:Add(list:IndexOf("fig"))
  MessageList.Lines:Add(tostring(MessageList.Lines == MessageList.Lines))
  list:Free()
end

--[[
{ expect:
3
apple
fig
pear
apricot
1
true
}
]]
