// The "Contnrs" unit wrapper. The typed lists register their object-typed members over the
// pointer-typed ones of TList, so a script hands them objects.
#include "engine/wrappers/units/Contnrs_QelSW.h"

namespace {

#define QEL_CONTNRS_CLASSES                                                                                  \
  TObjectList_sw, TComponentList_sw, TClassList_sw, TOrderedList_sw, TStack_sw, TQueue_sw, TObjectStack_sw, \
      TObjectQueue_sw, TCustomBucketList_sw, TBucketList_sw, TObjectBucketList_sw, TIntegerBucketList_sw

TObjectList* NewObjectList(TClass, bool AOwnsObjects) { return new TObjectList(AOwnsObjects); }
TComponentList* NewComponentList(TClass, bool AOwnsObjects) { return new TComponentList(AOwnsObjects); }

// The members every typed list has, for its item type.
template <class L>
void TypedListMembers(TQelMembers<L>& M) {
  M.template Method<&L::Add>(u"Add");
  M.template Method<&L::Insert>(u"Insert");
  M.template Method<&L::Remove>(u"Remove");
  M.template Method<&L::Extract>(u"Extract");
  M.template Method<&L::IndexOf>(u"IndexOf");
  M.template Method<&L::First>(u"First");
  M.template Method<&L::Last>(u"Last");
  M.template Property<&L::GetItems, &L::SetItems>(u"Items", qpDefault);
}

// A stack or queue: created empty, pushed, popped and peeked with its item type.
template <class S>
void RegisterOrdered(TQelClassWrapperData& AData) {
  TQelMembers<S> M(AData);
  M.Constructor();
  M.template Method<&S::Push>(u"Push");
  M.template Method<&S::Pop>(u"Pop");
  M.template Method<&S::Peek>(u"Peek");
}

}  // namespace

void TObjectList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TObjectList> M(AData);
  M.Constructor<&NewObjectList, QelDefaults<true>>();
  M.Published();
  TypedListMembers(M);
  M.Method<&TObjectList::FindInstanceOf, QelDefaults<true, 0>>(u"FindInstanceOf");
}

void TComponentList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TComponentList> M(AData);
  M.Constructor<&NewComponentList, QelDefaults<true>>();
  TypedListMembers(M);
}

void TClassList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TClassList> M(AData);
  M.Constructor();
  TypedListMembers(M);
}

void TOrderedList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TOrderedList> M(AData);
  M.Method<&TOrderedList::Count>(u"Count");
  M.Method<&TOrderedList::AtLeast>(u"AtLeast");
}

void TStack_sw::RegisterMembers(TQelClassWrapperData& AData) { RegisterOrdered<TStack>(AData); }

void TQueue_sw::RegisterMembers(TQelClassWrapperData& AData) { RegisterOrdered<TQueue>(AData); }

void TObjectStack_sw::RegisterMembers(TQelClassWrapperData& AData) { RegisterOrdered<TObjectStack>(AData); }

void TObjectQueue_sw::RegisterMembers(TQelClassWrapperData& AData) { RegisterOrdered<TObjectQueue>(AData); }

void TCustomBucketList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomBucketList> M(AData);
  M.Method<&TCustomBucketList::Clear>(u"Clear");
  M.Method<&TCustomBucketList::Exists>(u"Exists");
  M.Method<&TCustomBucketList::Find>(u"Find");
  M.Property<&TCustomBucketList::GetCount>(u"Count");
  M.Property<&TCustomBucketList::GetData, &TCustomBucketList::SetData>(u"Data");
}

void TBucketList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBucketList> M(AData);
  M.Constructor();
  M.Method<&TBucketList::Add>(u"Add");
  M.Method<&TBucketList::Remove>(u"Remove");
}

void TObjectBucketList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TObjectBucketList> M(AData);
  M.Constructor();
  M.Method<&TObjectBucketList::Add>(u"Add");
  M.Method<&TObjectBucketList::Remove>(u"Remove");
  M.Property<&TObjectBucketList::GetData, &TObjectBucketList::SetData>(u"Data", qpDefault);
}

void TIntegerBucketList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TIntegerBucketList> M(AData);
  M.Constructor();
  M.Method<&TIntegerBucketList::Add>(u"Add");
  M.Method<&TIntegerBucketList::Remove>(u"Remove");
  M.Property<&TIntegerBucketList::GetData, &TIntegerBucketList::SetData>(u"Data", qpDefault);
}

void Contnrs_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TBucketListSizes_sw, QEL_CONTNRS_CLASSES>(M);
}

void Contnrs_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Contnrs_sw>());
  QelRegisterClassWrappers<QEL_CONTNRS_CLASSES>();
}
