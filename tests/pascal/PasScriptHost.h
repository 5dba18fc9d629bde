// Runs Pascal scripts on the machine with a small output object, "MessageList", whose
// Lines.Add(x) appends x as a line of text (stand-in until the command-line runner exists).
#pragma once

#include <string>
#include <vector>

struct TPasRunResult {
  std::vector<std::string> Output;
  bool Failed = false;
  std::string Error;  // message of the exception that ended the run
  int Line = -1;      // where it was reported first: line from 1, column from 1
  int Pos = -1;
};

// Compiles ASource, runs its global code, then its procedure Main when there is one.
TPasRunResult RunPasScript(const std::u16string& ASource);
