#include "tools/qelrun/QelRunOptions.h"

#include <array>
#include <charconv>

namespace {

// A limit's value: a whole number from 0 (no limit) up.
void SetLimit(TRunOptions& AOptions, int64_t& ALimit, std::string_view AValue, std::string_view AName) {
  int64_t value = -1;
  const auto [end, error] = std::from_chars(AValue.data(), AValue.data() + AValue.size(), value);
  if (error != std::errc() || end != AValue.data() + AValue.size() || value < 0)
    AOptions.Mistake = "option '" + std::string(AName) + "' needs a whole number, not '" + std::string(AValue) + "'";
  else
    ALimit = value;
}

constexpr std::array<TRunOption, 10> COptions{{
    {"--help", "-h", "", "show this help and exit",
     [](TRunOptions& O, std::string_view) { O.Help = true; }},
    {"--version", "", "", "show the version and exit",
     [](TRunOptions& O, std::string_view) { O.Version = true; }},
    {"--eval", "-e", "TEXT", "evaluate an expression or run a statement, print a result (repeatable)",
     [](TRunOptions& O, std::string_view V) { O.Evals.emplace_back(V); }},
    {"--lang", "", "NAME", "the language by engine name (Pascal, NativeVb, ...) instead of the extension",
     [](TRunOptions& O, std::string_view V) { O.Lang = V; }},
    {"--dump", "", "", "print the compiled code of FILE (every code object's listing) instead of running it",
     [](TRunOptions& O, std::string_view) { O.Dump = true; }},
    {"--no-wait", "", "", "return when PROC returns instead of running until the forms it left open close",
     [](TRunOptions& O, std::string_view) { O.WaitForForms = false; }},
    {"--timeout", "", "MS", "end every run of the script that takes longer than MS milliseconds",
     [](TRunOptions& O, std::string_view V) { SetLimit(O, O.TimeoutMs, V, "--timeout"); }},
    {"--budget", "", "N", "end every run of the script that executes more than N instructions",
     [](TRunOptions& O, std::string_view V) { SetLimit(O, O.InstructionBudget, V, "--budget"); }},
    {"--memory", "", "BYTES", "end every run whose strings and arrays grow by more than BYTES",
     [](TRunOptions& O, std::string_view V) { SetLimit(O, O.MemoryCeiling, V, "--memory"); }},
    {"--safe", "", "", "safe mode: no units that reach files, processes or dialogs",
     [](TRunOptions& O, std::string_view) { O.SafeMode = true; }},
}};

const TRunOption* FindOption(std::string_view AWord) {
  for (const TRunOption& option : COptions)
    if (AWord == option.Long || (!option.Short.empty() && AWord == option.Short)) return &option;
  return nullptr;
}

void AddPositional(TRunOptions& AOptions, std::string_view AWord) {
  if (AOptions.File.empty())
    AOptions.File = AWord;
  else if (AOptions.Proc.empty())
    AOptions.Proc = AWord;
  else
    AOptions.Args.emplace_back(AWord);
}

}  // namespace

std::span<const TRunOption> QelRunOptionTable() { return COptions; }

std::optional<std::string> QelParseRunArgs(std::span<const char* const> AWords, TRunOptions& AOptions) {
  bool optionsEnded = false;
  for (size_t i = 0; i < AWords.size(); ++i) {
    const std::string_view word = AWords[i];
    // "-" alone is standard input; a negative number is an argument, not an option.
    const bool looksLikeOption = word.size() > 1 && word[0] == '-' && !(word[1] >= '0' && word[1] <= '9');
    if (optionsEnded || !looksLikeOption) {
      AddPositional(AOptions, word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    // --name=value is the long form with its value attached.
    const size_t equals = word.starts_with("--") ? word.find('=') : std::string_view::npos;
    const TRunOption* option = FindOption(word.substr(0, equals));
    if (!option) return "unknown option '" + std::string(word) + "'";
    if (option->ValueName.empty()) {
      if (equals != std::string_view::npos) return "option '" + std::string(option->Long) + "' takes no value";
      option->Apply(AOptions, {});
    } else if (equals != std::string_view::npos) {
      option->Apply(AOptions, word.substr(equals + 1));
    } else if (i + 1 < AWords.size()) {
      option->Apply(AOptions, AWords[++i]);
    } else {
      return "option '" + std::string(word) + "' needs " + std::string(option->ValueName);
    }
    if (!AOptions.Mistake.empty()) return AOptions.Mistake;
  }
  return std::nullopt;
}

std::string QelRunUsage() {
  std::string text =
      "usage: qelrun [OPTION ...] FILE [PROC [ARG ...]]   run PROC (default Main) of FILE\n"
      "       qelrun [OPTION ...] - [PROC [ARG ...]]      the script from standard input\n"
      "       qelrun [OPTION ...] -e TEXT [FILE]          evaluate TEXT (after FILE's global code)\n"
      "       qelrun                                      interactive session on a terminal\n"
      "\n"
      "Options may stand anywhere; \"--\" ends them. A function's result is printed.\n"
      "Exit status: 0 success, 1 script error, 2 usage or file error, 130 interrupted by SIGINT.\n"
      "\n"
      "options:\n";
  for (const TRunOption& option : COptions) {
    std::string left = "  ";
    if (!option.Short.empty()) left += std::string(option.Short) + ", ";
    left += option.Long;
    if (!option.ValueName.empty()) left += " " + std::string(option.ValueName);
    left.resize(std::max<size_t>(left.size() + 2, 24), ' ');
    text += left + std::string(option.Help) + "\n";
  }
  return text;
}
