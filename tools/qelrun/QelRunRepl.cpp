#include "tools/qelrun/QelRunRepl.h"

#include <cstdio>
#include <cstdlib>
#include <readline/history.h>
#include <readline/readline.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/pascal/QelSctPasScanner.h"
#include "tools/qelrun/QelRunSession.h"

TReplEntryKind QelReplEntryKind(std::u16string_view AText) {
  TQelPasScanner scanner(true);
  int depth = 0;
  bool first = true, declaration = false, routine = false, bodySeen = false;
  try {
    scanner.Start(AText);
    for (; scanner.FToken != ptEOf; scanner.SkipToken(), first = false) {
      const TQelPasToken token = scanner.FToken;
      if (first) {
        declaration = token == ptVar || token == ptConst || token == ptProcedure || token == ptFunction;
        routine = token == ptProcedure || token == ptFunction;
      }
      if (token == ptBegin || token == ptTry || token == ptCase || token == ptRepeat) {
        ++depth;
        bodySeen = true;
      } else if ((token == ptEnd || token == ptUntil) && depth > 0) {
        --depth;
      }
    }
  } catch (...) {
    // A text the scanner refuses is complete: running it reports the error with its place.
    return declaration ? rekDeclaration : rekCode;
  }
  if (depth > 0 || (routine && !bodySeen)) return rekIncomplete;
  return declaration ? rekDeclaration : rekCode;
}

namespace {

constexpr char CPrompt[] = "qel> ", CMorePrompt[] = "...> ";
constexpr char CLabel[] = "stdin";

struct TFreeLine {
  void operator()(char* ALine) const { std::free(ALine); }
};

class TReplSession {
 public:
  explicit TReplSession(TQelScriptControl& ACtrl) : FCtrl(ACtrl), FSource(ACtrl.GetSource().SourceText()) {}

  int Run() {
    std::u16string entry;
    for (;;) {
      const std::unique_ptr<char, TFreeLine> line(readline(entry.empty() ? CPrompt : CMorePrompt));
      if (!line) break;  // end of input
      if (entry.empty() && line.get()[0] == '\0') continue;
      if (line.get()[0] != '\0') add_history(line.get());
      entry += Utf8ToString(line.get());
      entry += u"\r\n";
      const TReplEntryKind kind = QelReplEntryKind(entry);
      if (kind == rekIncomplete) continue;
      Submit(kind, entry);
      entry.clear();
    }
    std::fputc('\n', stdout);
    return 0;
  }

 private:
  void Submit(TReplEntryKind AKind, const std::u16string& AEntry) {
    try {
      if (AKind == rekDeclaration)
        Declare(AEntry);
      else
        QelRunText(FCtrl, AEntry);
    } catch (...) {
      QelRunReportError(CLabel);
    }
  }

  // A declaration joins the session's script, which is prepared again; the values of the
  // variables declared so far are carried over. A declaration that does not compile is dropped.
  void Declare(const std::u16string& AEntry) {
    std::vector<std::pair<std::u16string, qel::Value>> kept;
    for (const std::u16string& name : FVariables) {
      try {
        kept.emplace_back(name, FCtrl.ReadVar(name));
      } catch (const ExceptionPtr&) {
        // not a variable after all (a name inside an initial value)
      }
    }
    FCtrl.SetActive(false);
    try {
      Activate(FSource + AEntry);
      AddVariables(AEntry);
    } catch (...) {
      QelRunReportError(CLabel);
      Activate(FSource);
    }
    for (const auto& [name, value] : kept) FCtrl.WriteVar(name, value);
  }

  void Activate(const std::u16string& ASource) {
    FCtrl.SetSourceText(ASource);
    FCtrl.SetActive(true);
    FSource = ASource;
  }

  // The names a var section declares: identifiers right after "var", "," or ";" outside
  // brackets. Extra candidates do no harm (ReadVar refuses them).
  void AddVariables(std::u16string_view AEntry) {
    TQelPasScanner scanner(true);
    scanner.Start(AEntry);
    if (scanner.FToken != ptVar) return;
    int brackets = 0;
    for (TQelPasToken previous = ptVar; scanner.FToken != ptEOf; previous = scanner.FToken, scanner.SkipToken()) {
      const TQelPasToken token = scanner.FToken;
      if (token == ptOpenRound || token == ptOpenBlock) ++brackets;
      if (token == ptCloseRound || token == ptCloseBlock) --brackets;
      const bool atName = previous == ptVar || previous == ptComma || previous == ptSemiColon;
      if (token == ptIdentifier && brackets == 0 && atName) FVariables.push_back(scanner.FSData);
    }
  }

  TQelScriptControl& FCtrl;
  std::u16string FSource;
  std::vector<std::u16string> FVariables;
};

}  // namespace

int QelRunRepl(TQelScriptControl& ACtrl) { return TReplSession(ACtrl).Run(); }
