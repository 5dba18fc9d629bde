# Sieve of Eratosthenes over a large array, repeated.
proc sieve {n} {
  set flags [lrepeat [expr {$n + 1}] 1]
  lset flags 0 0
  lset flags 1 0
  set count 0
  for {set i 2} {$i <= $n} {incr i} {
    if {[lindex $flags $i]} {
      incr count
      for {set j [expr {$i + $i}]} {$j <= $n} {incr j $i} {
        lset flags $j 0
      }
    }
  }
  return $count
}

for {set k 1} {$k <= 5} {incr k} { set count [sieve 1000000] }
puts $count
