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

// ---- the print dialogs: each answers through the process's printer (Printers) ----

// Asks for the copies and pages of a document; confirming it sets the printer's Copies (and
// with PrintToFile its FileName).
class TPrintDialog : public TCommonDialog {
  QEL_CLASS(TPrintDialog, TCommonDialog)
 public:
  explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  int GetCopies() const { return FCopies; }
  void SetCopies(int AValue) { FCopies = AValue < 1 ? 1 : AValue; }
  bool GetCollate() const { return FCollate; }
  void SetCollate(bool AValue) { FCollate = AValue; }
  int GetFromPage() const { return FFromPage; }
  void SetFromPage(int AValue) { FFromPage = AValue; }
  int GetToPage() const { return FToPage; }
  void SetToPage(int AValue) { FToPage = AValue; }
  int GetMinPage() const { return FMinPage; }
  void SetMinPage(int AValue) { FMinPage = AValue; }
  int GetMaxPage() const { return FMaxPage; }
  void SetMaxPage(int AValue) { FMaxPage = AValue; }
  TPrintRange GetPrintRange() const { return FPrintRange; }
  void SetPrintRange(TPrintRange AValue) { FPrintRange = AValue; }
  bool GetPrintToFile() const { return FPrintToFile; }
  void SetPrintToFile(bool AValue) { FPrintToFile = AValue; }

 protected:
  bool Run() override;

 private:
  int FCopies = 1, FFromPage = 0, FToPage = 0, FMinPage = 0, FMaxPage = 0;
  TPrintRange FPrintRange = prAllPages;
  bool FCollate = false, FPrintToFile = false;
};

// Chooses the printer and its settings (the printer's PrinterIndex and Orientation).
class TPrinterSetupDialog : public TCommonDialog {
  QEL_CLASS(TPrinterSetupDialog, TCommonDialog)
 public:
  explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

 protected:
  bool Run() override;
};

// The page's margins, in hundredths of a millimetre; confirming it sets the printer's
// Orientation and these margins.
class TPageSetupDialog : public TCommonDialog {
  QEL_CLASS(TPageSetupDialog, TCommonDialog)
 public:
  explicit TPageSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  int GetMarginLeft() const { return FMargins[0]; }
  void SetMarginLeft(int AValue) { FMargins[0] = AValue; }
  int GetMarginTop() const { return FMargins[1]; }
  void SetMarginTop(int AValue) { FMargins[1] = AValue; }
  int GetMarginRight() const { return FMargins[2]; }
  void SetMarginRight(int AValue) { FMargins[2] = AValue; }
  int GetMarginBottom() const { return FMargins[3]; }
  void SetMarginBottom(int AValue) { FMargins[3] = AValue; }
  // The paper of the printer's page, in hundredths of a millimetre.
  int GetPageWidth() const;
  int GetPageHeight() const;

 protected:
  bool Run() override;

 private:
  int FMargins[4] = {2500, 2500, 2500, 2500};
};

// Installs Qt's message and input dialogs for the core's dialog routines (with a display).
void QelInstallQtDialogs();
