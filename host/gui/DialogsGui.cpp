// The common dialogs on Qt's dialogs; none blocks without a display.
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>

#include "host/gui/Dialogs.h"
#include "host/gui/QelQt.h"

bool TCommonDialog::Execute() {
  if (QelHeadless()) {
    std::fprintf(stderr, "%s.Execute: no display, answered as cancelled\n", StringToUtf8(ClassName()).c_str());
    return false;
  }
  OnShow(this);
  const bool confirmed = Run();
  OnClose(this);
  return confirmed;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(new TStringList) {}
TOpenDialog::~TOpenDialog() { delete FFiles; }

String TOpenDialog::QtFilter() const {
  String result;
  size_t at = 0;
  while (at < FFilter.size()) {
    const size_t bar = FFilter.find(u'|', at);
    if (bar == String::npos) break;
    size_t end = FFilter.find(u'|', bar + 1);
    if (end == String::npos) end = FFilter.size();
    String patterns = FFilter.substr(bar + 1, end - bar - 1);
    for (char16_t& c : patterns) if (c == u';') c = u' ';
    if (!result.empty()) result += u";;";
    result += FFilter.substr(at, bar - at) + u" (" + patterns + u")";
    at = end + 1;
  }
  return result;
}

bool TOpenDialog::Run() {
  const QString title = QelToQString(FTitle), dir = QelToQString(FInitialDir.empty() ? FFileName : FInitialDir);
  const QString filter = QelToQString(QtFilter());
  FFiles->Clear();
  QFileDialog::Options options;
  if (!FOptions.Contains(ofOverwritePrompt)) options |= QFileDialog::DontConfirmOverwrite;
  if (FOptions.Contains(ofNoDereferenceLinks)) options |= QFileDialog::DontResolveSymlinks;
  if (Saving()) {
    const QString name = QFileDialog::getSaveFileName(nullptr, title, dir, filter, nullptr, options);
    if (name.isEmpty()) return false;
    FFileName = QelFromQString(name);
    if (!FDefaultExt.empty() && !name.contains(u'.')) FFileName += u"." + FDefaultExt;
  } else if (GetMultiSelect()) {
    const QStringList names = QFileDialog::getOpenFileNames(nullptr, title, dir, filter, nullptr, options);
    if (names.isEmpty()) return false;
    for (const QString& name : names) FFiles->Add(QelFromQString(name));
    FFileName = FFiles->GetStrings(0);
    return true;
  } else {
    const QString name = QFileDialog::getOpenFileName(nullptr, title, dir, filter, nullptr, options);
    if (name.isEmpty()) return false;
    FFileName = QelFromQString(name);
  }
  FFiles->Add(FFileName);
  return true;
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(new TFont) {}
TFontDialog::~TFontDialog() { delete FFont; }

bool TFontDialog::Run() {
  bool ok = false;
  QFontDialog::FontDialogOptions options;
  if (FOptions.Contains(fdFixedPitchOnly)) options |= QFontDialog::MonospacedFonts;
  if (FOptions.Contains(fdScalableOnly)) options |= QFontDialog::ScalableFonts;
  const QFont font = QFontDialog::getFont(&ok, FFont->ToQFont(), nullptr, QString(), options);
  if (!ok) return false;
  FFont->SetName(QelFromQString(font.family()));
  int size = font.pointSize() > 0 ? font.pointSize() : FFont->GetSize();
  if (FOptions.Contains(fdLimitSize)) {
    if (FMinFontSize > 0) size = std::max(size, FMinFontSize);
    if (FMaxFontSize > 0) size = std::min(size, FMaxFontSize);
  }
  FFont->SetSize(size);
  TFontStyles style;
  if (font.bold()) style.Include(fsBold);
  if (font.italic()) style.Include(fsItalic);
  if (font.underline()) style.Include(fsUnderline);
  if (font.strikeOut()) style.Include(fsStrikeOut);
  FFont->SetStyle(style);
  return true;
}

TColorDialog::TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner), FCustomColors(new TStringList) {}
TColorDialog::~TColorDialog() { delete FCustomColors; }

bool TColorDialog::Run() {
  // "ColorA".."ColorP" name Qt's sixteen custom colours; other lines are left alone.
  const auto slotOf = [](const String& AName) {
    return AName.size() == 6 && AName.compare(0, 5, u"Color") == 0 && AName[5] >= u'A' && AName[5] <= u'P' ? AName[5] - u'A' : -1;
  };
  for (int i = 0; i < FCustomColors->GetCount(); ++i) {
    const int slot = slotOf(FCustomColors->GetNames(i));
    bool ok = false;
    const uint rgb = QelToQString(FCustomColors->GetValueFromIndex(i)).toUInt(&ok, 16);
    if (slot >= 0 && ok) QColorDialog::setCustomColor(slot, QColor::fromRgb(rgb));
  }
  QColorDialog::ColorDialogOptions options;
  if (FOptions.Contains(cdAnyColor)) options |= QColorDialog::ShowAlphaChannel;
  const QColor color = QColorDialog::getColor(QColor::fromRgb(QelGraphics::ToQRgb(FColor)), nullptr, QString(), options);
  if (!color.isValid()) return false;
  FColor = QelGraphics::FromQRgb(color.rgb());
  for (int slot = 0; slot < QColorDialog::customCount(); ++slot) {
    const String name = u"Color" + String(1, static_cast<char16_t>(u'A' + slot));
    FCustomColors->SetValues(name, QelFromQString(QString::number(QColorDialog::customColor(slot).rgb() & 0xFFFFFF, 16).toUpper()));
  }
  return true;
}

// The find dialog asks for the text; confirming it runs OnFind.
bool TFindDialog::Run() {
  bool ok = false;
  const QString text = QInputDialog::getText(nullptr, QStringLiteral("Find"), QStringLiteral("Find what:"), QLineEdit::Normal,
                                             QelToQString(FFindText), &ok);
  if (!ok) return false;
  FFindText = QelFromQString(text);
  FOptions.Include(frFindNext);
  OnFind(this);
  return true;
}

bool TReplaceDialog::Run() {
  if (!TFindDialog::Run()) return false;
  bool ok = false;
  const QString text = QInputDialog::getText(nullptr, QStringLiteral("Replace"), QStringLiteral("Replace with:"),
                                             QLineEdit::Normal, QelToQString(FReplaceText), &ok);
  if (!ok) return false;
  FReplaceText = QelFromQString(text);
  FOptions.Exclude(frFindNext);
  FOptions.Include(frReplace);
  OnReplace(this);
  return true;
}

void QelInstallQtDialogs() {
  if (QelHeadless()) return;  // the core's defaults: standard error, answered without blocking
  TDialogHandler handler;
  handler.ShowMessage = [](const String& AText) { QMessageBox::information(nullptr, QString(), QelToQString(AText)); };
  handler.InputQuery = [](const String& ACaption, const String& APrompt, String& AValue) {
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, QelToQString(ACaption), QelToQString(APrompt), QLineEdit::Normal,
                                               QelToQString(AValue), &ok);
    if (ok) AValue = QelFromQString(text);
    return ok;
  };
  handler.MessageDlg = [](const String& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons) -> TModalResult {
    static constexpr std::pair<TMsgDlgBtn, QMessageBox::StandardButton> buttons[] = {
        {mbYes, QMessageBox::Yes}, {mbNo, QMessageBox::No}, {mbOK, QMessageBox::Ok}, {mbCancel, QMessageBox::Cancel},
        {mbAbort, QMessageBox::Abort}, {mbRetry, QMessageBox::Retry}, {mbIgnore, QMessageBox::Ignore},
        {mbAll, QMessageBox::YesToAll}, {mbNoToAll, QMessageBox::NoToAll}, {mbYesToAll, QMessageBox::YesToAll},
        {mbHelp, QMessageBox::Help}, {mbClose, QMessageBox::Close}};
    QMessageBox::StandardButtons shown;
    for (const auto& [button, qt] : buttons) if (AButtons.Contains(button)) shown |= qt;
    const QMessageBox::Icon icon = AType == mtWarning ? QMessageBox::Warning : AType == mtError ? QMessageBox::Critical
                                   : AType == mtConfirmation ? QMessageBox::Question : QMessageBox::Information;
    QMessageBox box(icon, QString(), QelToQString(AMessage), shown);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& [button, qt] : buttons) if (qt == pressed) return ModalResultOf(button);
    return mrNone;
  };
  SetDialogHandler(std::move(handler));
}
