# A host exception raised inside a member call is a Tcl error, caught with catch; uncaught, it
# leaves with the host's message and the place of the failing command.
proc Main {} {
  set lines [MessageList Lines]
  set list [TStringList Create]
  $lines Add [catch {$list 3} message]
  $lines Add $message
  $list Free; set x [$lines 7]
}

if 0 {
{ expect:
1
List index out of bounds (3)
}
{ expect-error: List index out of bounds (7) at line 8 pos 22 }
}
