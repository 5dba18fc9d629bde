-- A host exception raised inside a member call is a Lua error, caught with pcall; uncaught, it
-- leaves with the host's message and the line of the call.
function Main()
  local list = TStringList:Create()
  local ok, err = pcall(function() return list[3] end)
  MessageList.Lines:Add(tostring(ok))
  MessageList.Lines:Add(err)
  list:Free(); local x = MessageList.Lines[7]
end

--[[
{ expect:
false
script:5: List index out of bounds (3)
}
{ expect-error: List index out of bounds (7) at line 8 pos 3 }
]]
