// The dialogs, the random generator's seeding and GetRef.
#include "engine/vb/VbIntrinsics.h"
#include "engine/vm/QelSctVMCompBase.h"
#include "host/core/Dialogs.h"
#include "host/core/Math.h"

namespace qel_vb {
namespace {

// By bits 4-6 of MsgBox's buttons: 0 information, 1 error, 2 confirmation, 3 warning, 4-7
// information.
constexpr TMsgDlgType kDialogKinds[8] = {mtInformation, mtError, mtConfirmation, mtWarning,
                                         mtInformation, mtInformation, mtInformation, mtInformation};

// By bits 0-2: OK, OK Cancel, Abort Retry Ignore, Yes No Cancel, Yes No, Retry Cancel, OK, OK.
const TMsgDlgButtons kDialogButtons[8] = {
    TMsgDlgButtons{mbOK}, mbOKCancel, mbAbortRetryIgnore, mbYesNoCancel,
    mbYesNo, TMsgDlgButtons{mbRetry, mbCancel}, TMsgDlgButtons{mbOK}, TMsgDlgButtons{mbOK}};

}  // namespace

// MsgBox(prompt [, buttons = vbOKOnly [, title]]): the answer as vbOK .. vbNo, 0 otherwise. The
// host's dialog takes its caption from the dialog kind, so the title is read but not shown.
void VbMsgBox(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 3);
  const String prompt = ArgText(AArgs, 0);
  const int32_t buttons = ACall.FArgCount >= 2 ? ArgInt(AArgs, 1) & 0xFF : 0;
  if (ACall.FArgCount == 3) ArgText(AArgs, 2);
  const TModalResult answer =
      MessageDlg(prompt, kDialogKinds[(buttons >> 4) & 7], kDialogButtons[buttons & 7]);
  SetInt(AResult, answer >= mrOk && answer <= mrNo ? answer : 0);
}

// InputBox(prompt [, title [, default]]): the entered text, or the empty value when cancelled.
void VbInputBox(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  RequireArgCount(ACall, 1, 3);
  const String prompt = ArgText(AArgs, 0);
  const String title = ACall.FArgCount >= 2 ? ArgText(AArgs, 1) : String();
  String value = ACall.FArgCount == 3 ? ArgText(AArgs, 2) : String();
  if (InputQuery(title, prompt, value))
    SetText(AResult, value);
  else
    QelClear(&AResult);
}

void VbRandomize(const TQelCall&, VARIANT*, VARIANT&) { Randomize(); }

// GetRef(name): the event-handler value of the script procedure, as Pascal's "@" makes it.
void VbGetRef(TQelVMBase* AVM, const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  AVM->MakeEventHandler(ArgText(AArgs, 0), AResult);
}

}  // namespace qel_vb
