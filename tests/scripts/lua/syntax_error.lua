-- A syntax error stops the script before anything runs; the position is the token Lua names.
MessageList.Lines:Add("never")
function Main()
  local x = 1 +
end

--[[
{ expect-error: unexpected symbol near 'end' at line 5 pos 1 }
]]
