// Line numbers and the error mark. The gutter is a child of the memo's Qt widget over a left
// viewport margin; the mark is an extra selection, so the text itself stays untouched.
#include "demo/DemoEditor.h"

#include <QEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>

#include "host/gui/StdCtrls.h"

namespace {

// QAbstractScrollArea::setViewportMargins is protected; a derived class may name it.
struct TScrollAreaAccess : QPlainTextEdit {
  static void SetLeftMargin(QPlainTextEdit* AEdit, int AWidth) {
    constexpr auto set = static_cast<void (QAbstractScrollArea::*)(int, int, int, int)>(&TScrollAreaAccess::setViewportMargins);
    (AEdit->*set)(AWidth, 0, 0, 0);
  }
};

const QColor CGutterBack(240, 240, 240), CGutterText(128, 128, 128), CErrorBack(255, 215, 215),
    CErrorText(176, 0, 0);

}  // namespace

class TQelLineGutter final : public QWidget {
 public:
  explicit TQelLineGutter(QPlainTextEdit* AEdit) : QWidget(AEdit), FEdit(AEdit) {
    QObject::connect(AEdit, &QPlainTextEdit::blockCountChanged, this, [this] { Place(); });
    QObject::connect(AEdit, &QPlainTextEdit::updateRequest, this, [this] { update(); });
    AEdit->installEventFilter(this);
    Place();
  }
  int MarkedLine = -1;

  // Room for the digits of the last line number and a little air.
  int GutterWidth() const {
    const int digits = QString::number(std::max(1, FEdit->blockCount())).size();
    return 10 + FEdit->fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(2, digits);
  }
  void Place() {
    TScrollAreaAccess::SetLeftMargin(FEdit, GutterWidth());
    const QRect r = FEdit->contentsRect();
    setGeometry(r.left(), r.top(), GutterWidth(), r.height());
    update();
  }

 protected:
  bool eventFilter(QObject* AObject, QEvent* AEvent) override {
    if (AObject == FEdit && (AEvent->type() == QEvent::Resize || AEvent->type() == QEvent::FontChange)) Place();
    return false;
  }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), CGutterBack);
    painter.setFont(FEdit->font());
    const int viewportTop = FEdit->viewport()->geometry().top() - geometry().top();
    for (QTextBlock block = FEdit->cursorForPosition(QPoint(0, 0)).block(); block.isValid(); block = block.next()) {
      const QRect line = FEdit->cursorRect(QTextCursor(block));
      if (line.top() > FEdit->viewport()->height()) break;
      const QRect box(0, viewportTop + line.top(), width() - 5, line.height());
      const bool marked = block.blockNumber() == MarkedLine;
      if (marked) painter.fillRect(QRect(0, box.top(), width(), box.height()), CErrorBack);
      painter.setPen(marked ? CErrorText : CGutterText);
      painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::number(block.blockNumber() + 1));
    }
  }

 private:
  QPlainTextEdit* FEdit;
};

TQelEditorDecor::TQelEditorDecor(TMemo* AMemo)
    : FEdit(static_cast<QPlainTextEdit*>(AMemo->Widget())), FGutter(new TQelLineGutter(FEdit)) {
  // An edit of the text ends what the mark said about it.
  QObject::connect(FEdit->document(), &QTextDocument::contentsChanged, FGutter, [this] {
    if (FLine >= 0) MarkLine(-1, 0);
  });
}

// The gutter is a child of the memo's widget, which the memo deletes.
TQelEditorDecor::~TQelEditorDecor() = default;

void TQelEditorDecor::MarkLine(int ALine, int APos) {
  FLine = ALine >= 0 && ALine < FEdit->blockCount() ? ALine : -1;
  FGutter->MarkedLine = FLine;
  QList<QTextEdit::ExtraSelection> marks;
  if (FLine >= 0) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(FEdit->document()->findBlockByNumber(FLine));
    mark.format.setBackground(CErrorBack);
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    marks.append(mark);
    // The caret goes to the place, so the user sees it and can mend it.
    QTextCursor caret = mark.cursor;
    caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor,
                       std::max(0, std::min(APos - 1, caret.block().length() - 1)));
    FEdit->setTextCursor(caret);
    FEdit->ensureCursorVisible();
  }
  FEdit->setExtraSelections(marks);
  FGutter->update();
}
