/* A runtime error reports the line of the failing clause; Regina gives no column, so the
   position is where the line's clause begins. */
exit

Main:
  call QelCall MessageList, 'Lines.Add', 'before'
  t = 0
    n = 10 / t
  call QelCall MessageList, 'Lines.Add', 'after'
  return

/*
{ expect:
before
}
{ expect-error: Arithmetic overflow; divisor must not be zero at line 8 pos 5 }
*/
