-- Sieve of Eratosthenes over a large array, repeated.
local function sieve(n)
  local flags = {}
  for i = 0, n do flags[i] = false end
  for i = 2, n do flags[i] = true end
  local count = 0
  for i = 2, n do
    if flags[i] then
      count = count + 1
      local j = i + i
      while j <= n do
        flags[j] = false
        j = j + i
      end
    end
  end
  return count
end

local count
for k = 1, 5 do count = sieve(1000000) end
print(count)
