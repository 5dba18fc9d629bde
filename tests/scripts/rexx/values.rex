/* Values crossing to the host and back (a Boolean arrives as 1 or 0), host routines of the
   units called by name, a global kept between the global code and Main, and commands, which
   never reach the operating system. */
kept = 'global kept'
exit

Main:
  lines = QelGet(MessageList, 'Lines')
  list = QelCall(TStringList, 'Create')
  call QelCall list, 'Add', 42
  call QelCall list, 'Add', 2.5
  call QelCall list, 'Add', 'text'
  call QelCall list, 'Add', 007
  call QelSet list, 'CommaText', 'a,b,c'
  call QelCall lines, 'Add', QelGet(list, 'CommaText')
  call QelCall lines, 'Add', IntToStr(7) || '/' || UpperCase('straße')
  if Now() > 40000 then call QelCall lines, 'Add', 'date as a number'
  call QelCall lines, 'Add', kept
  'echo from a command'
  call QelCall lines, 'Add', 'command refused:' rc
  call QelCall list, 'Free'
  return

/*
{ expect:
a,b,c
7/STRAßE
date as a number
global kept
command refused: -1
}
*/
