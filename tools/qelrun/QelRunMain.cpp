// qelrun [--lang NAME] FILE [PROC [ARG ...]]
//
// Runs a script the way the demonstration window does: the language from the file's extension
// (or --lang), every host unit visible, "MessageList" for output, then PROC (default Main) with
// the ARGs as strings. Exit status: 0 success, 1 compile or runtime error, 2 usage or file error.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "engine/scripter/QelSctScripter.h"
#include "engine/wrappers/units/QelUnits.h"
#include "engines/QelScriptEngines.h"
#include "tools/qelrun/QelRunMessages.h"
#include "tools/qelrun/QelRunSource.h"

namespace {

constexpr int ExitOk = 0, ExitScriptError = 1, ExitUsage = 2;

struct TRunOptions {
  std::string File;
  std::string Lang;  // engine name, empty: by extension
  std::string Proc = "Main";
  std::vector<std::string> Args;
};

bool ParseArgs(int argc, char** argv, TRunOptions& AOptions) {
  int i = 1;
  if (i < argc && std::string(argv[i]) == "--lang") {
    if (i + 1 >= argc) return false;
    AOptions.Lang = argv[i + 1];
    i += 2;
  }
  if (i >= argc) return false;
  AOptions.File = argv[i++];
  if (i < argc) AOptions.Proc = argv[i++];
  AOptions.Args.assign(argv + i, argv + argc);
  return true;
}

// The language by the file's extension (any case); anything unknown is the VB dialect.
TQelScriptLanguage LanguageOfFile(const std::string& APath) {
  static constexpr struct {
    const char16_t* Extension;
    TQelScriptLanguage Language;
  } CExtensions[] = {{u".pas", slPascal}, {u".js", slJScript}, {u".py", slPython}, {u".lua", slLua},
                     {u".tcl", slTCL},    {u".pl", slPerl},    {u".rex", slRexx}};
  const String ext = Utf8ToString(std::filesystem::path(APath).extension().string());
  for (const auto& known : CExtensions)
    if (SameText(ext, known.Extension)) return known.Language;
  return slNativeVb;
}

// The message as the demonstration host's error box shows it, its CR LF as line breaks.
std::string ConsoleText(const String& AMessage) {
  std::string text = StringToUtf8(AMessage);
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

void Run(TQelScriptControl& ACtrl, const TRunOptions& AOptions, TQelScriptLanguage ALang, const String& ASource) {
  ACtrl.SetLanguage(ALang);
  ACtrl.SetSourceText(ASource);
  ACtrl.ClearObjects();
  ACtrl.AddAllUnits(true);
  VARIANT messages;
  VariantInit(&messages);
  messages.vt = VT_DISPATCH;
  messages.pdispVal = QelNewConsoleMessageList();
  try {
    ACtrl.AddObject(u"MessageList", messages, false);
  } catch (...) {
    VariantClear(&messages);
    throw;
  }
  VariantClear(&messages);
  ACtrl.SetActive(true);
  std::vector<VARIANT> args;
  for (const std::string& arg : AOptions.Args) args.push_back(QelStringVar(Utf8ToString(arg)));
  VARIANT result;
  try {
    const String proc = Utf8ToString(AOptions.Proc);
    result = args.empty() ? ACtrl.RunProc(proc) : ACtrl.RunProc(proc, args);
  } catch (...) {
    for (VARIANT& arg : args) VariantClear(&arg);
    throw;
  }
  for (VARIANT& arg : args) VariantClear(&arg);
  VariantClear(&result);
  ACtrl.SetActive(false);
}

int Main(int argc, char** argv) {
  TRunOptions options;
  if (!ParseArgs(argc, argv, options)) {
    std::cerr << "usage: qelrun [--lang NAME] FILE [PROC [ARG ...]]\n";
    return ExitUsage;
  }
  TQelScriptLanguage lang = LanguageOfFile(options.File);
  if (!options.Lang.empty() && !QelFindScriptLanguage(Utf8ToString(options.Lang), lang)) {
    std::cerr << "qelrun: unknown language '" << options.Lang << "'\n";
    return ExitUsage;
  }
  const std::optional<String> source = QelReadScriptFile(options.File);
  if (!source || std::filesystem::is_directory(options.File)) {
    std::cerr << "qelrun: cannot read '" << options.File << "'\n";
    return ExitUsage;
  }
  QelRegisterAllUnits();
  QelRegisterScriptEngines();
  try {
    TQelScriptControl ctrl(nullptr);
    Run(ctrl, options, lang, *source);
  } catch (...) {
    const ExceptionPtr error = AcquireExceptionObject();
    std::fflush(stdout);
    std::cerr << ConsoleText(error->GetMessage()) << '\n';
    return ExitScriptError;
  }
  return ExitOk;
}

}  // namespace

int main(int argc, char** argv) { return Main(argc, argv); }
