-- The global loop on locals of a function called once.
local function loop(n)
  local s, i = 0.0, 0.0
  while i < n do
    s = s + i * 2
    i = i + 1
  end
  return math.floor(i)
end
print(loop(tonumber(arg[1])))
