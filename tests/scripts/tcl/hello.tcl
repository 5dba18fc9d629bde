# Output through the host's message list, from the global code and from Main.
[MessageList Lines] Add "global code"

proc Main {} {
  set lines [MessageList Lines]
  $lines Add "Hello from Tcl"
  $lines Add [expr {1 + 2}]
  $lines Add [expr {5 / 2.0}]
  $lines Add "Grüße, 日本"
}

if 0 {
{ expect:
global code
Hello from Tcl
3
2.5
Grüße, 日本
}
}
