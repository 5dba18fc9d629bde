#include "tools/qelrun/QelRunOptions.h"

#include <array>

namespace {

constexpr std::array<TRunOption, 6> COptions{{
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
      "Exit status: 0 success, 1 script error, 2 usage or file error.\n"
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
