// What qelrun does with a script control: the host's set-up (every unit, "MessageList"),
// running texts typed or given with -e, printing results, and reporting errors in the form
// terminals and editors make clickable:
//
//   FILE:LINE:COL: MESSAGE          (line and column from 1)
//   <the control's own message, its CR LF as line breaks>
#pragma once

#include <string>
#include <string_view>

#include "engine/scripter/QelTessaro.h"

// The demonstration host's road: language, source, every unit, MessageList.
void QelRunSetUp(TQelScriptControl& ACtrl, TQelScriptLanguage ALang, std::u16string_view ASource);

// The value as a line of output: text as the message pane shows it, objects as "(object)"
// or "nil"; empty for Empty (a procedure's result).
std::string QelRunDisplay(const qel::Value& AValue);

// Evaluates AText as an expression, or, when it does not compile as one, runs it as a
// statement; prints a non-empty result. When neither compiles, the error of the reading that
// got further is raised.
void QelRunText(TQelScriptControl& ACtrl, std::u16string_view AText);

// Writes the exception in flight to standard error (call inside a catch block). ALabel names
// where the text came from: a file name, "stdin", "(command line)".
void QelRunReportError(std::string_view ALabel);

// The place the position block of an error message names ("Source: $... [line: L, pos: P]",
// L counted from 0), for errors that carry no place of their own; false when there is none.
bool QelErrorPlaceInMessage(const String& AMessage, int& ALine, int& APos);
