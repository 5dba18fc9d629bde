// Host unit "Dialogs": the modal message and input dialogs, behind one
// process-wide handler. The GUI layer installs a handler that shows real
// dialogs; until then (and in the command-line runner) the default handler
// writes messages to standard error and answers without blocking.
#pragma once

#include <functional>

#include "host/core/SysUtils.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal results (the values a form's ModalResult takes); another host
// header that needs them includes this one.
using TModalResult = int;
#ifndef QEL_MODAL_RESULTS_DEFINED
#define QEL_MODAL_RESULTS_DEFINED
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;
inline constexpr TModalResult mrHelp = 9;
inline constexpr TModalResult mrAll = 12;
inline constexpr TModalResult mrNoToAll = 13;
inline constexpr TModalResult mrYesToAll = 14;
#endif

// The modal result a button closes its dialog with (mbOK -> mrOk ...).
TModalResult ModalResultOf(TMsgDlgBtn AButton);
// The button a dialog with these buttons focuses first: mbOK if present, else
// mbYes, else mbRetry, else the first button of the set.
TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons AButtons);

// The process-wide dialog handler. An empty member falls back to the default
// behaviour for that dialog.
struct TDialogHandler {
  // Shows AText and waits until the user closes it.
  std::function<void(const String& AText)> ShowMessage;
  // Shows an input box preset with AValue; true (and AValue updated) when confirmed.
  std::function<bool(const String& ACaption, const String& APrompt, String& AValue)> InputQuery;
  // Shows a message dialog; returns the modal result of the pressed button
  // (mrNone when closed otherwise).
  std::function<TModalResult(const String& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons)> MessageDlg;
};

// Installs AHandler for the process and returns the previous one. Call while
// no dialog is open; the GUI layer installs its handler once at start.
TDialogHandler SetDialogHandler(TDialogHandler AHandler);

// The default behaviour, also what an empty handler member does:
// ShowMessage and MessageDlg write the text to standard error (UTF-8, then a
// line break); InputQuery returns false leaving AValue alone; MessageDlg
// answers with DefaultButtonOf(AButtons)'s modal result.
void ShowMessage(const String& AText);
bool InputQuery(const String& ACaption, const String& APrompt, String& AValue);
// The entered text when confirmed, otherwise ADefault.
String InputBox(const String& ACaption, const String& APrompt, const String& ADefault);
TModalResult MessageDlg(const String& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons, int AHelpContext = 0);
