// Reading a script file: a byte-order mark selects the encoding, otherwise UTF-8.
#pragma once

#include <optional>
#include <string>

#include "host/core/System.h"

// The file's text, or nothing when it cannot be read.
std::optional<String> QelReadScriptFile(const std::string& APath);
// The text of raw file bytes (exposed for tests).
String QelDecodeScriptBytes(const std::string& ABytes);
