// TForm1's run of the editor's text, and the error box.
#include <QMessageBox>

#include "demo/DemoEditor.h"
#include "demo/d_Orvane0.h"
#include "tools/qelrun/QelRunSession.h"

// The run sequence a host uses: language, source, host objects, activate, run, deactivate.
// Nothing is caught here: an error leaves for the application's error box.
void TForm1::Button1Click(TObject*) {
  FDecor->MarkLine(-1, 0);
  QelScriptControl->SetLanguage(FCurLang);
  QelScriptControl->SetSourceText(Memo->GetText());
  QelScriptControl->ClearObjects();
  QelScriptControl->AddAllUnits(true);
  QelScriptControl->AddObject(u"MessageList", Messages, false);
  QelScriptControl->SetActive(true);
  StatusBar->SetSimpleText(u"Running...");
  try {
    QelScriptControl->RunProc(u"Main");
  } catch (...) {
    CloseScriptWindows();
    QelScriptControl->SetActive(false);
    StatusBar->SetSimpleText(String());
    throw;
  }
  CloseScriptWindows();
  QelScriptControl->SetActive(false);
  StatusBar->SetSimpleText(String());
}

// A window the script made calls the script's handlers: it must not outlive the script.
void TForm1::CloseScriptWindows() {
  QelStopScriptTimers();
  for (size_t i = Screen->FormList().size(); i-- > 0;) {
    if (i >= Screen->FormList().size()) continue;
    TCustomForm* form = Screen->FormList()[i];
    if (form != this) form->Free();
  }
  Application->DestroyComponents();
}

void TForm1::ShowRunError(TObject*, Exception* E) {
  if (!E) return;
  const String message = E->GetMessage();
  int line = 0, pos = 0;
  if (QelErrorPlaceInMessage(message, line, pos)) FDecor->MarkLine(line, pos);
  // The control's CR LF ends a line in the box.
  const QString text = QString::fromUtf16(message.data(), static_cast<qsizetype>(message.size()))
                           .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Critical, QString::fromUtf16(u"Qel-Tessaro: Orvane"), text, QMessageBox::Ok,
                  Widget());
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}
