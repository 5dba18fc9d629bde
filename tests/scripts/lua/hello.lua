-- Output through the host's message list, from the global code and from Main.
MessageList.Lines:Add("global code")

function Main()
  MessageList.Lines:Add("Hello from Lua")
  MessageList.Lines:Add(1 + 2)
  MessageList.Lines:Add(2.5)
  MessageList.Lines:Add(true)
  MessageList.Lines:Add("Grüße, 日本")
end

--[[
{ expect:
global code
Hello from Lua
3
2.5
True
Grüße, 日本
}
]]
