// qelrun [--lang NAME] [--no-wait] FILE [PROC [ARG ...]]
//
// A script that leaves a form shown keeps qelrun's event loop running until the last form
// closes; --no-wait returns at once (and without a display qelrun never waits).
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
#include "host/gui/Forms.h"
#include "host/gui/units/QelGuiUnits.h"
#include "tools/qelrun/QelRunMessages.h"
#include "tools/qelrun/QelRunSource.h"

namespace {

constexpr int ExitOk = 0, ExitScriptError = 1, ExitUsage = 2;

struct TRunOptions {
  std::string File;
  std::string Lang;  // engine name, empty: by extension
  std::string Proc = "Main";
  std::vector<std::string> Args;
  bool WaitForForms = true;
};

bool ParseArgs(int argc, char** argv, TRunOptions& AOptions) {
  int i = 1;
  if (i < argc && std::string(argv[i]) == "--lang") {
    if (i + 1 >= argc) return false;
    AOptions.Lang = argv[i + 1];
    i += 2;
  }
  if (i < argc && std::string(argv[i]) == "--no-wait") {
    AOptions.WaitForForms = false;
    ++i;
  }
  if (i >= argc) return false;
  AOptions.File = argv[i++];
  if (i < argc) AOptions.Proc = argv[i++];
  AOptions.Args.assign(argv + i, argv + argc);
  return true;
}

// ".pas" in any case is Pascal; everything else is the VB dialect.
TQelScriptLanguage LanguageOfFile(const std::string& APath) {
  const String ext = Utf8ToString(std::filesystem::path(APath).extension().string());
  return SameText(ext, u".pas") ? slPascal : slNativeVb;
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
    if (AOptions.WaitForForms) QelRunFormsUntilClosed();
  } catch (...) {
    for (VARIANT& arg : args) VariantClear(&arg);
    QelFreeScriptForms();
    throw;
  }
  for (VARIANT& arg : args) VariantClear(&arg);
  VariantClear(&result);
  // Forms and timers call the script's handlers: they go while the script is still there.
  QelFreeScriptForms();
  ACtrl.SetActive(false);
}

int Main(int argc, char** argv) {
  TRunOptions options;
  if (!ParseArgs(argc, argv, options)) {
    std::cerr << "usage: qelrun [--lang NAME] [--no-wait] FILE [PROC [ARG ...]]\n";
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
  QelRegisterGuiUnits();
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
