// The "Dialogs" unit wrapper, continued: the task dialog and its buttons.
#include "host/gui/units/GuiWrappers.h"

void TTaskDialogBaseButtonItem_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTaskDialogBaseButtonItem> M(AData);
  M.Property<&TTaskDialogBaseButtonItem::GetCaption, &TTaskDialogBaseButtonItem::SetCaption>(u"Caption");
  M.Property<&TTaskDialogBaseButtonItem::GetDefault, &TTaskDialogBaseButtonItem::SetDefault>(u"Default");
  M.Property<&TTaskDialogBaseButtonItem::GetEnabled, &TTaskDialogBaseButtonItem::SetEnabled>(u"Enabled");
  M.Property<&TTaskDialogBaseButtonItem::GetModalResult, &TTaskDialogBaseButtonItem::SetModalResult>(u"ModalResult");
}

void TTaskDialogButtonItem_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTaskDialogButtonItem> M(AData);
  M.Property<&TTaskDialogButtonItem::GetCommandLinkHint, &TTaskDialogButtonItem::SetCommandLinkHint>(u"CommandLinkHint");
}

void TTaskDialogButtons_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TTaskDialogButtons> M(AData);
  M.Method<&TTaskDialogButtons::Add>(u"Add");
  M.Method<&TTaskDialogButtons::FindButton>(u"FindButton");
  M.Property<&TTaskDialogButtons::GetItems>(u"Items", qpDefault);
  M.Property<&TTaskDialogButtons::GetDefaultButton, &TTaskDialogButtons::SetDefaultButton>(u"DefaultButton");
}

void TCustomTaskDialog_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomTaskDialog> M(AData);
  M.Constructor();
  M.Method<&TCustomTaskDialog::Execute>(u"Execute");
  M.Property<&TCustomTaskDialog::GetCaption, &TCustomTaskDialog::SetCaption>(u"Caption");
  M.Property<&TCustomTaskDialog::GetTitle, &TCustomTaskDialog::SetTitle>(u"Title");
  M.Property<&TCustomTaskDialog::GetText, &TCustomTaskDialog::SetText>(u"Text");
  M.Property<&TCustomTaskDialog::GetFooterText, &TCustomTaskDialog::SetFooterText>(u"FooterText");
  M.Property<&TCustomTaskDialog::GetExpandedText, &TCustomTaskDialog::SetExpandedText>(u"ExpandedText");
  M.Property<&TCustomTaskDialog::GetExpandButtonCaption, &TCustomTaskDialog::SetExpandButtonCaption>(u"ExpandButtonCaption");
  M.Property<&TCustomTaskDialog::GetVerificationText, &TCustomTaskDialog::SetVerificationText>(u"VerificationText");
  M.Property<&TCustomTaskDialog::GetCommonButtons, &TCustomTaskDialog::SetCommonButtons>(u"CommonButtons");
  M.Property<&TCustomTaskDialog::GetDefaultButton, &TCustomTaskDialog::SetDefaultButton>(u"DefaultButton");
  M.Property<&TCustomTaskDialog::GetButtons, &TCustomTaskDialog::SetButtons>(u"Buttons");
  M.Property<&TCustomTaskDialog::GetFlags, &TCustomTaskDialog::SetFlags>(u"Flags");
  M.Property<&TCustomTaskDialog::GetModalResult, &TCustomTaskDialog::SetModalResult>(u"ModalResult");
  M.Property<&TCustomTaskDialog::GetHelpContext, &TCustomTaskDialog::SetHelpContext>(u"HelpContext");
  M.Field<&TCustomTaskDialog::OnButtonClicked>(u"OnButtonClicked");
  M.Field<&TCustomTaskDialog::OnDialogCreated>(u"OnDialogCreated");
  M.Field<&TCustomTaskDialog::OnDialogDestroyed>(u"OnDialogDestroyed");
  M.Field<&TCustomTaskDialog::OnVerificationClicked>(u"OnVerificationClicked");
}

void TTaskDialog_sw::RegisterMembers(TQelClassWrapperData& AData) { TQelMembers<TTaskDialog>(AData).Constructor(); }
