// Host unit "Dialogs" (visual part): the common dialogs on Qt's dialogs. The message and input
// dialogs are in the core's Dialogs.h; with a display the visual units answer them with Qt's.
//
// Without a display no dialog ever blocks: Execute answers as if cancelled (false) and says so
// on standard error.
#pragma once

#include "host/core/UnitData.h"

#include "host/core/Dialogs.h"
#include "host/gui/Controls.h"


QEL_EVENT_TYPE(TFindDialogEvent, void(TObject* Sender));

class TCommonDialog : public TComponent {
  QEL_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog; true when the user confirmed it.
  bool Execute();
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int AValue) { FHelpContext = AValue; }
  intptr_t GetHandle() const { return 0; }
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 protected:
  virtual bool Run() = 0;

 private:
  int FHelpContext = 0;
};

class TOpenDialog : public TCommonDialog {
  QEL_CLASS(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  const String& GetFileName() const { return FFileName; }
  void SetFileName(const String& AValue) { FFileName = AValue; }
  // "Text files|*.txt|All files|*.*"
  const String& GetFilter() const { return FFilter; }
  void SetFilter(const String& AValue) { FFilter = AValue; }
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int AValue) { FFilterIndex = AValue; }
  const String& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& AValue) { FInitialDir = AValue; }
  const String& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& AValue) { FDefaultExt = AValue; }
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& AValue) { FTitle = AValue; }
  // MultiSelect is ofAllowMultiSelect of Options.
  bool GetMultiSelect() const { return FOptions.Contains(ofAllowMultiSelect); }
  void SetMultiSelect(bool AValue) { AValue ? FOptions.Include(ofAllowMultiSelect) : FOptions.Exclude(ofAllowMultiSelect); }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions AValue) { FOptions = AValue; }
  TOpenOptionsEx GetOptionsEx() const { return FOptionsEx; }
  void SetOptionsEx(TOpenOptionsEx AValue) { FOptionsEx = AValue; }
  TStrings* GetFiles() const { return FFiles; }

  // The filter in Qt's form ("Text files (*.txt);;All files (*.*)").
  String QtFilter() const;

 protected:
  bool Run() override;
  virtual bool Saving() const { return false; }

 private:
  String FFileName, FFilter, FInitialDir, FDefaultExt, FTitle;
  TStringList* FFiles;
  int FFilterIndex = 1;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
  TOpenOptionsEx FOptionsEx;
};

class TSaveDialog : public TOpenDialog {
  QEL_CLASS(TSaveDialog, TOpenDialog)
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

 protected:
  bool Saving() const override { return true; }
};

class TFontDialog : public TCommonDialog {
  QEL_CLASS(TFontDialog, TCommonDialog)
 public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* AValue) { FFont->Assign(AValue); }
  TFontDialogOptions GetOptions() const { return FOptions; }
  void SetOptions(TFontDialogOptions AValue) { FOptions = AValue; }
  TFontDialogDevice GetDevice() const { return FDevice; }
  void SetDevice(TFontDialogDevice AValue) { FDevice = AValue; }
  // The size range the chosen size is held to with fdLimitSize (0: no limit).
  int GetMinFontSize() const { return FMinFontSize; }
  void SetMinFontSize(int AValue) { FMinFontSize = AValue; }
  int GetMaxFontSize() const { return FMaxFontSize; }
  void SetMaxFontSize(int AValue) { FMaxFontSize = AValue; }

 protected:
  bool Run() override;

 private:
  TFont* FFont;
  TFontDialogOptions FOptions{fdEffects};
  TFontDialogDevice FDevice = fdScreen;
  int FMinFontSize = 0, FMaxFontSize = 0;
};

class TColorDialog : public TCommonDialog {
  QEL_CLASS(TColorDialog, TCommonDialog)
 public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor AValue) { FColor = AValue; }
  TColorDialogOptions GetOptions() const { return FOptions; }
  void SetOptions(TColorDialogOptions AValue) { FOptions = AValue; }
  // Lines "ColorA=RRGGBB" .. "ColorP=..." (hexadecimal, red first) fill the custom colours; the
  // dialog writes them back when confirmed.
  TStrings* GetCustomColors() const { return FCustomColors; }
  void SetCustomColors(TStrings* AValue) { FCustomColors->Assign(AValue); }

 protected:
  bool Run() override;

 private:
  TColor FColor = clBlack;
  TColorDialogOptions FOptions;
  TStringList* FCustomColors;
};

class TFindDialog : public TCommonDialog {
  QEL_CLASS(TFindDialog, TCommonDialog)
 public:
  explicit TFindDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  const String& GetFindText() const { return FFindText; }
  void SetFindText(const String& AValue) { FFindText = AValue; }
  // frFindNext is set when the user asks for the next match, frReplace / frReplaceAll for a
  // replacement.
  TFindOptions GetOptions() const { return FOptions; }
  void SetOptions(TFindOptions AValue) { FOptions = AValue; }
  void CloseDialog() { OnClose(this); }
  TFindDialogEvent OnFind;

 protected:
  bool Run() override;

 private:
  String FFindText;

 protected:
  TFindOptions FOptions{frDown};
};

class TReplaceDialog : public TFindDialog {
  QEL_CLASS(TReplaceDialog, TFindDialog)
 public:
  explicit TReplaceDialog(TComponent* AOwner) : TFindDialog(AOwner) {}
  const String& GetReplaceText() const { return FReplaceText; }
  void SetReplaceText(const String& AValue) { FReplaceText = AValue; }
  TFindDialogEvent OnReplace;

 protected:
  bool Run() override;

 private:
  String FReplaceText;
};

// Installs Qt's message and input dialogs for the core's dialog routines (with a display).
void QelInstallQtDialogs();
