// "MessageList" of the command-line runner: the terminal's stand-in for the demonstration
// window's message memo. Scripts reach Lines (a string list) and Clear; every line added to
// Lines is written to standard output at once, as UTF-8.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/ole/OleAuto.h"

// A line added to the message list; the console's writes it to standard output.
using TQelMessageSink = std::function<void(const std::u16string& ALine)>;

// A new MessageList object (reference count 1). ASink receives each line instead of standard
// output (the debug adapter, whose standard output carries the protocol).
IDispatch* QelNewConsoleMessageList(TQelMessageSink ASink = nullptr);

// A message as UTF-8 for the terminal, its CR LF line breaks as LF.
std::string QelConsoleText(std::u16string_view AMessage);
