/* String building by repeated concatenation. */
total = 0
s = ''
do i = 1 to 2500000
  s = s || 'ab'
  if length(s) >= 1000 then do
    total = total + length(s)
    s = ''
  end
end
say total + length(s)
exit

/* The engine runs Main after the global code; the plain interpreter stops at exit above. */
Main:
  return
