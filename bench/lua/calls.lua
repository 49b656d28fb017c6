-- N calls of a function of three parameters and two locals: g = f(g, 2, 1).
local function f(a, b, c)
  local x = a + b
  local y = x - c
  return y
end
local g = 0.0
for _ = 1, tonumber(arg[1]) do g = f(g, 2.0, 1.0) end
print(math.floor(g))
