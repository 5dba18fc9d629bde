# Runs a plain Tcl program of bench/programs inside the TclScript engine (qelrun run.tcl Main FILE).
proc Main {path} {
  uplevel #0 [list source $path]
}
