// Link labels.
#include <QLabel>
#include <QRegularExpression>

#include "host/gui/ExtCtrls.h"
#include "host/gui/QelWidgets.h"

namespace {
// An <a id="x"> link has no target Qt reports: it is given one under a prefix of its own.
constexpr char16_t SIdPrefix[] = u"id:";
}  // namespace

TCustomLinkLabel::TCustomLinkLabel(TComponent* AOwner) : TWinControl(AOwner, QelBridged<QLabel>()) {
  auto* label = QelWidgetOf<QLabel>(this);
  label->setTextFormat(Qt::RichText);
  label->setOpenExternalLinks(false);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  QObject::connect(label, &QLabel::linkActivated, label, [this](const QString& AHref) {
    QelGuard(this, [&] { LinkClicked(QelFromQString(AHref)); });
  });
  SetBounds(0, 0, 53, 17);
}

void TCustomLinkLabel::TextChanged() {
  QString text = QelToQString(GetText());
  static const QRegularExpression SIdLink(QStringLiteral(R"re(<a\s+id\s*=\s*"([^"]*)"\s*>)re"),
                                          QRegularExpression::CaseInsensitiveOption);
  text.replace(SIdLink, QStringLiteral(R"re(<a href="id:\1">)re"));
  QelWidgetOf<QLabel>(this)->setText(text);
}

void TCustomLinkLabel::SetAlignment(TAlignment AValue) {
  FAlignment = AValue;
  const Qt::Alignment align = AValue == taCenter         ? Qt::AlignHCenter
                              : AValue == taRightJustify ? Qt::AlignRight
                                                         : Qt::AlignLeft;
  QelWidgetOf<QLabel>(this)->setAlignment(align | Qt::AlignVCenter);
}

void TCustomLinkLabel::LinkClicked(const String& AHref) {
  const std::u16string_view prefix = SIdPrefix;
  if (AHref.starts_with(prefix)) OnLinkClick(this, AHref.substr(prefix.size()), sltID);
  else OnLinkClick(this, AHref, sltURL);
}
