# String building by repeated concatenation.
proc strcat {} {
  set total 0
  set s ""
  for {set i 1} {$i <= 2500000} {incr i} {
    append s ab
    if {[string length $s] >= 1000} {
      incr total [string length $s]
      set s ""
    }
  }
  return [expr {$total + [string length $s]}]
}

puts [strcat]
