/* A malformed script stops before anything runs, at the line where Regina found the fault. */
call QelCall MessageList, 'Lines.Add', 'never'
exit

Main:
  x = (1 + 2
  return

/*
{ expect-error: Unmatched "(" in expression at line 6 pos 3 }
*/
