// Runs scripts of either dialect on the machine with a small output object, "MessageList",
// whose Lines.Add(x) appends x as a line of text, and the engine's exception classes Exception
// and EQelVMRuntime by name.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/vm/QelSctVMCompBase.h"

struct TScriptRunResult {
  std::vector<std::string> Output;
  bool Failed = false;
  std::string Error;  // message of the exception that ended the run
  int Line = -1;      // where it was reported first: line from 1, column from 1
  int Pos = -1;
};

// A further class the script sees by name.
struct TScriptClass {
  const char16_t* Name;
  TClass Class;
};

// Compiles ASource, runs its global code, then its procedure Main when there is one.
TScriptRunResult RunScript(IQelLanguagePtr ALanguage, const std::u16string& ASource,
                           std::initializer_list<TScriptClass> AClasses = {});
