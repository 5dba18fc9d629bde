-- Host objects: two million member calls on a string list through its binding
-- (500,000 Add, then 500,000 rounds of Get, Count, Put). Run by bench_embed.
local n = 500000
local L = TStringList()
for i = 1, n do
  L:Add("item")
end
local total = 0
for i = 0, n - 1 do
  total = total + #L:Get(i)
  if L:Count() == n then total = total + 1 end
  L:Put(i, "x")
end
L:Free()
print(total)
