// The "ImgList" unit wrapper: image lists (joining the unit's types from the core's data).
#include "host/gui/units/GuiWrappers.h"

namespace {

// A mask is optional: nil, the usual argument, adds the image without one. Anything else must
// be a bitmap.
TBitmap* OptionalMask(TObject* AMask) {
  if (AMask && !dynamic_cast<TBitmap*>(AMask)) QelRaiseTypeCastError();
  return static_cast<TBitmap*>(AMask);
}
int ImagesAdd(TCustomImageList* L, TBitmap* AImage, TObject* AMask) { return L->Add(AImage, OptionalMask(AMask)); }
void ImagesInsert(TCustomImageList* L, int AIndex, TBitmap* AImage, TObject* AMask) {
  L->Insert(AIndex, AImage, OptionalMask(AMask));
}
void ImagesReplace(TCustomImageList* L, int AIndex, TBitmap* AImage, TObject* AMask) {
  L->Replace(AIndex, AImage, OptionalMask(AMask));
}

}  // namespace

void TChangeLink_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TChangeLink> M(AData);
  M.Constructor();
  M.Property<&TChangeLink::GetSender, &TChangeLink::SetSender>(u"Sender");
  M.Method<&TChangeLink::Change>(u"Change");
  M.Field<&TChangeLink::OnChange>(u"OnChange");
}

void TCustomImageList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomImageList> M(AData);
  M.Constructor();
  M.Property<&TCustomImageList::GetWidth, &TCustomImageList::SetWidth>(u"Width");
  M.Property<&TCustomImageList::GetHeight, &TCustomImageList::SetHeight>(u"Height");
  M.Property<&TCustomImageList::GetCount>(u"Count");
  M.Property<&TCustomImageList::GetBkColor, &TCustomImageList::SetBkColor>(u"BkColor");
  M.Property<&TCustomImageList::GetBlendColor, &TCustomImageList::SetBlendColor>(u"BlendColor");
  M.Property<&TCustomImageList::GetDrawingStyle, &TCustomImageList::SetDrawingStyle>(u"DrawingStyle");
  M.Property<&TCustomImageList::GetImageType, &TCustomImageList::SetImageType>(u"ImageType");
  M.Property<&TCustomImageList::GetMasked, &TCustomImageList::SetMasked>(u"Masked");
  M.Method<&ImagesAdd>(u"Add");
  M.Method<&TCustomImageList::AddMasked>(u"AddMasked");
  M.Method<&TCustomImageList::AddImages>(u"AddImages");
  M.Method<&ImagesInsert>(u"Insert");
  M.Method<&ImagesReplace>(u"Replace");
  M.Method<&TCustomImageList::Delete>(u"Delete");
  M.Method<&TCustomImageList::Move>(u"Move");
  M.Method<&TCustomImageList::Clear>(u"Clear");
  M.Method<&TCustomImageList::SetSize>(u"SetSize");
  M.Method<&TCustomImageList::GetBitmap>(u"GetBitmap");
  M.Method<&TCustomImageList::Draw, QelDefaults<true>>(u"Draw");
  M.Method<&TCustomImageList::BeginUpdate>(u"BeginUpdate");
  M.Method<&TCustomImageList::EndUpdate>(u"EndUpdate");
  M.Method<&TCustomImageList::RegisterChanges>(u"RegisterChanges");
  M.Method<&TCustomImageList::UnRegisterChanges>(u"UnRegisterChanges");
  M.Field<&TCustomImageList::OnChange>(u"OnChange");
}

void TImageList_sw::RegisterMembers(TQelClassWrapperData& AData) { TQelMembers<TImageList>(AData).Constructor(); }

#define QEL_IMGLIST_CLASSES TChangeLink_sw, TCustomImageList_sw, TImageList_sw

void ImgList_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<QEL_IMGLIST_CLASSES>(M);
}

void ImgList_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<ImgList_sw>());
  QelRegisterClassWrappers<QEL_IMGLIST_CLASSES>();
}
