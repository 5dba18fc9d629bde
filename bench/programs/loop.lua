-- Integer arithmetic in a loop.
local s = 0
for i = 1, 12000000 do
  s = (s + i * 7 - (i // 3)) % 1000003
end
print(s)
