# A malformed script (here a procedure body with an unclosed bracket) stops before anything
# runs; the position is where Tcl found the fault.
[MessageList Lines] Add never
proc Main {} {
  set x [expr {1 + 2}
}

if 0 {
{ expect-error: missing close-bracket at line 5 pos 9 }
}
