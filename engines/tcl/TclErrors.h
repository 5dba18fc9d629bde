// Where a Tcl error happened. Tcl checks only the shape of a script before running it (braces,
// quotes, brackets), so syntax errors are those, in the global code and in procedure bodies.
// A runtime error's place comes from the interpreter's error trace (errorInfo): the innermost
// procedure's line, the nested bodies' lines within it, and the failing command's text to find
// its column.
#pragma once

#include <tcl.h>

#include <deque>
#include <string>

#include "engines/common/QelBridge.h"

struct TTclChunk {
  std::string Text;
  int StartLine = 0;  // the number of the text's first line
  bool Ran = false;
};

// False with AError filled when AChunk's text is not a well-formed script.
bool QelTclCheckSyntax(Tcl_Interp* AInterp, const TTclChunk& AChunk, TQelBScriptError& AError);
// AError from a failed evaluation of AChunk (null for a call of a procedure): the message and
// the place, looked for among AChunks when the error happened inside a procedure.
void QelTclDescribe(Tcl_Interp* AInterp, int ACode, const TTclChunk* AChunk, const std::deque<TTclChunk>& AChunks,
                    TQelBScriptError& AError);
