-- Checks of bench_embed's TStringList binding for Lua: values cross intact,
-- host exceptions and misuse become Lua errors, freeing is idempotent.
local text = "h\u{E9}llo \u{2713} \u{1F600}"  -- two-, three- and four-byte UTF-8
local L = TStringList()
assert(L:Add(text) == 0)
assert(L:Add("") == 1)
assert(L:Get(0) == text, "UTF-8 -> UTF-16 -> UTF-8 round trip")
assert(L:Count() == 2)
L:Put(1, "x")
assert(L:Get(1) == "x")

local failures = {
  {function() L:Get(2) end, "EStringListError: List index out of bounds (2)"},
  {function() L:Put(-1, "y") end, "EStringListError: List index out of bounds (-1)"},
  {function() L:Get(2^40) end, "index out of range"},
  {function() L:Get(1.5) end, "number has no integer representation"},
  {function() L:Get("a") end, "number expected"},
  {function() L:Add({}) end, "string expected"},
  {function() L.Count({}) end, "TStringList expected"},
}
for i, case in ipairs(failures) do
  local ok, message = pcall(case[1])
  assert(not ok and message:find(case[2], 1, true), ("case %d: %s"):format(i, tostring(message)))
end

-- A host error carries the script position of the call.
local ok, message = pcall(function() return L:Get(9) end)
assert(not ok and message:find("binding%.lua:%d+: EStringListError"), message)

L:Free()
L:Free()
ok, message = pcall(L.Count, L)
assert(not ok and message:find("TStringList used after Free", 1, true), message)

-- A list the script never frees goes with the collector.
local M = TStringList()
M:Add("left to the collector")
M = nil
collectgarbage()
print("ok")
