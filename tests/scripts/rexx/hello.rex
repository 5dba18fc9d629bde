/* Output through the host's message list, from the global code and from Main. */
call QelCall MessageList, 'Lines.Add', 'global code'
exit

Main:
  lines = QelGet(MessageList, 'Lines')
  call QelCall lines, 'Add', 'Hello from REXX'
  call QelCall lines, 'Add', 1 + 2
  call QelCall lines, 'Add', 5 / 2
  call QelCall lines, 'Add', 'Grüße, 日本'
  return

/*
{ expect:
global code
Hello from REXX
3
2.5
Grüße, 日本
}
*/
