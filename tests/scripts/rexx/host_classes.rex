/* A host class created and used from the script through the function set: methods with
   QelCall, properties with QelGet and QelSet, indexed properties with their index, and a
   returned object keeps its identity (its handle compares equal). */
exit

Main:
  lines = QelGet(MessageList, 'Lines')
  list = QelCall(TStringList, 'Create')
  do i = 1 to words('pear apple fig')
    call QelCall list, 'Add', word('pear apple fig', i)
  end
  call QelSet list, 'Sorted', 1
  call QelCall lines, 'Add', QelGet(list, 'Count')
  do i = 0 to QelGet(list, 'Count') - 1
    call QelCall lines, 'Add', QelGet(list, 'Strings', i)
  end
  call QelSet list, 'Sorted', 0
  call QelSet list, 'Strings', 0, 'apricot'
  call QelCall lines, 'Add', QelGet(list, 'Strings', 0)
  call QelCall lines, 'Add', QelCall(list, 'IndexOf', 'fig')
  if QelGet(MessageList, 'Lines') == lines then call QelCall lines, 'Add', 'same'
  call QelCall list, 'Free'
  return

/*
{ expect:
3
apple
fig
pear
apricot
1
same
}
*/
