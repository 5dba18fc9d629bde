#include "tools/qelrun/QelRunSession.h"

#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>

#include "tools/qelrun/QelRunMessages.h"

void QelRunSetUp(TQelScriptControl& ACtrl, TQelScriptLanguage ALang, std::u16string_view ASource) {
  ACtrl.SetLanguage(ALang);
  ACtrl.SetSourceText(ASource);
  ACtrl.ClearObjects();
  ACtrl.AddAllUnits(true);
  IDispatch* list = QelNewConsoleMessageList();
  ACtrl.AddObject(u"MessageList", qel::Value(list), false);
  list->Release();  // the item holds its own reference
}

std::string QelRunDisplay(const qel::Value& AValue) {
  const VARIANT& value = QelDeref(AValue.Var());
  if (value.vt == VT_EMPTY) return {};
  if (value.vt == VT_DISPATCH) return value.pdispVal ? "(object)" : "nil";
  return AValue.ToString();
}

namespace {

void Print(const qel::Value& AValue) {
  const std::string text = QelRunDisplay(AValue);
  if (text.empty() && AValue.IsEmpty()) return;
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// The compile error of one reading, or nothing when it compiled.
std::optional<qel::ScriptError> CompileError(const std::function<void()>& ACompile) {
  try {
    ACompile();
  } catch (const qel::ScriptError& E) {
    return E;
  }
  return std::nullopt;
}

// A compile error without a place stands at the end of the text (the scanner ran out).
bool GotFurther(const qel::ScriptError& A, const qel::ScriptError& B) {
  if (!A.HasPosition() || !B.HasPosition()) return !A.HasPosition() && B.HasPosition();
  return A.Line() != B.Line() ? A.Line() > B.Line() : A.Column() > B.Column();
}

}  // namespace

void QelRunText(TQelScriptControl& ACtrl, std::u16string_view AText) {
  std::unique_ptr<TPreparedDynCode> code;
  const std::optional<qel::ScriptError> asExpr = CompileError([&] { code = ACtrl.PrepareExpr(AText); });
  if (!asExpr) {
    Print(ACtrl.Eval(code.get()));
    return;
  }
  const std::optional<qel::ScriptError> asStmt = CompileError([&] { code = ACtrl.PrepareStmt(AText); });
  if (asStmt) throw GotFurther(*asExpr, *asStmt) ? *asExpr : *asStmt;
  ACtrl.ExecuteStatement(code.get());
}

namespace {

// The message without the control's position block (which the first line already gives).
std::string PlainMessage(const String& AMessage) {
  const size_t block = AMessage.rfind(u"\r\nSource: $");
  const bool positioned = block != String::npos && AMessage.find(u"[line:", block) != String::npos;
  return QelConsoleText(positioned ? AMessage.substr(0, block) : AMessage);
}

}  // namespace

// Errors of the Active Scripting engines are reported through their site: their place is only
// in the block.
bool QelErrorPlaceInMessage(const String& AMessage, int& ALine, int& APos) {
  const size_t block = AMessage.rfind(u"\r\nSource: $");
  if (block == String::npos) return false;
  const std::string tail = QelConsoleText(AMessage.substr(block));
  const size_t open = tail.find('[');
  return open != std::string::npos && std::sscanf(tail.c_str() + open, "[line: %d, pos: %d]", &ALine, &APos) == 2 &&
         ALine >= 0;
}

void QelRunReportError(std::string_view ALabel) {
  std::fflush(stdout);
  try {
    throw;
  } catch (const qel::ScriptError& E) {
    if (E.HasPosition())
      std::cerr << ALabel << ':' << E.Line() << ':' << E.Column() << ": " << PlainMessage(E.Message()) << '\n';
    std::cerr << QelConsoleText(E.Message()) << '\n';
  } catch (...) {
    const String message = AcquireExceptionObject()->GetMessage();
    int line = 0, pos = 0;
    if (QelErrorPlaceInMessage(message, line, pos))
      std::cerr << ALabel << ':' << line + 1 << ':' << pos << ": " << PlainMessage(message) << '\n';
    std::cerr << QelConsoleText(message) << '\n';
  }
}
