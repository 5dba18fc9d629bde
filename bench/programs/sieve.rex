/* Sieve of Eratosthenes over a large array, repeated. */
do k = 1 to 5
  count = sieve(1000000)
end
say count
exit

/* The engine runs Main after the global code; the plain interpreter stops at exit above. */
Main:
  return

sieve: procedure
  parse arg n
  flags. = 1
  count = 0
  do i = 2 to n
    if flags.i then do
      count = count + 1
      do j = i + i to n by i
        flags.j = 0
      end
    end
  end
  return count
