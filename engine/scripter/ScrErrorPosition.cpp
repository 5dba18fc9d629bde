// The position of a script error as fields: the runner's position hook notes where an error
// was first reported, and the control's request scope attaches it to the error leaving it.
#include "engine/scripter/QelValue.h"
#include "engine/scripter/ScrInternal.h"

namespace {

struct TNotedPosition {
  int Depth = 0;        // control requests running on this thread (nested through host code)
  ExceptionPtr Error;   // a share: the object cannot be freed and its address reused meanwhile
  int Line = -1;
  int LinePos = -1;
};

thread_local TNotedPosition GNoted;

}  // namespace

void QelNoteErrorPosition(Exception* E, int ALine, int ALinePos) {
  TNotedPosition& noted = GNoted;
  // The first report is the innermost place; later ones are frames it passed on its way out.
  if (noted.Depth == 0 || noted.Error.Get() == E) return;
  noted.Error = ExceptionPtr(E);
  noted.Line = ALine;
  noted.LinePos = ALinePos;
}

TQelScriptRequestScope::TQelScriptRequestScope() { ++GNoted.Depth; }

TQelScriptRequestScope::~TQelScriptRequestScope() {
  TNotedPosition& noted = GNoted;
  if (--noted.Depth == 0) noted.Error = ExceptionPtr();
}

void TQelScriptRequestScope::Rethrow() {
  try {
    throw;
  } catch (const ExceptionPtr& E) {
    const TNotedPosition& noted = GNoted;
    if (!E || noted.Error != E) throw;
    // Outside the source an engine reports -1 for both: no position. Some engines know the
    // line only; the column is 0 then.
    const bool placed = noted.Line >= 0;
    throw qel::ScriptError(E, placed ? noted.Line + 1 : 0, placed && noted.LinePos >= 1 ? noted.LinePos : 0);
  }
}
