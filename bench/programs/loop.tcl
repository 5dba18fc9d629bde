# Integer arithmetic in a loop (in a procedure: Tcl compiles its locals to slots).
proc loop {} {
  set s 0
  for {set i 1} {$i <= 12000000} {incr i} {
    set s [expr {($s + $i * 7 - ($i / 3)) % 1000003}]
  }
  return $s
}

puts [loop]
