-- Host objects through the LuaScript engine's bridge: two million member calls on a string list
-- (500,000 Add, then 500,000 rounds of L[i] read, Count, L[i] write), as hostlist.pas does.
function Main()
  local n = 500000
  local L = TStringList:Create()
  for i = 1, n do
    L:Add("item")
  end
  local total = 0
  for i = 0, n - 1 do
    total = total + #L[i]
    if L.Count == n then total = total + 1 end
    L[i] = "x"
  end
  L:Free()
  print(total)
end
