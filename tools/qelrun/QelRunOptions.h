// The command line of qelrun. Options are rows of one table (a new option is one row and, when
// it carries a setting, one field of TRunOptions); they are accepted anywhere on the line, and
// "--" ends them. The words that are not options are FILE, PROC and the ARGs, in that order.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TRunOptions {
  std::string File;  // empty: none given; "-": standard input
  std::string Lang;  // engine name; empty: by the file's extension
  std::string Proc;  // empty: Main, unless -e texts stand in for it
  std::vector<std::string> Args;
  std::vector<std::string> Evals;  // -e TEXT, in the order given
  bool Help = false;
  bool Version = false;
  bool Dump = false;  // print the code objects instead of running
  bool WaitForForms = true;  // keep the event loop while a form the script showed is open
  // Limits for untrusted scripts (0: none) and safe mode, handed to the script control.
  int64_t TimeoutMs = 0;
  int64_t InstructionBudget = 0;
  int64_t MemoryCeiling = 0;
  bool SafeMode = false;
  std::string Mistake;  // set by an option whose value is wrong
};

struct TRunOption {
  std::string_view Long;       // "--lang"
  std::string_view Short;      // "-e", or empty
  std::string_view ValueName;  // empty: the option takes no value
  std::string_view Help;
  void (*Apply)(TRunOptions& AOptions, std::string_view AValue);
};

std::span<const TRunOption> QelRunOptionTable();

// Fills AOptions from the words after the program name; the message of the first mistake.
std::optional<std::string> QelParseRunArgs(std::span<const char* const> AWords, TRunOptions& AOptions);

// The synopsis and the option table, as --help prints it.
std::string QelRunUsage();
