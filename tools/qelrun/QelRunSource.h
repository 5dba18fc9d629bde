// Reading a script file: a byte-order mark selects the encoding, otherwise UTF-8; and the
// language a file's name selects (shared by qelrun and the demonstration window).
#pragma once

#include <optional>
#include <string>

#include "engine/scripter/QelSctScripter.h"
#include "host/core/System.h"

// The file's text, or nothing when it cannot be read.
std::optional<String> QelReadScriptFile(const std::string& APath);
// The text of raw file bytes (exposed for tests).
String QelDecodeScriptBytes(const std::string& ABytes);

// The extension of a file name: from the last dot after the last path separator, the dot
// included; empty when there is none.
String QelFileExtension(std::u16string_view AFileName);
// The language of a script file by its extension, in any letter case: ".pas" the Pascal
// dialect, the extensions of the Active Scripting languages theirs (".js", ".py", ".lua",
// ".tcl", ".pl", ".rex"), every other name the VB dialect.
TQelScriptLanguage QelScriptLanguageOfFile(std::u16string_view AFileName);
