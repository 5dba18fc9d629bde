// The one header an embedding program includes: the script control, owning script values and
// script errors with their position, binding host classes (TQelMembers, one line per member),
// the host-unit registration and the start-up call.
//
//   qel::Startup();                    // once per program, before the first control
//   TQelScriptControl script(nullptr);
//   script.SetLanguage(slPascal);
//   script.SetSourceText(u"function Twice(x); begin Result := x * 2; end;");
//   script.SetActive(true);
//   qel::Value r = script.RunProc(u"Twice", {21});   // r.ToInt() == 42
//
// docs/embedding.md walks through binding a class, events, errors and threads.
#pragma once

#include "engine/scripter/QelSctScripter.h"
#include "engine/scripter/QelValue.h"
#include "engine/wrappers/QelSctBind.h"
#include "engine/wrappers/QelSctSysWrappers.h"
#include "engine/wrappers/QelSctWrappers.h"
#include "engine/wrappers/units/QelUnits.h"

namespace qel {

// Registers every host unit's wrappers, the engine's own unit and the engine's languages.
// Safe to call more than once and from any thread.
void Startup();

// The version of the engine, "MAJOR.MINOR.PATCH".
const char* VersionString();

}  // namespace qel
