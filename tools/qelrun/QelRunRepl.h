// The interactive session qelrun starts on a terminal: line editing and history (GNU
// readline), expressions printed, statements run, multi-line begin ... end blocks, and
// declarations (var, const, procedure, function) added to the session's script. An error is
// reported and the session goes on; end of input (Ctrl-D) ends it.
#pragma once

#include <string_view>

#include "engine/scripter/QelTessaro.h"

// Where the session stands after the lines typed so far (Pascal).
enum TReplEntryKind : uint8_t { rekIncomplete, rekDeclaration, rekCode };
TReplEntryKind QelReplEntryKind(std::u16string_view AText);

// Runs the session on an active control set up by QelRunSetUp; returns the exit status.
int QelRunRepl(TQelScriptControl& ACtrl);
