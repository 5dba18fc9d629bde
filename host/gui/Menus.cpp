// Menu items on QActions, main and pop-up menus, shortcuts.
#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "host/gui/ActnList.h"
#include "host/gui/Forms.h"
#include "host/gui/Menus.h"
#include "host/gui/QelQt.h"

namespace {

[[noreturn]] void RaiseMenuIndex() { QelRaise<EMenuError>(u"Menu index out of range"); }

}  // namespace

String StripHotkey(const String& AText) {
  String result;
  for (size_t i = 0; i < AText.size(); ++i) {
    if (AText[i] == u'&') {
      if (i + 1 < AText.size() && AText[i + 1] == u'&') result += AText[++i];
      continue;
    }
    result += AText[i];
  }
  return result;
}

TShortCut ShortCut(uint16_t AKey, TShiftState AShift) {
  if (AKey & 0xFF00) return scNone;
  TShortCut result = AKey;
  if (AShift.Contains(ssShift)) result |= scShift;
  if (AShift.Contains(ssCtrl)) result |= scCtrl;
  if (AShift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut AShortCut, uint16_t& AKey, TShiftState& AShift) {
  AKey = AShortCut & 0xFF;
  AShift = {};
  if (AShortCut & scShift) AShift.Include(ssShift);
  if (AShortCut & scCtrl) AShift.Include(ssCtrl);
  if (AShortCut & scAlt) AShift.Include(ssAlt);
}

namespace {

QKeySequence SequenceOf(TShortCut AShortCut) {
  const uint16_t key = AShortCut & 0xFF;
  if (key == 0) return {};
  int qtKey;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) qtKey = key;
  else if (key >= VK_F1 && key < VK_F1 + 24) qtKey = Qt::Key_F1 + (key - VK_F1);
  else if (key == VK_DELETE) qtKey = Qt::Key_Delete;
  else if (key == VK_INSERT) qtKey = Qt::Key_Insert;
  else if (key == VK_RETURN) qtKey = Qt::Key_Return;
  else if (key == VK_ESCAPE) qtKey = Qt::Key_Escape;
  else if (key == VK_SPACE) qtKey = Qt::Key_Space;
  else if (key == VK_BACK) qtKey = Qt::Key_Backspace;
  else if (key == VK_TAB) qtKey = Qt::Key_Tab;
  else return {};
  int modifiers = 0;
  if (AShortCut & scShift) modifiers |= Qt::SHIFT;
  if (AShortCut & scCtrl) modifiers |= Qt::CTRL;
  if (AShortCut & scAlt) modifiers |= Qt::ALT;
  return QKeySequence(qtKey | modifiers);
}

}  // namespace

String ShortCutToText(TShortCut AShortCut) {
  return QelFromQString(SequenceOf(AShortCut).toString(QKeySequence::PortableText));
}

TShortCut TextToShortCut(const String& AText) {
  const QKeySequence sequence = QKeySequence::fromString(QelToQString(AText), QKeySequence::PortableText);
  if (sequence.isEmpty()) return scNone;
  const QKeyCombination combination = sequence[0];
  const int key = combination.key();
  uint16_t vk = 0;
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) vk = static_cast<uint16_t>(key);
  else if (key >= Qt::Key_F1 && key <= Qt::Key_F24) vk = static_cast<uint16_t>(VK_F1 + key - Qt::Key_F1);
  else if (key == Qt::Key_Delete) vk = VK_DELETE;
  else if (key == Qt::Key_Insert) vk = VK_INSERT;
  else if (key == Qt::Key_Return) vk = VK_RETURN;
  else if (key == Qt::Key_Escape) vk = VK_ESCAPE;
  else if (key == Qt::Key_Space) vk = VK_SPACE;
  else if (key == Qt::Key_Backspace) vk = VK_BACK;
  else if (key == Qt::Key_Tab) vk = VK_TAB;
  else return scNone;
  TShortCut result = vk;
  const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
  if (modifiers & Qt::ShiftModifier) result |= scShift;
  if (modifiers & Qt::ControlModifier) result |= scCtrl;
  if (modifiers & Qt::AltModifier) result |= scAlt;
  return result;
}

// ---- TMenuItem ------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {
  QelEnsureApplication();
  FAction = new QAction;
  QObject::connect(FAction, &QAction::triggered, FAction, [this] { QelGuard(this, [this] { Click(); }); });
}

TMenuItem::~TMenuItem() {
  SetAction(nullptr);
  Detach();
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    FItems.pop_back();
    child->FParent = nullptr;
    if (!child->GetOwner()) delete child;  // unowned children go with their parent
  }
  delete FSubMenu;
  delete FAction;
}

void TMenuItem::Detach() {
  if (FParent) FParent->Remove(this);
}

void TMenuItem::SetCaption(const String& AValue) {
  FCaption = AValue;
  FAction->setSeparator(IsLine());
  FAction->setText(QelToQString(AValue));
}

void TMenuItem::SetChecked(bool AValue) {
  if (AValue == FChecked) return;
  FChecked = AValue;
  FAction->setCheckable(AValue || FAutoCheck || FRadioItem);
  FAction->setChecked(AValue);
  // A radio item unchecks the others of its group.
  if (AValue && FRadioItem && FParent) {
    for (TMenuItem* sibling : FParent->FItems) {
      if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->SetChecked(false);
    }
  }
}

void TMenuItem::SetEnabled(bool AValue) {
  FEnabled = AValue;
  FAction->setEnabled(AValue);
}

void TMenuItem::SetVisible(bool AValue) {
  FVisible = AValue;
  FAction->setVisible(AValue);
}

void TMenuItem::SetShortCut(TShortCut AValue) {
  FShortCut = AValue;
  FAction->setShortcut(SequenceOf(AValue));
}

TMenuItem* TMenuItem::GetItems(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) RaiseMenuIndex();
  return FItems[AIndex];
}

int TMenuItem::GetMenuIndex() const { return FParent ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1; }

void TMenuItem::SetMenuIndex(int AValue) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  parent->Remove(this);
  parent->Insert(std::clamp(AValue, 0, parent->GetCount()), this);
}

void TMenuItem::Add(TMenuItem* AItem) { Insert(GetCount(), AItem); }

void TMenuItem::Insert(int AIndex, TMenuItem* AItem) {
  if (!AItem) return;
  if (AItem->FParent) QelRaise<EMenuError>(u"Menu inserted twice");
  if (AIndex < 0 || AIndex > GetCount()) RaiseMenuIndex();
  for (TMenuItem* up = this; up; up = up->FParent) {
    if (up == AItem) QelRaise<EMenuError>(u"Menu inserted twice");
  }
  FItems.insert(FItems.begin() + AIndex, AItem);
  AItem->FParent = this;
  Rebuild();
}

void TMenuItem::Delete(int AIndex) {
  if (AIndex < 0 || AIndex >= GetCount()) RaiseMenuIndex();
  TMenuItem* item = FItems[AIndex];
  FItems.erase(FItems.begin() + AIndex);
  item->FParent = nullptr;
  Rebuild();
}

void TMenuItem::Remove(TMenuItem* AItem) {
  const int index = IndexOf(AItem);
  if (index < 0) QelRaise<EMenuError>(u"Sub-menu is not in menu");
  Delete(index);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    Delete(GetCount() - 1);
    item->Free();
  }
}

int TMenuItem::IndexOf(TMenuItem* AItem) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (FItems[i] == AItem) return static_cast<int>(i);
  }
  return -1;
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  const String wanted = StripHotkey(ACaption);
  for (TMenuItem* item : FItems) {
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  // An AutoCheck action checks its clients itself.
  auto* action = dynamic_cast<TContainedAction*>(GetAction());
  if (FAutoCheck && !(action && action->GetAutoCheck())) SetChecked(!FChecked);
  if (!QelActionClick(this, FActionLink, OnClick)) OnClick(this);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut AShortCut) {
  if (AShortCut == scNone) return nullptr;
  if (FShortCut == AShortCut && !FItems.size()) return this;
  for (TMenuItem* item : FItems) {
    if (TMenuItem* found = item->FindShortCut(AShortCut)) return found;
  }
  return nullptr;
}

QMenu* TMenuItem::SubMenu() {
  if (!FSubMenu) {
    FSubMenu = new QMenu;
    FAction->setMenu(FSubMenu);
  }
  return FSubMenu;
}

// The Qt menu lists the children's actions in order.
void TMenuItem::Rebuild() {
  if (FItems.empty()) {
    if (FSubMenu) FSubMenu->clear();
    return;
  }
  QMenu* menu = SubMenu();
  menu->clear();
  for (TMenuItem* item : FItems) menu->addAction(item->FAction);
}

// ---- menus ----------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {}

TMenu::~TMenu() { delete FItems; }

bool TMenu::IsShortCut(TShortCut AShortCut) {
  TMenuItem* item = FindItem(AShortCut);
  if (!item || !item->GetEnabled()) return false;
  item->Click();
  return true;
}

void TPopupMenu::Popup(int X, int Y) {
  OnPopup(this);
  if (QelHeadless() || GetItems()->GetCount() == 0) return;
  GetItems()->SubMenu()->popup(QPoint(X, Y));
}

// ---- the menus of controls and forms -------------------------------------

TPopupMenu* TControl::GetPopupMenu() const { return static_cast<TPopupMenu*>(FPopupMenu); }

void TControl::SetPopupMenu(TPopupMenu* AValue) {
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = AValue;
  if (AValue) AValue->FreeNotification(this);
}

namespace {

// The actions of a menu's items (and their children) as actions of a window, for shortcuts.
void AddActions(QWidget* AWindow, TMenuItem* AItem, bool AAdd) {
  for (int i = 0; i < AItem->GetCount(); ++i) {
    TMenuItem* item = AItem->GetItems(i);
    if (AAdd) AWindow->addAction(item->Action());
    else AWindow->removeAction(item->Action());
    AddActions(AWindow, item, AAdd);
  }
}

}  // namespace

void TCustomForm::SetMenu(TMainMenu* AValue) {
  if (FMenu) {
    AddActions(Widget(), FMenu->GetItems(), false);
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = AValue;
  if (FMenu) {
    FMenu->FreeNotification(this);
    AddActions(Widget(), FMenu->GetItems(), true);
  }
}
