/* Integer arithmetic in a loop. */
s = 0
do i = 1 to 12000000
  s = (s + i * 7 - (i % 3)) // 1000003
end
say s
exit

/* The engine runs Main after the global code; the plain interpreter stops at exit above. */
Main:
  return
