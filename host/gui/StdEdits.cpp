// Labels, edits and memos.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTextBlock>

#include "host/gui/Forms.h"
#include "host/gui/QelItemStrings.h"
#include "host/gui/QelWidgets.h"
#include "host/gui/StdCtrls.h"

// ---- labels ---------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner, QelBridged<QLabel>()) {
  SetBounds(0, 0, 65, 17);
  ApplyAlignment();
}

void TCustomLabel::TextChanged() {
  QString text = QelToQString(GetText());
  // '&' marks the accelerator character; "&&" is an ampersand.
  if (FShowAccelChar) text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
  QelWidgetOf<QLabel>(this)->setText(text);
  if (GetAutoSize()) SetAutoSize(true);
}

void TCustomLabel::SetAutoSize(bool AValue) {
  TGraphicControl::SetAutoSize(AValue);
}

void TCustomLabel::ApplyAlignment() {
  Qt::Alignment align = FAlignment == taCenter ? Qt::AlignHCenter : FAlignment == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
  align |= FLayout == tlCenter ? Qt::AlignVCenter : FLayout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
  QelWidgetOf<QLabel>(this)->setAlignment(align);
}

void TCustomLabel::SetAlignment(TAlignment AValue) {
  FAlignment = AValue;
  ApplyAlignment();
}

void TCustomLabel::SetLayout(TTextLayout AValue) {
  FLayout = AValue;
  ApplyAlignment();
}

void TCustomLabel::SetWordWrap(bool AValue) {
  FWordWrap = AValue;
  QelWidgetOf<QLabel>(this)->setWordWrap(AValue);
}

void TCustomLabel::SetTransparent(bool AValue) {
  FTransparent = AValue;
  QelWidgetOf<QLabel>(this)->setAutoFillBackground(!AValue);
}

// ---- edits ----------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner, QelBridged<QLineEdit>()) {
  auto* edit = QelWidgetOf<QLineEdit>(this);
  QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { QelGuard(this, [this] { WidgetTextChanged(); }); });
}

TCustomEdit::TCustomEdit(TComponent* AOwner, QWidget* AWidget) : TWinControl(AOwner, AWidget) {
  SetTabStop(true);
  FColor = clWindow;
  FParentColor = false;
  ColorChanged();
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::SetNumbersOnly(bool AValue) {
  FNumbersOnly = AValue;
  auto* edit = qobject_cast<QLineEdit*>(Widget());
  if (!edit) return;
  const QValidator* old = edit->validator();
  edit->setValidator(AValue ? new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit) : nullptr);
  delete old;
}

void TCustomEdit::DoEnter() {
  if (auto* edit = qobject_cast<QLineEdit*>(Widget()); edit && FAutoSelect) edit->selectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::WidgetTextChanged() {
  FModified = true;
  Change();
}

String TCustomEdit::GetText() const { return QelFromQString(QelWidgetOf<QLineEdit>(this)->text()); }

void TCustomEdit::SetText(const String& AValue) {
  if (AValue == GetText()) return;
  TQelDirectCall direct;
  QelWidgetOf<QLineEdit>(this)->setText(QelToQString(AValue));
  FModified = false;
  direct.Check();
}

namespace {

// An edit's widget is a line editor; a memo's is a plain-text editor.
QLineEdit* LineOf(const TControl* AControl) { return qobject_cast<QLineEdit*>(AControl->Widget()); }
QPlainTextEdit* MemoOf(const TControl* AControl) { return qobject_cast<QPlainTextEdit*>(AControl->Widget()); }

}  // namespace

int TCustomEdit::GetMaxLength() const {
  if (QLineEdit* edit = LineOf(this)) return edit->maxLength() >= 32767 ? 0 : edit->maxLength();
  return 0;
}
void TCustomEdit::SetMaxLength(int AValue) {
  if (QLineEdit* edit = LineOf(this)) edit->setMaxLength(AValue <= 0 ? 32767 : AValue);
}
bool TCustomEdit::GetReadOnly() const {
  if (QLineEdit* edit = LineOf(this)) return edit->isReadOnly();
  return MemoOf(this)->isReadOnly();
}
void TCustomEdit::SetReadOnly(bool AValue) {
  if (QLineEdit* edit = LineOf(this)) return edit->setReadOnly(AValue);
  MemoOf(this)->setReadOnly(AValue);
}

void TCustomEdit::SetPasswordChar(char16_t AValue) {
  FPasswordChar = AValue;
  if (QLineEdit* edit = LineOf(this)) edit->setEchoMode(AValue ? QLineEdit::Password : QLineEdit::Normal);
}

void TCustomEdit::SetCharCase(TEditCharCase AValue) {
  FCharCase = AValue;
  if (AValue == ecUpperCase) SetText(QelFromQString(QelToQString(GetText()).toUpper()));
  if (AValue == ecLowerCase) SetText(QelFromQString(QelToQString(GetText()).toLower()));
}

int TCustomEdit::GetSelStart() const {
  if (QLineEdit* edit = LineOf(this)) return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  return MemoOf(this)->textCursor().selectionStart();
}
void TCustomEdit::SetSelStart(int AValue) {
  if (QLineEdit* edit = LineOf(this)) return edit->setCursorPosition(AValue);
  QTextCursor cursor = MemoOf(this)->textCursor();
  cursor.setPosition(AValue);
  MemoOf(this)->setTextCursor(cursor);
}
int TCustomEdit::GetSelLength() const {
  if (QLineEdit* edit = LineOf(this)) return static_cast<int>(edit->selectedText().size());
  const QTextCursor cursor = MemoOf(this)->textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}
void TCustomEdit::SetSelLength(int AValue) {
  const int start = GetSelStart();
  if (QLineEdit* edit = LineOf(this)) return edit->setSelection(start, AValue);
  QTextCursor cursor = MemoOf(this)->textCursor();
  cursor.setPosition(start);
  cursor.setPosition(start + AValue, QTextCursor::KeepAnchor);
  MemoOf(this)->setTextCursor(cursor);
}
String TCustomEdit::GetSelText() const {
  if (QLineEdit* edit = LineOf(this)) return QelFromQString(edit->selectedText());
  return QelFromQString(MemoOf(this)->textCursor().selectedText());
}
void TCustomEdit::SetSelText(const String& AValue) {
  TQelDirectCall direct;
  if (QLineEdit* edit = LineOf(this)) edit->insert(QelToQString(AValue));
  else MemoOf(this)->insertPlainText(QelToQString(AValue));
  direct.Check();
}

void TCustomEdit::SetTextHint(const String& AValue) {
  FTextHint = AValue;
  if (QLineEdit* edit = LineOf(this)) edit->setPlaceholderText(QelToQString(AValue));
  else MemoOf(this)->setPlaceholderText(QelToQString(AValue));
}

void TCustomEdit::SelectAll() {
  if (QLineEdit* edit = LineOf(this)) return edit->selectAll();
  MemoOf(this)->selectAll();
}
void TCustomEdit::CopyToClipboard() {
  if (QLineEdit* edit = LineOf(this)) return edit->copy();
  MemoOf(this)->copy();
}
void TCustomEdit::CutToClipboard() {
  if (QLineEdit* edit = LineOf(this)) return edit->cut();
  MemoOf(this)->cut();
}
void TCustomEdit::PasteFromClipboard() {
  if (QLineEdit* edit = LineOf(this)) return edit->paste();
  MemoOf(this)->paste();
}
void TCustomEdit::Undo() {
  if (QLineEdit* edit = LineOf(this)) return edit->undo();
  MemoOf(this)->undo();
}
bool TCustomEdit::GetCanUndo() const {
  if (QLineEdit* edit = LineOf(this)) return edit->isUndoAvailable();
  return MemoOf(this)->document()->isUndoAvailable();
}

// ---- memos ----------------------------------------------------------------

namespace {

// The memo's lines: the plain text split at line breaks, a final break adding no line.
class TMemoLines final : public TQelItemBackend {
 public:
  explicit TMemoLines(QPlainTextEdit* AEdit) : FEdit(AEdit) {}
  int Count() const override { return static_cast<int>(Lines().size()); }
  QString Get(int AIndex) const override { return Lines().at(AIndex); }
  void Put(int AIndex, const QString& S) override { Edit([&](QStringList& L) { L[AIndex] = S; }); }
  void Insert(int AIndex, const QString& S) override {
    Edit([&](QStringList& L) {
      QStringList parts = S.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
      for (int i = 0; i < parts.size(); ++i) L.insert(AIndex + i, parts[i]);
    });
  }
  void Delete(int AIndex) override { Edit([&](QStringList& L) { L.removeAt(AIndex); }); }
  void Clear() override { FEdit->setPlainText(QString()); }

 private:
  QStringList Lines() const {
    QString text = FEdit->toPlainText();
    if (text.isEmpty()) return {};
    if (text.endsWith(u'\n')) text.chop(1);
    return text.split(u'\n');
  }
  template <class F>
  void Edit(F&& AChange) {
    QStringList lines = Lines();
    AChange(lines);
    FEdit->setPlainText(lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n');
  }
  QPlainTextEdit* FEdit;
};

}  // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner, QelBridged<QPlainTextEdit>()),
      FLines(new TQtItemStrings(std::make_unique<TMemoLines>(QelWidgetOf<QPlainTextEdit>(this)))) {
  auto* edit = QelWidgetOf<QPlainTextEdit>(this);
  edit->setTabChangesFocus(true);
  QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] { QelGuard(this, [this] { WidgetTextChanged(); }); });
  SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() { delete FLines; }

// Lines end in CR LF, as the class library joins them.
String TCustomMemo::GetText() const {
  QString text = QelWidgetOf<QPlainTextEdit>(this)->toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return QelFromQString(text);
}

void TCustomMemo::SetText(const String& AValue) {
  if (AValue == GetText()) return;
  QString text = QelToQString(AValue);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  TQelDirectCall direct;
  QelWidgetOf<QPlainTextEdit>(this)->setPlainText(text);
  direct.Check();
}

TPoint TCustomMemo::GetCaretPos() const {
  const QTextCursor cursor = QelWidgetOf<QPlainTextEdit>(this)->textCursor();
  return {cursor.positionInBlock(), cursor.blockNumber()};
}

void TCustomMemo::SetCaretPos(const TPoint& AValue) {
  auto* edit = QelWidgetOf<QPlainTextEdit>(this);
  const QTextBlock block = edit->document()->findBlockByNumber(AValue.Y);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, std::min(AValue.X, block.length() - 1));
  edit->setTextCursor(cursor);
}

void TCustomMemo::SetWantTabs(bool AValue) {
  FWantTabs = AValue;
  QelWidgetOf<QPlainTextEdit>(this)->setTabChangesFocus(!AValue);
}

void TCustomMemo::SetWordWrap(bool AValue) {
  FWordWrap = AValue;
  QelWidgetOf<QPlainTextEdit>(this)->setLineWrapMode(AValue ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TCustomMemo::SetScrollBars(TScrollStyle AValue) {
  FScrollBars = AValue;
  auto* edit = QelWidgetOf<QPlainTextEdit>(this);
  const bool horizontal = AValue == ssHorizontal || AValue == ssBoth, vertical = AValue == ssVertical || AValue == ssBoth;
  edit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetAlignment(TAlignment AValue) { FAlignment = AValue; }

// Return keys are refused without WantReturns (the form's default button takes them).
bool TCustomMemo::WidgetEvent(QEvent* AEvent) {
  if (TCustomEdit::WidgetEvent(AEvent)) return true;
  if (AEvent->type() != QEvent::KeyPress || FWantReturns) return false;
  const int key = static_cast<QKeyEvent*>(AEvent)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}
