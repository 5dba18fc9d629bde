// Helpers shared by the VB compiler's tests.
#pragma once

#include "engine/vb/QelSctVbCompiler.h"
#include "tests/compiler/CompileTestUtil.h"
#include "tests/compiler/ScriptHost.h"

using namespace qel_vb;

inline TScriptRunResult RunVbScript(const std::u16string& ASource) {
  return RunScript(QelVbLanguage(), ASource);
}
