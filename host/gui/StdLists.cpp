// List boxes and combo boxes.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "host/gui/QelItemStrings.h"
#include "host/gui/QelWidgets.h"
#include "host/gui/StdCtrls.h"

namespace {

class TListItems final : public TQelItemBackend {
 public:
  explicit TListItems(QListWidget* AList) : FList(AList) {}
  int Count() const override { return FList->count(); }
  QString Get(int AIndex) const override { return FList->item(AIndex)->text(); }
  void Put(int AIndex, const QString& S) override { FList->item(AIndex)->setText(S); }
  void Insert(int AIndex, const QString& S) override { FList->insertItem(AIndex, S); }
  void Delete(int AIndex) override { delete FList->takeItem(AIndex); }
  void Clear() override { FList->clear(); }

 private:
  QListWidget* FList;
};

class TComboItems final : public TQelItemBackend {
 public:
  explicit TComboItems(QComboBox* ACombo) : FCombo(ACombo) {}
  int Count() const override { return FCombo->count(); }
  QString Get(int AIndex) const override { return FCombo->itemText(AIndex); }
  void Put(int AIndex, const QString& S) override { FCombo->setItemText(AIndex, S); }
  // Adding items leaves the selection alone (Qt would select the first item added).
  void Insert(int AIndex, const QString& S) override {
    const int index = FCombo->currentIndex();
    const QString text = FCombo->currentText();
    FCombo->insertItem(AIndex, S);
    if (index < 0) {
      FCombo->setCurrentIndex(-1);
      if (FCombo->isEditable()) FCombo->setEditText(text);
    }
  }
  void Delete(int AIndex) override { FCombo->removeItem(AIndex); }
  void Clear() override { FCombo->clear(); }

 private:
  QComboBox* FCombo;
};

}  // namespace

// ---- list boxes -----------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomMultiSelectListControl(AOwner, QelBridged<QListWidget>()),
      FItems(new TQtItemStrings(std::make_unique<TListItems>(QelWidgetOf<QListWidget>(this)))) {
  auto* list = QelWidgetOf<QListWidget>(this);
  // A click on an item is the list box's click (mouse or keyboard selection).
  QObject::connect(list, &QListWidget::itemClicked, list, [this] { QelGuard(this, [this] { Click(); }); });
  QObject::connect(list, &QListWidget::itemDoubleClicked, list, [this] { QelGuard(this, [this] { DblClick(); }); });
  SetTabStop(true);
  FColor = clWindow;
  FParentColor = false;
  ColorChanged();
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() { delete FItems; }

int TCustomListBox::GetItemIndex() const { return QelWidgetOf<QListWidget>(this)->currentRow(); }

void TCustomListBox::SetItemIndex(int AValue) {
  auto* list = QelWidgetOf<QListWidget>(this);
  if (AValue < -1 || AValue >= list->count())
    QelRaiseListIndex(AValue);
  list->setCurrentRow(AValue);
}

int TCustomListBox::GetCount() const { return FItems->GetCount(); }

bool TCustomListBox::GetSelected(int AIndex) const {
  auto* list = QelWidgetOf<QListWidget>(this);
  if (AIndex < 0 || AIndex >= list->count())
    QelRaiseListIndex(AIndex);
  return list->item(AIndex)->isSelected();
}

void TCustomListBox::SetSelected(int AIndex, bool AValue) {
  auto* list = QelWidgetOf<QListWidget>(this);
  if (AIndex < 0 || AIndex >= list->count())
    QelRaiseListIndex(AIndex);
  if (!FMultiSelect && AValue) return list->setCurrentRow(AIndex);
  list->item(AIndex)->setSelected(AValue);
}

int TCustomListBox::GetSelCount() const {
  return FMultiSelect ? static_cast<int>(QelWidgetOf<QListWidget>(this)->selectedItems().size()) : -1;
}

void TCustomListBox::SetMultiSelect(bool AValue) {
  FMultiSelect = AValue;
  QelWidgetOf<QListWidget>(this)->setSelectionMode(!AValue          ? QAbstractItemView::SingleSelection
                                                   : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                                                     : QAbstractItemView::MultiSelection);
}

void TCustomListBox::SetExtendedSelect(bool AValue) {
  FExtendedSelect = AValue;
  SetMultiSelect(FMultiSelect);
}

void TCustomListBox::SetSorted(bool AValue) {
  FSorted = AValue;
  static_cast<TQtItemStrings*>(FItems)->SetSorted(AValue);
}

int TCustomListBox::GetTopIndex() const {
  auto* list = QelWidgetOf<QListWidget>(this);
  QListWidgetItem* item = list->itemAt(0, 0);
  return item ? list->row(item) : 0;
}

void TCustomListBox::SetTopIndex(int AValue) {
  auto* list = QelWidgetOf<QListWidget>(this);
  if (QListWidgetItem* item = list->item(AValue)) list->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TCustomListBox::GetItemHeight() const { return QelWidgetOf<QListWidget>(this)->fontMetrics().height() + 2; }

int TCustomListBox::ItemAtPos(const TPoint& APos, bool AExisting) const {
  auto* list = QelWidgetOf<QListWidget>(this);
  if (QListWidgetItem* item = list->itemAt(APos.X, APos.Y)) return list->row(item);
  return AExisting ? -1 : list->count();
}

TRect TCustomListBox::ItemRect(int AIndex) const {
  auto* list = QelWidgetOf<QListWidget>(this);
  QListWidgetItem* item = list->item(AIndex);
  if (!item) return {};
  const QRect r = list->visualItemRect(item);
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

void TCustomListBox::AddItem(const String& AItem, TObject* AObject) { FItems->AddObject(AItem, AObject); }
void TCustomListBox::Clear() { FItems->Clear(); }
void TCustomListBox::ClearSelection() { QelWidgetOf<QListWidget>(this)->clearSelection(); }

void TCustomListBox::DeleteSelected() {
  auto* list = QelWidgetOf<QListWidget>(this);
  for (int i = list->count() - 1; i >= 0; --i) {
    if (list->item(i)->isSelected()) FItems->Delete(i);
  }
}

void TCustomListBox::SelectAll() {
  if (FMultiSelect) QelWidgetOf<QListWidget>(this)->selectAll();
}

// ---- combo boxes ----------------------------------------------------------

TCustomCombo::TCustomCombo(TComponent* AOwner, QWidget* AWidget)
    : TCustomListControl(AOwner, AWidget),
      FItems(new TQtItemStrings(std::make_unique<TComboItems>(QelWidgetOf<QComboBox>(this)))) {
  auto* combo = QelWidgetOf<QComboBox>(this);
  QObject::connect(combo, &QComboBox::activated, combo, [this] {
    QelGuard(this, [this] {
      Change();
      Select();
      Click();
    });
  });
  QObject::connect(combo, &QComboBox::editTextChanged, combo, [this] { QelGuard(this, [this] { Change(); }); });
  SetTabStop(true);
  FColor = clWindow;
  FParentColor = false;
  ColorChanged();
  SetBounds(0, 0, 145, 21);
}

TCustomCombo::~TCustomCombo() { delete FItems; }

int TCustomCombo::GetItemIndex() const { return QelWidgetOf<QComboBox>(this)->currentIndex(); }

void TCustomCombo::SetItemIndex(int AValue) {
  auto* combo = QelWidgetOf<QComboBox>(this);
  if (AValue < -1 || AValue >= combo->count())
    QelRaiseListIndex(AValue);
  combo->setCurrentIndex(AValue);
}

int TCustomCombo::GetCount() const { return FItems->GetCount(); }
String TCustomCombo::GetText() const { return QelFromQString(QelWidgetOf<QComboBox>(this)->currentText()); }

void TCustomCombo::SetText(const String& AValue) {
  auto* combo = QelWidgetOf<QComboBox>(this);
  TQelDirectCall direct;
  if (combo->isEditable()) combo->setEditText(QelToQString(AValue));
  else combo->setCurrentIndex(combo->findText(QelToQString(AValue)));
  direct.Check();
}

bool TCustomCombo::GetDroppedDown() const { return QelWidgetOf<QComboBox>(this)->view()->isVisible(); }

void TCustomCombo::SetDroppedDown(bool AValue) {
  auto* combo = QelWidgetOf<QComboBox>(this);
  if (AValue) {
    OnDropDown(this);
    combo->showPopup();
  } else {
    combo->hidePopup();
    OnCloseUp(this);
  }
}

int TCustomCombo::GetDropDownCount() const { return QelWidgetOf<QComboBox>(this)->maxVisibleItems(); }
void TCustomCombo::SetDropDownCount(int AValue) { QelWidgetOf<QComboBox>(this)->setMaxVisibleItems(std::max(1, AValue)); }

int TCustomCombo::GetSelStart() const {
  QLineEdit* edit = QelWidgetOf<QComboBox>(this)->lineEdit();
  return edit ? (edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition()) : 0;
}
void TCustomCombo::SetSelStart(int AValue) {
  if (QLineEdit* edit = QelWidgetOf<QComboBox>(this)->lineEdit()) edit->setCursorPosition(AValue);
}
int TCustomCombo::GetSelLength() const {
  QLineEdit* edit = QelWidgetOf<QComboBox>(this)->lineEdit();
  return edit ? static_cast<int>(edit->selectedText().size()) : 0;
}
void TCustomCombo::SetSelLength(int AValue) {
  if (QLineEdit* edit = QelWidgetOf<QComboBox>(this)->lineEdit()) edit->setSelection(GetSelStart(), AValue);
}
String TCustomCombo::GetSelText() const {
  QLineEdit* edit = QelWidgetOf<QComboBox>(this)->lineEdit();
  return edit ? QelFromQString(edit->selectedText()) : String();
}

void TCustomCombo::AddItem(const String& AItem, TObject* AObject) { FItems->AddObject(AItem, AObject); }
void TCustomCombo::Clear() {
  FItems->Clear();
  SetText(String());
}
void TCustomCombo::ClearSelection() { QelWidgetOf<QComboBox>(this)->setCurrentIndex(-1); }
void TCustomCombo::DeleteSelected() {
  const int index = GetItemIndex();
  if (index >= 0) FItems->Delete(index);
}
void TCustomCombo::SelectAll() {
  if (QLineEdit* edit = QelWidgetOf<QComboBox>(this)->lineEdit()) edit->selectAll();
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomCombo(AOwner, QelBridged<QComboBox>()) {
  SetStyle(csDropDown);
}

void TCustomComboBox::SetStyle(TComboBoxStyle AValue) {
  FStyle = AValue;
  QelWidgetOf<QComboBox>(this)->setEditable(AValue == csDropDown || AValue == csSimple);
}

void TCustomComboBox::SetSorted(bool AValue) {
  FSorted = AValue;
  static_cast<TQtItemStrings*>(GetItems())->SetSorted(AValue);
}

void TCustomComboBox::SetAutoComplete(bool AValue) {
  FAutoComplete = AValue;
  if (QLineEdit* edit = QelWidgetOf<QComboBox>(this)->lineEdit()) edit->setCompleter(AValue ? edit->completer() : nullptr);
}
