-- fib(24) by the doubly recursive function, N times.
local function fib(n)
  if n < 2 then return n end
  return fib(n - 1) + fib(n - 2)
end
local g = 0
for _ = 1, tonumber(arg[1]) do g = fib(24.0) end
print(math.floor(g))
