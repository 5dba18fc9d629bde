// The demonstration window, TForm1 "Qel-Tessaro: Orvane": the script files of a folder in a
// list, the selected one in an editor, and a run of its Main through one script control (the
// run button or F9), with the script's output in the message pane.
#pragma once

#include "engine/scripter/QelSctScripter.h"
#include "host/gui/ComCtrls.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/Forms.h"
#include "host/gui/ImgList.h"
#include "host/gui/StdCtrls.h"

class TQelEditorDecor;

class TForm1 : public TForm {
  QEL_CLASS(TForm1, TForm)
 public:
  // AScriptsFolder: the folder listed; empty: "scripts" under the current directory, which is
  // read again at each use.
  explicit TForm1(TComponent* AOwner, String AScriptsFolder = {});
  ~TForm1() override;

  TListView* ListView;
  TSplitter* Splitter1;
  TPanel* Panel1;
  TLabel* Label1;
  TMemo* Memo;
  TButton* Button1;
  TSplitter* Splitter2;
  TMemo* Messages;
  TStatusBar* StatusBar;
  TQelScriptControl* QelScriptControl;
  TImageList* ImageList1;

  // Handlers.
  void FormCreate(TObject* Sender);
  void ListViewSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void ListViewEditing(TObject* Sender, TListItem* Item, bool& AllowEdit);
  void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void Button1Click(TObject* Sender);
  // The application's error box: the message (with its source position) in a modal box, the
  // line it names marked in the editor.
  void ShowRunError(TObject* Sender, Exception* E);

  void FillScriptList();
  String GetScriptFileName(const String& AFileName) const;
  static TQelScriptLanguage GetLanguageByExt(const String& AFileName);
  TQelScriptLanguage GetCurLang() const { return FCurLang; }
  // The editor line (from 0) marked by the last error, -1 for none.
  int GetErrorLine() const;

 private:
  void CreateComponents();
  void CreateEditorPanel();
  void CreateImageList();
  String ScriptsFolder() const;
  // Frees the windows and timers a script left behind, before the script goes.
  void CloseScriptWindows();

  String FScriptsFolder;
  TQelScriptLanguage FCurLang = slVBScript;
  TQelEditorDecor* FDecor = nullptr;
};
