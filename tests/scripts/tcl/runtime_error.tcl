# A runtime error reports the line of the failing command inside its procedure and the column
# where that command begins.
proc Main {} {
  [MessageList Lines] Add before
  set t {}
    dict get $t field
  [MessageList Lines] Add after
}

if 0 {
{ expect:
before
}
{ expect-error: key "field" not known in dictionary at line 6 pos 5 }
}
