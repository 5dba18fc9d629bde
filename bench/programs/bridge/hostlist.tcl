# Host objects through the TclScript engine's bridge: two million member calls on a string list
# (500,000 Add, then 500,000 rounds of L[i] read, Count, L[i] write), as hostlist.pas does.
proc Main {} {
  set n 500000
  set L [TStringList Create]
  for {set i 1} {$i <= $n} {incr i} {
    $L Add item
  }
  set total 0
  for {set i 0} {$i < $n} {incr i} {
    incr total [string length [$L $i]]
    if {[$L Count] == $n} { incr total }
    $L -set $i x
  }
  $L Free
  puts $total
}
