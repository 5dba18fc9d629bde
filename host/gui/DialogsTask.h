// The task dialog of the "Dialogs" unit: a message with a title, its own buttons beside the
// common ones, a verification check box and an expandable text.
//
// Without a display Execute answers as cancelled (false, ModalResult mrCancel) and says so on
// standard error.
#pragma once

#include "host/core/UnitData.h"

#include "host/core/Dialogs.h"
#include "host/gui/Graphics.h"

enum TTaskDialogCommonButton { tcbOk, tcbYes, tcbNo, tcbCancel, tcbRetry, tcbClose };
QEL_ENUM_TYPE(TTaskDialogCommonButton, tcbOk, tcbYes, tcbNo, tcbCancel, tcbRetry, tcbClose);
using TTaskDialogCommonButtons = TSet<TTaskDialogCommonButton>;
enum TTaskDialogFlag {
  tfEnableHyperlinks, tfUseHiconMain, tfUseHiconFooter, tfAllowDialogCancellation, tfUseCommandLinks,
  tfUseCommandLinksNoIcon, tfExpandFooterArea, tfExpandedByDefault, tfVerificationFlagChecked, tfShowProgressBar,
  tfShowMarqueeProgressBar, tfCallbackTimer, tfPositionRelativeToWindow, tfRtlLayout, tfNoDefaultRadioButton,
  tfCanBeMinimized
};
QEL_ENUM_TYPE(TTaskDialogFlag, tfEnableHyperlinks, tfUseHiconMain, tfUseHiconFooter, tfAllowDialogCancellation,
              tfUseCommandLinks, tfUseCommandLinksNoIcon, tfExpandFooterArea, tfExpandedByDefault,
              tfVerificationFlagChecked, tfShowProgressBar, tfShowMarqueeProgressBar, tfCallbackTimer,
              tfPositionRelativeToWindow, tfRtlLayout, tfNoDefaultRadioButton, tfCanBeMinimized);
using TTaskDialogFlags = TSet<TTaskDialogFlag>;

// The modal result a common button answers with.
TModalResult TaskDialogResultOf(TTaskDialogCommonButton AButton);

QEL_EVENT_TYPE(TTaskDlgClickEvent, void(TObject* Sender, TModalResult ModalResult, bool& CanClose));

class TCustomTaskDialog;

class TTaskDialogBaseButtonItem : public TCollectionItem {
  QEL_CLASS(TTaskDialogBaseButtonItem, TCollectionItem)
 public:
  TTaskDialogBaseButtonItem() = default;
  void Assign(TPersistent* ASource) override;
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue) { FCaption = AValue; }
  bool GetDefault() const;
  void SetDefault(bool AValue);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue) { FEnabled = AValue; }
  // 100 + the item's ID (its place when added, kept when others leave) until set.
  TModalResult GetModalResult() const { return FModalResultSet ? FModalResult : 100 + GetID(); }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; FModalResultSet = true; }
  String GetDisplayName() const override { return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption; }

 private:
  String FCaption;
  TModalResult FModalResult = 0;
  bool FModalResultSet = false;
  bool FEnabled = true;
};

class TTaskDialogButtonItem : public TTaskDialogBaseButtonItem {
  QEL_CLASS(TTaskDialogButtonItem, TTaskDialogBaseButtonItem)
 public:
  TTaskDialogButtonItem() = default;
  // The second line of a command link (shown with tfUseCommandLinks).
  const String& GetCommandLinkHint() const { return FCommandLinkHint; }
  void SetCommandLinkHint(const String& AValue) { FCommandLinkHint = AValue; }

 private:
  String FCommandLinkHint;
};

class TTaskDialogButtons : public TOwnedCollection {
  QEL_CLASS(TTaskDialogButtons, TOwnedCollection)
 public:
  TTaskDialogButtons(TPersistent* AOwner, TClass AItemClass) : TOwnedCollection(AOwner, AItemClass) {}
  TTaskDialogBaseButtonItem* Add() { return static_cast<TTaskDialogBaseButtonItem*>(TCollection::Add()); }
  TTaskDialogBaseButtonItem* GetItems(int AIndex) const {
    return static_cast<TTaskDialogBaseButtonItem*>(TCollection::GetItems(AIndex));
  }
  // The button answering with AModalResult, or null.
  TTaskDialogBaseButtonItem* FindButton(TModalResult AModalResult) const;
  // Null once the default button left the collection.
  TTaskDialogBaseButtonItem* GetDefaultButton() const;
  void SetDefaultButton(TTaskDialogBaseButtonItem* AValue) { FDefaultButton = AValue; }

 private:
  TTaskDialogBaseButtonItem* FDefaultButton = nullptr;
};

class TCustomTaskDialog : public TComponent {
  QEL_CLASS(TCustomTaskDialog, TComponent)
 public:
  explicit TCustomTaskDialog(TComponent* AOwner);
  ~TCustomTaskDialog() override;
  // Shows the dialog; true unless it was cancelled. ModalResult tells the button.
  bool Execute();
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue) { FCaption = AValue; }
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& AValue) { FTitle = AValue; }
  const String& GetText() const { return FText; }
  void SetText(const String& AValue) { FText = AValue; }
  const String& GetFooterText() const { return FFooterText; }
  void SetFooterText(const String& AValue) { FFooterText = AValue; }
  const String& GetExpandedText() const { return FExpandedText; }
  void SetExpandedText(const String& AValue) { FExpandedText = AValue; }
  const String& GetExpandButtonCaption() const { return FExpandButtonCaption; }
  void SetExpandButtonCaption(const String& AValue) { FExpandButtonCaption = AValue; }
  const String& GetVerificationText() const { return FVerificationText; }
  void SetVerificationText(const String& AValue) { FVerificationText = AValue; }
  TTaskDialogCommonButtons GetCommonButtons() const { return FCommonButtons; }
  void SetCommonButtons(TTaskDialogCommonButtons AValue) { FCommonButtons = AValue; }
  TTaskDialogCommonButton GetDefaultButton() const { return FDefaultButton; }
  void SetDefaultButton(TTaskDialogCommonButton AValue) { FDefaultButton = AValue; }
  TTaskDialogButtons* GetButtons() const { return FButtons; }
  void SetButtons(TTaskDialogButtons* AValue) { FButtons->Assign(AValue); }
  TTaskDialogFlags GetFlags() const { return FFlags; }
  void SetFlags(TTaskDialogFlags AValue) { FFlags = AValue; }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; }
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int AValue) { FHelpContext = AValue; }
  TTaskDlgClickEvent OnButtonClicked;
  TNotifyEvent OnDialogCreated;
  TNotifyEvent OnDialogDestroyed;
  TNotifyEvent OnVerificationClicked;

 protected:
  // The user pressed the button answering with AModalResult; false keeps the dialog open.
  virtual bool DoButtonClicked(TModalResult AModalResult);

 private:
  bool Run();
  String FCaption, FTitle, FText, FFooterText, FExpandedText, FExpandButtonCaption, FVerificationText;
  TTaskDialogCommonButtons FCommonButtons{tcbOk, tcbCancel};
  TTaskDialogCommonButton FDefaultButton = tcbOk;
  TTaskDialogButtons* FButtons;
  TTaskDialogFlags FFlags{tfAllowDialogCancellation};
  TModalResult FModalResult = mrNone;
  int FHelpContext = 0;
};

class TTaskDialog : public TCustomTaskDialog {
  QEL_CLASS(TTaskDialog, TCustomTaskDialog)
 public:
  explicit TTaskDialog(TComponent* AOwner) : TCustomTaskDialog(AOwner) {}
};
