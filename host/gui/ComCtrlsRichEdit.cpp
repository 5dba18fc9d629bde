// Rich edits: the memo's editor with character and paragraph formats, kept in its document.
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cmath>

#include "host/gui/ComCtrls.h"
#include "host/gui/QelWidgets.h"

namespace {

QPlainTextEdit* EditOf(const TCustomRichEdit* AEdit) { return QelWidgetOf<QPlainTextEdit>(AEdit); }

// The characters the attributes talk about: the selection, or the insertion point's format.
struct TCharRange {
  QTextCursor Cursor;
  bool Selection;
};

TCharRange SelectedRange(const TCustomRichEdit* AEdit) {
  QTextCursor cursor = EditOf(AEdit)->textCursor();
  return {cursor, cursor.hasSelection()};
}

// The format of the first selected character (the insertion format without a selection).
QTextCharFormat FirstFormat(const TCustomRichEdit* AEdit) {
  const TCharRange range = SelectedRange(AEdit);
  if (!range.Selection) return EditOf(AEdit)->currentCharFormat();
  QTextCursor first(EditOf(AEdit)->document());
  first.setPosition(range.Cursor.selectionStart() + 1);
  return first.charFormat();
}

void MergeSelected(TCustomRichEdit* AEdit, const QTextCharFormat& AFormat) {
  QPlainTextEdit* edit = EditOf(AEdit);
  TCharRange range = SelectedRange(AEdit);
  if (range.Selection) range.Cursor.mergeCharFormat(AFormat);
  else edit->mergeCurrentCharFormat(AFormat);
}

QColor QtColor(TColor AColor) { return QColor::fromRgb(QelGraphics::ToQRgb(AColor)); }

constexpr int ScreenDpi = 96;

}  // namespace

// ---- character attributes -------------------------------------------------------

void TTextAttributes::Assign(TPersistent* ASource) {
  if (auto* source = dynamic_cast<TTextAttributes*>(ASource)) {
    SetName(source->GetName());
    SetSize(source->GetSize());
    SetStyle(source->GetStyle());
    SetColor(source->GetColor());
    return;
  }
  if (auto* font = dynamic_cast<TFont*>(ASource)) {
    SetName(font->GetName());
    SetSize(font->GetSize());
    SetStyle(font->GetStyle());
    SetColor(font->GetColor());
    return;
  }
  TPersistent::Assign(ASource);
}

TColor TTextAttributes::GetColor() const {
  const QTextCharFormat format = FType == atSelected ? FirstFormat(FOwner) : QTextCharFormat();
  if (format.hasProperty(QTextFormat::ForegroundBrush))
    return QelGraphics::FromQRgb(format.foreground().color().rgb());
  return FOwner->GetFont()->GetColor();
}

void TTextAttributes::SetColor(TColor AValue) {
  if (FType == atDefaultText) return FOwner->GetFont()->SetColor(AValue);
  QTextCharFormat format;
  format.setForeground(QtColor(AValue));
  MergeSelected(FOwner, format);
}

TFontStyles TTextAttributes::GetStyle() const {
  if (FType == atDefaultText) return FOwner->GetFont()->GetStyle();
  const QTextCharFormat format = FirstFormat(FOwner);
  const QFont base = EditOf(FOwner)->document()->defaultFont();
  TFontStyles result;
  const bool bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::Bold
                                                                : base.bold();
  const bool italic =
      format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : base.italic();
  const bool underline = format.hasProperty(QTextFormat::FontUnderline) ||
                                 format.hasProperty(QTextFormat::TextUnderlineStyle)
                             ? format.fontUnderline()
                             : base.underline();
  const bool strike =
      format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : base.strikeOut();
  if (bold) result.Include(fsBold);
  if (italic) result.Include(fsItalic);
  if (underline) result.Include(fsUnderline);
  if (strike) result.Include(fsStrikeOut);
  return result;
}

void TTextAttributes::SetStyle(TFontStyles AValue) {
  if (FType == atDefaultText) return FOwner->GetFont()->SetStyle(AValue);
  QTextCharFormat format;
  format.setFontWeight(AValue.Contains(fsBold) ? QFont::Bold : QFont::Normal);
  format.setFontItalic(AValue.Contains(fsItalic));
  format.setFontUnderline(AValue.Contains(fsUnderline));
  format.setFontStrikeOut(AValue.Contains(fsStrikeOut));
  MergeSelected(FOwner, format);
}

int TTextAttributes::GetSize() const {
  if (FType == atDefaultText) return FOwner->GetFont()->GetSize();
  const QTextCharFormat format = FirstFormat(FOwner);
  if (format.hasProperty(QTextFormat::FontPointSize))
    return static_cast<int>(std::lround(format.fontPointSize()));
  return FOwner->GetFont()->GetSize();
}

void TTextAttributes::SetSize(int AValue) {
  if (AValue <= 0) QelRaise<EInvalidOperation>(u"The font size must be positive");
  if (FType == atDefaultText) return FOwner->GetFont()->SetSize(AValue);
  QTextCharFormat format;
  format.setFontPointSize(AValue);
  MergeSelected(FOwner, format);
}

int TTextAttributes::GetHeight() const {
  return static_cast<int>(std::lround(GetSize() * ScreenDpi / 72.0));
}
void TTextAttributes::SetHeight(int AValue) {
  SetSize(static_cast<int>(std::lround(AValue * 72.0 / ScreenDpi)));
}

String TTextAttributes::GetName() const {
  if (FType == atDefaultText) return FOwner->GetFont()->GetName();
  const QTextCharFormat format = FirstFormat(FOwner);
  const QStringList families = format.fontFamilies().toStringList();
  return families.isEmpty() ? FOwner->GetFont()->GetName() : QelFromQString(families.first());
}

void TTextAttributes::SetName(const String& AValue) {
  if (FType == atDefaultText) return FOwner->GetFont()->SetName(AValue);
  QTextCharFormat format;
  format.setFontFamilies(QStringList{QelToQString(AValue)});
  MergeSelected(FOwner, format);
}

// Each selected character is compared with the first; an attribute that differs anywhere
// leaves the set.
TConsistentAttributes TTextAttributes::GetConsistentAttributes() const {
  TConsistentAttributes result{caBold, caColor,     caFace,      caItalic,
                               caSize, caStrikeOut, caUnderline, caProtected};
  const TCharRange range = SelectedRange(FOwner);
  if (FType != atSelected || !range.Selection) return result;
  QTextCursor at(EditOf(FOwner)->document());
  at.setPosition(range.Cursor.selectionStart() + 1);
  const QTextCharFormat first = at.charFormat();
  for (int pos = range.Cursor.selectionStart() + 2; pos <= range.Cursor.selectionEnd(); ++pos) {
    at.setPosition(pos);
    const QTextCharFormat format = at.charFormat();
    if ((format.fontWeight() >= QFont::Bold) != (first.fontWeight() >= QFont::Bold))
      result = result - TConsistentAttributes{caBold};
    if (format.foreground() != first.foreground()) result = result - TConsistentAttributes{caColor};
    if (format.fontFamilies() != first.fontFamilies())
      result = result - TConsistentAttributes{caFace};
    if (format.fontItalic() != first.fontItalic())
      result = result - TConsistentAttributes{caItalic};
    if (format.fontPointSize() != first.fontPointSize())
      result = result - TConsistentAttributes{caSize};
    if (format.fontStrikeOut() != first.fontStrikeOut())
      result = result - TConsistentAttributes{caStrikeOut};
    if (format.fontUnderline() != first.fontUnderline())
      result = result - TConsistentAttributes{caUnderline};
  }
  return result;
}

// ---- paragraph attributes -------------------------------------------------------

namespace {

// The paragraphs of the selection (the caret's one without a selection).
QTextCursor Paragraphs(const TCustomRichEdit* AEdit) { return EditOf(AEdit)->textCursor(); }

void MergeBlock(TCustomRichEdit* AEdit, const QTextBlockFormat& AFormat) {
  QTextCursor cursor = Paragraphs(AEdit);
  cursor.mergeBlockFormat(AFormat);
}

}  // namespace

void TParaAttributes::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TParaAttributes*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  SetAlignment(source->GetAlignment());
  SetFirstIndent(source->GetFirstIndent());
  SetLeftIndent(source->GetLeftIndent());
  SetRightIndent(source->GetRightIndent());
  SetNumbering(source->GetNumbering());
}

TAlignment TParaAttributes::GetAlignment() const {
  const Qt::Alignment align = Paragraphs(FOwner).blockFormat().alignment();
  return align & Qt::AlignRight     ? taRightJustify
         : align & Qt::AlignHCenter ? taCenter
                                    : taLeftJustify;
}

void TParaAttributes::SetAlignment(TAlignment AValue) {
  QTextBlockFormat format;
  format.setAlignment(AValue == taRightJustify ? Qt::AlignRight
                      : AValue == taCenter     ? Qt::AlignHCenter
                                               : Qt::AlignLeft);
  MergeBlock(FOwner, format);
}

int TParaAttributes::GetFirstIndent() const {
  return static_cast<int>(Paragraphs(FOwner).blockFormat().textIndent());
}
void TParaAttributes::SetFirstIndent(int AValue) {
  QTextBlockFormat format;
  format.setTextIndent(AValue);
  MergeBlock(FOwner, format);
}

int TParaAttributes::GetLeftIndent() const {
  return static_cast<int>(Paragraphs(FOwner).blockFormat().leftMargin());
}
void TParaAttributes::SetLeftIndent(int AValue) {
  QTextBlockFormat format;
  format.setLeftMargin(AValue);
  MergeBlock(FOwner, format);
}

int TParaAttributes::GetRightIndent() const {
  return static_cast<int>(Paragraphs(FOwner).blockFormat().rightMargin());
}
void TParaAttributes::SetRightIndent(int AValue) {
  QTextBlockFormat format;
  format.setRightMargin(AValue);
  MergeBlock(FOwner, format);
}

TNumberingStyle TParaAttributes::GetNumbering() const {
  return Paragraphs(FOwner).currentList() ? nsBullet : nsNone;
}

void TParaAttributes::SetNumbering(TNumberingStyle AValue) {
  QTextCursor cursor = Paragraphs(FOwner);
  QTextList* list = cursor.currentList();
  if (AValue == nsBullet && !list) {
    cursor.createList(QTextListFormat::ListDisc);
  } else if (AValue == nsNone && list) {
    QTextBlock block = cursor.document()->findBlock(cursor.selectionStart());
    const QTextBlock last = cursor.document()->findBlock(cursor.selectionEnd());
    for (;; block = block.next()) {
      if (QTextList* in = block.textList()) in->remove(block);
      QTextCursor at(block);
      QTextBlockFormat plain = block.blockFormat();
      plain.setIndent(0);
      at.setBlockFormat(plain);
      if (block == last || !block.isValid()) break;
    }
  }
}

// ---- the lines ----------------------------------------------------------------------

TRichEditStrings::TRichEditStrings(TCustomRichEdit* AOwner, TStrings* APlain)
    : FOwner(AOwner), FPlain(APlain) {}
String TRichEditStrings::Get(int AIndex) const { return FPlain->Get(AIndex); }
int TRichEditStrings::GetCount() const { return FPlain->GetCount(); }
void TRichEditStrings::Put(int AIndex, const String& S) { FPlain->Put(AIndex, S); }
void TRichEditStrings::Insert(int AIndex, const String& S) { FPlain->Insert(AIndex, S); }
void TRichEditStrings::Delete(int AIndex) { FPlain->Delete(AIndex); }
void TRichEditStrings::Clear() { FPlain->Clear(); }

// Rich text read from a file is recognised by its markup.
void TRichEditStrings::SetText(std::u16string_view AText) {
  if (!FOwner->GetPlainText() && Qt::mightBeRichText(QelToQString(AText)))
    FOwner->SetRichText(String(AText));
  else FPlain->SetText(AText);
}

void TRichEditStrings::SetUpdateState(bool AUpdating) {
  if (AUpdating) FPlain->BeginUpdate();
  else FPlain->EndUpdate();
}

void TRichEditStrings::SaveToFile(const String& AFileName, bool AWriteBOM) const {
  if (FOwner->GetPlainText()) return TStrings::SaveToFile(AFileName, AWriteBOM);
  TStringList rich;
  rich.SetText(FOwner->GetRichText());
  rich.SaveToFile(AFileName, AWriteBOM);
}

void TRichEditStrings::SaveToStream(TStream* AStream) const {
  if (FOwner->GetPlainText()) return TStrings::SaveToStream(AStream);
  TStringList rich;
  rich.SetText(FOwner->GetRichText());
  rich.SaveToStream(AStream);
}

// ---- the rich edit ----------------------------------------------------------------

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomMemo(AOwner),
      FRichLines(new TRichEditStrings(this, TCustomMemo::GetLines())),
      FSelAttributes(new TTextAttributes(this, atSelected)),
      FDefAttributes(new TTextAttributes(this, atDefaultText)),
      FParagraph(new TParaAttributes(this)) {
  QPlainTextEdit* edit = EditOf(this);
  QObject::connect(edit, &QPlainTextEdit::selectionChanged, edit,
                   [this] { QelGuard(this, [this] { OnSelectionChange(this); }); });
  SetBounds(0, 0, 185, 89);
}

TCustomRichEdit::~TCustomRichEdit() {
  delete FRichLines;
  delete FSelAttributes;
  delete FDefAttributes;
  delete FParagraph;
}

String TCustomRichEdit::GetRichText() const {
  return QelFromQString(EditOf(this)->document()->toHtml());
}

void TCustomRichEdit::SetRichText(const String& AValue) {
  TQelDirectCall direct;
  QPlainTextEdit* edit = EditOf(this);
  edit->document()->setHtml(QelToQString(AValue));
  direct.Check();
}

int TCustomRichEdit::FindText(const String& ASearchStr, int AStartPos, int ALength,
                              TSearchTypes AOptions) const {
  if (ASearchStr.empty() || AStartPos < 0) return -1;
  QTextDocument* document = EditOf(this)->document();
  QTextDocument::FindFlags flags;
  if (AOptions.Contains(stMatchCase)) flags |= QTextDocument::FindCaseSensitively;
  if (AOptions.Contains(stWholeWord)) flags |= QTextDocument::FindWholeWords;
  QTextCursor from(document);
  from.setPosition(std::min(AStartPos, document->characterCount() - 1));
  const QTextCursor found = document->find(QelToQString(ASearchStr), from, flags);
  if (found.isNull() || found.selectionEnd() > static_cast<long long>(AStartPos) + ALength)
    return -1;
  return found.selectionStart();
}
