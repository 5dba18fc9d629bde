-- String building by repeated concatenation.
local total, s = 0, ""
for i = 1, 2500000 do
  s = s .. "ab"
  if #s >= 1000 then
    total = total + #s
    s = ""
  end
end
print(total + #s)
