// qelrun --dump FILE: compiles the script and prints every code object's listing.
#pragma once

#include <string>

#include "engine/scripter/QelSctScripter.h"

// Exit status as qelrun's: 0 printed, 1 compile error, 2 file error.
int QelRunDump(const std::string& AFile, TQelScriptLanguage ALanguage);
