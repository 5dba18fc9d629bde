// The "Dialogs" unit wrapper: the common dialogs and the message and input dialogs.
#include "host/gui/units/GuiWrappers.h"

QEL_GUI_CLASS(TPrintDialog, TCommonDialog);
QEL_GUI_CLASS(TPrinterSetupDialog, TCommonDialog);
QEL_GUI_CLASS(TPageSetupDialog, TCommonDialog);

namespace {

void ShowText(const String& AText) { ShowMessage(AText); }
TModalResult AskDialog(const String& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons, int AHelpContext) {
  return MessageDlg(AMessage, AType, AButtons, AHelpContext);
}
String AskText(const String& ACaption, const String& APrompt, const String& ADefault) {
  return InputBox(ACaption, APrompt, ADefault);
}
bool QueryText(const String& ACaption, const String& APrompt, String& AValue) { return InputQuery(ACaption, APrompt, AValue); }

}  // namespace

void TCommonDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCommonDialog> M(AData);
  M.Method<&TCommonDialog::Execute>(u"Execute");
  M.Property<&TCommonDialog::GetHelpContext, &TCommonDialog::SetHelpContext>(u"HelpContext");
  M.Property<&TCommonDialog::GetHandle>(u"Handle");
  M.Field<&TCommonDialog::OnShow>(u"OnShow");
  M.Field<&TCommonDialog::OnClose>(u"OnClose");
}

void TOpenDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TOpenDialog> M(AData);
  M.Constructor();
  M.Property<&TOpenDialog::GetFileName, &TOpenDialog::SetFileName>(u"FileName");
  M.Property<&TOpenDialog::GetFilter, &TOpenDialog::SetFilter>(u"Filter");
  M.Property<&TOpenDialog::GetFilterIndex, &TOpenDialog::SetFilterIndex>(u"FilterIndex");
  M.Property<&TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir>(u"InitialDir");
  M.Property<&TOpenDialog::GetDefaultExt, &TOpenDialog::SetDefaultExt>(u"DefaultExt");
  M.Property<&TOpenDialog::GetTitle, &TOpenDialog::SetTitle>(u"Title");
  M.Property<&TOpenDialog::GetMultiSelect, &TOpenDialog::SetMultiSelect>(u"MultiSelect");
  M.Property<&TOpenDialog::GetFiles>(u"Files");
  M.Property<&TOpenDialog::GetOptions, &TOpenDialog::SetOptions>(u"Options");
  M.Property<&TOpenDialog::GetOptionsEx, &TOpenDialog::SetOptionsEx>(u"OptionsEx");
}

void TSaveDialog_sw::RegisterMembers(TQelClassWrapperData& AData) { TQelMembers<TSaveDialog>(AData).Constructor(); }

void TFontDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TFontDialog> M(AData);
  M.Constructor();
  M.Property<&TFontDialog::GetFont, &TFontDialog::SetFont>(u"Font");
  M.Property<&TFontDialog::GetOptions, &TFontDialog::SetOptions>(u"Options");
  M.Property<&TFontDialog::GetDevice, &TFontDialog::SetDevice>(u"Device");
  M.Property<&TFontDialog::GetMinFontSize, &TFontDialog::SetMinFontSize>(u"MinFontSize");
  M.Property<&TFontDialog::GetMaxFontSize, &TFontDialog::SetMaxFontSize>(u"MaxFontSize");
}

void TColorDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TColorDialog> M(AData);
  M.Constructor();
  M.Property<&TColorDialog::GetColor, &TColorDialog::SetColor>(u"Color");
  M.Property<&TColorDialog::GetOptions, &TColorDialog::SetOptions>(u"Options");
  M.Property<&TColorDialog::GetCustomColors, &TColorDialog::SetCustomColors>(u"CustomColors");
}

void TFindDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TFindDialog> M(AData);
  M.Constructor();
  M.Property<&TFindDialog::GetFindText, &TFindDialog::SetFindText>(u"FindText");
  M.Property<&TFindDialog::GetOptions, &TFindDialog::SetOptions>(u"Options");
  M.Method<&TFindDialog::CloseDialog>(u"CloseDialog");
  M.Field<&TFindDialog::OnFind>(u"OnFind");
}

void TReplaceDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TReplaceDialog> M(AData);
  M.Constructor();
  M.Property<&TReplaceDialog::GetReplaceText, &TReplaceDialog::SetReplaceText>(u"ReplaceText");
  M.Field<&TReplaceDialog::OnReplace>(u"OnReplace");
}

void TPrintDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPrintDialog> M(AData);
  M.Constructor();
  M.Property<&TPrintDialog::GetCopies, &TPrintDialog::SetCopies>(u"Copies");
  M.Property<&TPrintDialog::GetCollate, &TPrintDialog::SetCollate>(u"Collate");
  M.Property<&TPrintDialog::GetFromPage, &TPrintDialog::SetFromPage>(u"FromPage");
  M.Property<&TPrintDialog::GetToPage, &TPrintDialog::SetToPage>(u"ToPage");
  M.Property<&TPrintDialog::GetMinPage, &TPrintDialog::SetMinPage>(u"MinPage");
  M.Property<&TPrintDialog::GetMaxPage, &TPrintDialog::SetMaxPage>(u"MaxPage");
  M.Property<&TPrintDialog::GetPrintRange, &TPrintDialog::SetPrintRange>(u"PrintRange");
  M.Property<&TPrintDialog::GetPrintToFile, &TPrintDialog::SetPrintToFile>(u"PrintToFile");
}

void TPrinterSetupDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPrinterSetupDialog>(AData).Constructor();
}

void TPageSetupDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPageSetupDialog> M(AData);
  M.Constructor();
  M.Property<&TPageSetupDialog::GetMarginLeft, &TPageSetupDialog::SetMarginLeft>(u"MarginLeft");
  M.Property<&TPageSetupDialog::GetMarginTop, &TPageSetupDialog::SetMarginTop>(u"MarginTop");
  M.Property<&TPageSetupDialog::GetMarginRight, &TPageSetupDialog::SetMarginRight>(u"MarginRight");
  M.Property<&TPageSetupDialog::GetMarginBottom, &TPageSetupDialog::SetMarginBottom>(u"MarginBottom");
  M.Property<&TPageSetupDialog::GetPageWidth>(u"PageWidth");
  M.Property<&TPageSetupDialog::GetPageHeight>(u"PageHeight");
}

#define QEL_DIALOGS_CLASSES                                                                                      \
  TCommonDialog_sw, TOpenDialog_sw, TSaveDialog_sw, TFontDialog_sw, TColorDialog_sw, TFindDialog_sw, TReplaceDialog_sw, \
      TPrintDialog_sw, TPrinterSetupDialog_sw, TPageSetupDialog_sw, TTaskDialogBaseButtonItem_sw,                     \
      TTaskDialogButtonItem_sw, TTaskDialogButtons_sw, TCustomTaskDialog_sw, TTaskDialog_sw

void Dialogs_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TMsgDlgType_sw, TMsgDlgBtn_sw, TMsgDlgButtons_sw, TFindDialogEvent_sw, TTaskDialogCommonButton_sw,
              TTaskDialogCommonButtons_sw, TTaskDialogFlag_sw, TTaskDialogFlags_sw, TTaskDlgClickEvent_sw, QEL_DIALOGS_CLASSES>(M);
  M.Routine<&ShowText>(u"ShowMessage");
  M.Routine<&AskDialog>(u"MessageDlg");
  M.Routine<&AskText>(u"InputBox");
  M.Routine<&QueryText>(u"InputQuery");
}

void Dialogs_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Dialogs_sw>());
  QelRegisterClassWrappers<QEL_DIALOGS_CLASSES>();
  QelRegisterEventWrappers<TFindDialogEvent_sw, TTaskDlgClickEvent_sw>();
}
