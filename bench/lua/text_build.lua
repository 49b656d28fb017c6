-- N rounds of: t = "", then 100 times t = t .. "ab".
t = ""
for _ = 1, tonumber(arg[1]) do
  t = ""
  for _ = 1, 100 do t = t .. "ab" end
end
print(#t)
