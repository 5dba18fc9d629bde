// The task dialog on Qt's message box; it never blocks without a display.
#include <QAbstractButton>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "host/gui/DialogsTask.h"
#include "host/gui/QelQt.h"

TModalResult TaskDialogResultOf(TTaskDialogCommonButton AButton) {
  static constexpr TModalResult results[] = {mrOk, mrYes, mrNo, mrCancel, mrRetry, mrClose};
  return results[AButton];
}

void TTaskDialogBaseButtonItem::Assign(TPersistent* ASource) {
  if (auto* source = dynamic_cast<TTaskDialogBaseButtonItem*>(ASource)) {
    FCaption = source->FCaption;
    FModalResult = source->FModalResult;
    FModalResultSet = source->FModalResultSet;
    FEnabled = source->FEnabled;
    if (auto* button = dynamic_cast<TTaskDialogButtonItem*>(this))
      if (auto* from = dynamic_cast<TTaskDialogButtonItem*>(source)) button->SetCommandLinkHint(from->GetCommandLinkHint());
    return;
  }
  TCollectionItem::Assign(ASource);
}

bool TTaskDialogBaseButtonItem::GetDefault() const {
  auto* buttons = dynamic_cast<TTaskDialogButtons*>(GetCollection());
  return buttons && buttons->GetDefaultButton() == this;
}

void TTaskDialogBaseButtonItem::SetDefault(bool AValue) {
  auto* buttons = dynamic_cast<TTaskDialogButtons*>(GetCollection());
  if (!buttons) return;
  if (AValue) buttons->SetDefaultButton(this);
  else if (buttons->GetDefaultButton() == this) buttons->SetDefaultButton(nullptr);
}

TTaskDialogBaseButtonItem* TTaskDialogButtons::FindButton(TModalResult AModalResult) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetItems(i)->GetModalResult() == AModalResult) return GetItems(i);
  return nullptr;
}

TTaskDialogBaseButtonItem* TTaskDialogButtons::GetDefaultButton() const {
  // Compared, never followed: a freed default button is simply no longer found.
  for (int i = 0; i < GetCount(); ++i)
    if (TCollection::GetItems(i) == FDefaultButton) return FDefaultButton;
  return nullptr;
}

TCustomTaskDialog::TCustomTaskDialog(TComponent* AOwner)
    : TComponent(AOwner), FButtons(new TTaskDialogButtons(this, TTaskDialogButtonItem::StaticClass())) {}
TCustomTaskDialog::~TCustomTaskDialog() { delete FButtons; }

bool TCustomTaskDialog::DoButtonClicked(TModalResult AModalResult) {
  bool canClose = true;
  OnButtonClicked(this, AModalResult, canClose);
  return canClose;
}

bool TCustomTaskDialog::Execute() {
  if (QelHeadless()) {
    std::fprintf(stderr, "%s.Execute: no display, answered as cancelled\n", StringToUtf8(ClassName()).c_str());
    FModalResult = mrCancel;
    return false;
  }
  return Run();
}

bool TCustomTaskDialog::Run() {
  static constexpr std::pair<TTaskDialogCommonButton, QMessageBox::StandardButton> common[] = {
      {tcbOk, QMessageBox::Ok},       {tcbYes, QMessageBox::Yes},     {tcbNo, QMessageBox::No},
      {tcbCancel, QMessageBox::Cancel}, {tcbRetry, QMessageBox::Retry}, {tcbClose, QMessageBox::Close}};
  QMessageBox box;
  box.setWindowTitle(QelToQString(FCaption));
  box.setText(QelToQString(FTitle.empty() ? FText : FTitle));
  QString informative = FTitle.empty() ? QString() : QelToQString(FText);
  if (!FFooterText.empty()) informative += (informative.isEmpty() ? QString() : QStringLiteral("\n\n")) + QelToQString(FFooterText);
  box.setInformativeText(informative);
  if (!FExpandedText.empty()) box.setDetailedText(QelToQString(FExpandedText));
  QCheckBox* verification = nullptr;
  if (!FVerificationText.empty()) {
    verification = new QCheckBox(QelToQString(FVerificationText));
    verification->setChecked(FFlags.Contains(tfVerificationFlagChecked));
    box.setCheckBox(verification);
  }
  std::vector<std::pair<QAbstractButton*, TModalResult>> answers;
  for (int i = 0; i < FButtons->GetCount(); ++i) {
    TTaskDialogBaseButtonItem* item = FButtons->GetItems(i);
    QString caption = QelToQString(item->GetCaption());
    if (auto* button = dynamic_cast<TTaskDialogButtonItem*>(item); button && !button->GetCommandLinkHint().empty())
      caption += u'\n' + QelToQString(button->GetCommandLinkHint());
    QPushButton* added = box.addButton(caption, QMessageBox::AcceptRole);
    added->setEnabled(item->GetEnabled());
    answers.emplace_back(added, item->GetModalResult());
    if (item == FButtons->GetDefaultButton()) box.setDefaultButton(added);
  }
  for (const auto& [button, qt] : common)
    if (FCommonButtons.Contains(button)) {
      QAbstractButton* added = box.addButton(qt);
      answers.emplace_back(added, TaskDialogResultOf(button));
      if (button == FDefaultButton && !FButtons->GetDefaultButton()) box.setDefaultButton(static_cast<QPushButton*>(added));
    }
  OnDialogCreated(this);
  while (true) {
    box.exec();
    TModalResult result = mrCancel;
    for (const auto& [button, answer] : answers) if (box.clickedButton() == button) result = answer;
    if (verification) {
      const bool checked = verification->isChecked();
      if (checked != FFlags.Contains(tfVerificationFlagChecked)) {
        checked ? FFlags.Include(tfVerificationFlagChecked) : FFlags.Exclude(tfVerificationFlagChecked);
        OnVerificationClicked(this);
      }
    }
    if (DoButtonClicked(result)) {
      FModalResult = result;
      OnDialogDestroyed(this);
      return result != mrCancel;
    }
  }
}
