# Tcl through the Active Scripting bridge: host objects are commands.
proc Main {} {
  set lines [MessageList Lines]
  set total 0
  foreach n {1 2 3 4 5 6 7 8 9 10} { incr total $n }
  $lines Add "Tcl sums 1..10 to $total"
  $lines Add "Tcl [info patchlevel] says hello"
}
