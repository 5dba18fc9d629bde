-- A runtime error reports its line; Lua gives no column, so the position is where the line's
-- statement begins.
function Main()
  MessageList.Lines:Add("before")
  local t = nil
    print(t.field)
  MessageList.Lines:Add("after")
end

--[[
{ expect:
before
}
{ expect-error: attempt to index a nil value (local 't') at line 6 pos 5 }
]]
