// Runs Pascal scripts on the machine's test host (tests/compiler/ScriptHost.h), which also shows
// the dialect's compile-error class by name.
#pragma once

#include "engine/pascal/QelSctPasCompiler.h"
#include "tests/compiler/ScriptHost.h"

using TPasRunResult = TScriptRunResult;

inline TPasRunResult RunPasScript(const std::u16string& ASource) {
  return RunScript(QelPasLanguage(), ASource,
                   {{u"EQelPasCompiler", EQelPasCompiler::StaticClass()}});
}
