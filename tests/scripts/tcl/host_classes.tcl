# A host class created and used from the script: an object is a command, its members are its
# subcommands, -set writes a property, an integer word reads the default property, and a
# returned object keeps its identity (its handle is the same string).
proc Main {} {
  set lines [MessageList Lines]
  set list [TStringList Create]
  $list Add pear
  $list Add apple
  $list Add fig
  $list -set Sorted 1
  $lines Add [$list Count]
  for {set i 0} {$i < [$list Count]} {incr i} {
    $lines Add [$list $i]
  }
  $list -set Sorted 0
  $list -set Strings 0 apricot
  $lines Add [$list Strings 0]
  $lines Add [$list IndexOf fig]
  $lines Add [expr {[MessageList Lines] eq $lines}]
  $list Free
}

if 0 {
{ expect:
3
apple
fig
pear
apricot
1
1
}
}
