-- Lua, through the Active Scripting bridge: the same host objects, Lua's own syntax.
function Main()
  local words = TStringList:Create()
  for w in ("the quick brown fox"):gmatch("%a+") do words:Add(w) end
  words.Sorted = true
  MessageList.Lines:Add("Lua " .. _VERSION:sub(5) .. " sorted " .. words.Count .. " words: " .. words.CommaText)
  words:Free()
end
