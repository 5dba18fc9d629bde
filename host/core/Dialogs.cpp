// The message and input dialogs behind the replaceable process-wide handler.
#include <cstdio>
#include <mutex>

#include "host/core/Dialogs.h"

namespace {

std::mutex GHandlerLock;

TDialogHandler& Handler() {
  static TDialogHandler handler;
  return handler;
}

// A copy taken under the lock, so a handler being replaced stays alive while
// a dialog runs.
TDialogHandler CurrentHandler() {
  std::lock_guard<std::mutex> lock(GHandlerLock);
  return Handler();
}

void WriteToStandardError(const String& AText) {
  const std::string text = StringToUtf8(AText) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

TModalResult ModalResultOf(TMsgDlgBtn AButton) {
  static constexpr TModalResult kResults[] = {mrYes,   mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                              mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrHelp,  mrClose};
  return kResults[AButton];
}

TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons AButtons) {
  for (TMsgDlgBtn preferred : {mbOK, mbYes, mbRetry})
    if (AButtons.Contains(preferred)) return preferred;
  for (int b = mbYes; b <= mbClose; ++b)
    if (AButtons.Contains(static_cast<TMsgDlgBtn>(b))) return static_cast<TMsgDlgBtn>(b);
  return mbOK;
}

TDialogHandler SetDialogHandler(TDialogHandler AHandler) {
  std::lock_guard<std::mutex> lock(GHandlerLock);
  std::swap(Handler(), AHandler);
  return AHandler;
}

void ShowMessage(const String& AText) {
  const TDialogHandler handler = CurrentHandler();
  if (handler.ShowMessage) handler.ShowMessage(AText);
  else WriteToStandardError(AText);
}

bool InputQuery(const String& ACaption, const String& APrompt, String& AValue) {
  const TDialogHandler handler = CurrentHandler();
  // Without a display there is nobody to ask: cancelled, value untouched.
  return handler.InputQuery ? handler.InputQuery(ACaption, APrompt, AValue) : false;
}

String InputBox(const String& ACaption, const String& APrompt, const String& ADefault) {
  String value = ADefault;
  return InputQuery(ACaption, APrompt, value) ? value : ADefault;
}

TModalResult MessageDlg(const String& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons, int) {
  const TDialogHandler handler = CurrentHandler();
  if (handler.MessageDlg) return handler.MessageDlg(AMessage, AType, AButtons);
  WriteToStandardError(AMessage);
  return ModalResultOf(DefaultButtonOf(AButtons));
}
