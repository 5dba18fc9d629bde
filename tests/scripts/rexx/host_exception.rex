/* A host exception raised inside a member call is REXX's SYNTAX condition, caught with
   SIGNAL ON SYNTAX (QelError() gives the host's message); uncaught, it leaves with the host's
   message and the line of the failing clause. */
exit

Main:
  lines = QelGet(MessageList, 'Lines')
  list = QelCall(TStringList, 'Create')
  signal on syntax name Caught
  x = QelGet(list, 'Strings', 3)
  call QelCall lines, 'Add', 'not caught'
  return
Caught:
  call QelCall lines, 'Add', 'caught:' QelError()
  call QelCall list, 'Free'
  x = QelGet(lines, 'Strings', 7)
  return

/*
{ expect:
caught: List index out of bounds (3)
}
{ expect-error: List index out of bounds (7) at line 16 pos 3 }
*/
