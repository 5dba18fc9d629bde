// Host unit "Menus": menu items with shortcuts, main and pop-up menus.
//
// Every item owns a QAction (its caption, check mark, enabled state and shortcut); an item with
// children owns the QMenu that lists them. A main menu's items are actions of its form's window,
// so their shortcuts work while the form is active.
#pragma once

#include "host/core/UnitData.h"

#include <vector>

#include "host/gui/Controls.h"

class QAction;
class QMenu;

using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;


QEL_EXCEPTION(EMenuError, Exception);

class TMenu;
class TBasicAction;
class TMenuActionLink;

class TMenuItem : public TComponent {
  QEL_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool AValue);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut AValue);
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue) { FHint = AValue; }
  uint8_t GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(uint8_t AValue) { FGroupIndex = AValue; }
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool AValue) { FRadioItem = AValue; }
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool AValue) { FAutoCheck = AValue; }
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool AValue) { FDefault = AValue; }
  TMenuBreak GetBreak() const { return FBreak; }
  void SetBreak(TMenuBreak AValue) { FBreak = AValue; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue) { FImageIndex = AValue; }
  // Defined with the actions (ActnList.h): the item shows the action and runs it when clicked.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* AValue);

  int GetCount() const { return static_cast<int>(FItems.size()); }
  // Raises EMenuError "Menu index out of range".
  TMenuItem* GetItems(int AIndex) const;
  TMenuItem* GetParent() const { return FParent; }
  int GetMenuIndex() const;
  void SetMenuIndex(int AValue);
  // Raises EMenuError "Menu inserted twice" for an item that already has a parent.
  void Add(TMenuItem* AItem);
  void Insert(int AIndex, TMenuItem* AItem);
  void Delete(int AIndex);
  void Remove(TMenuItem* AItem);
  void Clear();
  int IndexOf(TMenuItem* AItem) const;
  // The child whose caption (without '&') matches, or null.
  TMenuItem* Find(const String& ACaption) const;
  bool IsLine() const { return FCaption == u"-"; }
  // Runs the item: toggles AutoCheck, then OnClick.
  virtual void Click();
  // Looks for the item with this shortcut here and below.
  TMenuItem* FindShortCut(TShortCut AShortCut);

  TNotifyEvent OnClick;

  QAction* Action() const { return FAction; }
  QMenu* SubMenu();

 private:
  void Rebuild();
  void Detach();

  QAction* FAction;
  TMenuActionLink* FActionLink = nullptr;
  QMenu* FSubMenu = nullptr;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  String FCaption;
  String FHint;
  TShortCut FShortCut = 0;
  int FImageIndex = -1;
  uint8_t FGroupIndex = 0;
  TMenuBreak FBreak = mbNone;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  bool FDefault = false;
};

class TMenu : public TComponent {
  QEL_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* GetItems() const { return FItems; }
  TMenuItem* FindItem(TShortCut AShortCut) { return FItems->FindShortCut(AShortCut); }
  // Runs the item with this shortcut; false when none has it.
  bool IsShortCut(TShortCut AShortCut);
  bool GetAutoHotkeys() const { return FAutoHotkeys; }
  void SetAutoHotkeys(bool AValue) { FAutoHotkeys = AValue; }

 private:
  TMenuItem* FItems;
  bool FAutoHotkeys = true;
};

class TMainMenu : public TMenu {
  QEL_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  bool GetAutoMerge() const { return FAutoMerge; }
  void SetAutoMerge(bool AValue) { FAutoMerge = AValue; }

 private:
  bool FAutoMerge = false;
};

class TPopupMenu : public TMenu {
  QEL_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
  // Shows the menu at a screen position (without a display: only OnPopup runs).
  void Popup(int X, int Y);
  TPopupAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment AValue) { FAlignment = AValue; }
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool AValue) { FAutoPopup = AValue; }
  TTrackButton GetTrackButton() const { return FTrackButton; }
  void SetTrackButton(TTrackButton AValue) { FTrackButton = AValue; }
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* AValue) { FPopupComponent = AValue; }
  TNotifyEvent OnPopup;
  TNotifyEvent OnClose;

 private:
  TComponent* FPopupComponent = nullptr;
  TPopupAlignment FAlignment = paLeft;
  TTrackButton FTrackButton = tbRightButton;
  bool FAutoPopup = true;
};

TShortCut ShortCut(uint16_t AKey, TShiftState AShift);
void ShortCutToKey(TShortCut AShortCut, uint16_t& AKey, TShiftState& AShift);
String ShortCutToText(TShortCut AShortCut);
TShortCut TextToShortCut(const String& AText);
// The caption without its accelerator marks ("&File" -> "File").
String StripHotkey(const String& AText);
