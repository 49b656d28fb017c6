-- N rounds of 100 reads of a global list of texts, their lengths summed.
a = {}
for k = 1, 100 do a[k] = "ab" end
s = 0.0
for _ = 1, tonumber(arg[1]) do
  for k = 1, 100 do s = s + #a[k] end
end
print(math.floor(s))
