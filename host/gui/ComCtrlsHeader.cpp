// Header controls: the sections on a QHeaderView over an empty model of as many columns.
#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <algorithm>

#include "host/gui/ComCtrls.h"
#include "host/gui/QelWidgets.h"

namespace {

QHeaderView* HeaderOf(const TCustomHeaderControl* AControl) {
  return QelWidgetOf<QHeaderView>(AControl);
}

}  // namespace

// ---- sections ---------------------------------------------------------------

void THeaderSection::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<THeaderSection*>(ASource);
  if (!source) return TCollectionItem::Assign(ASource);
  FText = source->FText;
  FMinWidth = source->FMinWidth;
  FMaxWidth = source->FMaxWidth;
  FWidth = source->FWidth;
  FAlignment = source->FAlignment;
  FAllowClick = source->FAllowClick;
  FStyle = source->FStyle;
  FImageIndex = source->FImageIndex;
  Changed();
}

void THeaderSection::SetText(const String& AValue) {
  FText = AValue;
  Changed();
}

void THeaderSection::SetWidth(int AValue) {
  FWidth = std::clamp(AValue, FMinWidth, std::max(FMinWidth, FMaxWidth));
  Changed();
}

void THeaderSection::SetMinWidth(int AValue) {
  FMinWidth = std::max(0, AValue);
  SetWidth(FWidth);
}

void THeaderSection::SetMaxWidth(int AValue) {
  FMaxWidth = std::max(FMinWidth, AValue);
  SetWidth(FWidth);
}

void THeaderSection::SetAlignment(TAlignment AValue) {
  FAlignment = AValue;
  Changed();
}

int THeaderSection::GetLeft() const {
  int left = 0;
  if (TCollection* sections = GetCollection())
    for (int i = 0; i < GetIndex(); ++i)
      left += static_cast<THeaderSection*>(sections->GetItems(i))->FWidth;
  return left;
}

void THeaderSection::Changed() {
  if (TCollection* sections = GetCollection())
    if (auto* control = dynamic_cast<TCustomHeaderControl*>(sections->GetOwner()))
      control->SectionsChanged();
}

THeaderSections::THeaderSections(TCustomHeaderControl* AOwner)
    : TCollection(THeaderSection::StaticClass()), FOwner(AOwner) {}
TPersistent* THeaderSections::GetOwner() const { return FOwner; }

void THeaderSections::Changed() {
  TCollection::Changed();
  if (GetUpdateCount() == 0) FOwner->SectionsChanged();
}

// ---- the control ------------------------------------------------------------

TCustomHeaderControl::TCustomHeaderControl(TComponent* AOwner)
    : TWinControl(AOwner, QelBridged<QHeaderView>(Qt::Horizontal)),
      FSections(new THeaderSections(this)) {
  QHeaderView* header = HeaderOf(this);
  header->setModel(new QStandardItemModel(0, 0, header));
  header->setSectionsClickable(true);
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setMinimumSectionSize(0);
  QObject::connect(header, &QHeaderView::sectionClicked, header,
                   [this](int AIndex) { QelGuard(this, [&] { SectionClicked(AIndex); }); });
  QObject::connect(header, &QHeaderView::sectionResized, header,
                   [this](int AIndex, int, int AWidth) {
                     QelGuard(this, [&] { SectionResized(AIndex, AWidth); });
                   });
  SetBounds(0, 0, 200, 17);
  SetAlign(alTop);
}

TCustomHeaderControl::~TCustomHeaderControl() {
  ++FApplying;
  delete FSections;
}

void TCustomHeaderControl::SectionsChanged() {
  if (FApplying) return;
  ++FApplying;
  QHeaderView* header = HeaderOf(this);
  auto* model = static_cast<QStandardItemModel*>(header->model());
  const int count = FSections->GetCount();
  model->setColumnCount(count);
  for (int i = 0; i < count; ++i) {
    const THeaderSection* section = FSections->GetItems(i);
    model->setHeaderData(i, Qt::Horizontal, QelToQString(section->GetText()));
    static constexpr Qt::Alignment Aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    model->setHeaderData(i, Qt::Horizontal,
                         QVariant::fromValue(Aligns[section->GetAlignment()] | Qt::AlignVCenter),
                         Qt::TextAlignmentRole);
    header->resizeSection(i, section->GetWidth());
  }
  --FApplying;
}

void TCustomHeaderControl::SectionClicked(int AIndex) {
  if (AIndex < 0 || AIndex >= FSections->GetCount()) return;
  THeaderSection* section = FSections->GetItems(AIndex);
  if (section->GetAllowClick()) OnSectionClick(this, section);
}

// The user dragged a section's edge: the section keeps its limits, the widget follows.
void TCustomHeaderControl::SectionResized(int AIndex, int AWidth) {
  if (FApplying || AIndex < 0 || AIndex >= FSections->GetCount()) return;
  THeaderSection* section = FSections->GetItems(AIndex);
  const int width = std::clamp(AWidth, section->GetMinWidth(),
                               std::max(section->GetMinWidth(), section->GetMaxWidth()));
  section->FWidth = width;
  if (width != AWidth) {
    ++FApplying;
    HeaderOf(this)->resizeSection(AIndex, width);
    --FApplying;
  }
  OnSectionResize(this, section);
}

bool TCustomHeaderControl::WidgetEvent(QEvent* AEvent) {
  if (FForwarding) return false;
  if (TWinControl::WidgetEvent(AEvent)) return true;
  switch (AEvent->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(AEvent);
      QHeaderView* header = HeaderOf(this);
      QWidget* viewport = header->viewport();
      QMouseEvent copy(mouse->type(), viewport->mapFrom(header, mouse->position().toPoint()),
                       mouse->globalPosition(), mouse->button(), mouse->buttons(),
                       mouse->modifiers());
      FForwarding = true;
      QCoreApplication::sendEvent(viewport, &copy);
      FForwarding = false;
      return true;
    }
    default: return false;
  }
}
