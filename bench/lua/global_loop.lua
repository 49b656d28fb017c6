-- s = s + i * 2; i = i + 1 on globals, N times.
N = tonumber(arg[1])
s, i = 0.0, 0.0  -- numbers are doubles, as in the engine
while i < N do
  s = s + i * 2
  i = i + 1
end
print(math.floor(i))
