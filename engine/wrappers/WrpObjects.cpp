// Class wrappers and the object map (one live wrapper per host object), type values, records
// and units, and the type operations (is, New, record tests) built on them.
#include <mutex>
#include <unordered_set>

#include "engine/wrappers/QelSctMemMgr.h"
#include "engine/wrappers/QelSctWrappers.h"
#include "host/core/Contnrs.h"

namespace {

const char16_t SObjectDestroyed[] = u"Object has been destroyed.";
const char16_t SNoConstructor[] = u"No constructor found.";
const char16_t SHostOwned[] = u"Cannot free an object that the host owns.";

struct TWrapperByObjectTraits : TQelHashTableTraits {
  using Item = TQelClassWrapper;
  using Key = const void*;
  static std::uint32_t MakeHashI(const Item* AItem);
  static std::uint32_t MakeHashK(const Key& AKey) { return PtrHash(AKey); }
  static bool Compare(const Key& AKey, const Item* AItem);
  static bool BeforeAdd(Item* AItem, const TQelHashTable<TWrapperByObjectTraits>& ATable);
  // The map never owns its wrappers.
  static void Destroy(Item*) {}
};

}  // namespace

struct TWrapperByObject::TImpl {
  std::recursive_mutex FLock;
  TQelHashTable<TWrapperByObjectTraits> FMap{false};
  // Objects a script constructed and that are still alive (a script may free only these).
  std::unordered_set<const void*> FScriptOwned;
};

namespace {

// A constructor's result becomes the scripts' own.
void AdoptConstructed(const VARIANT& AResult) {
  if (AResult.vt != VT_DISPATCH || !AResult.pdispVal) return;
  if (TObject* object = VarToObject(AResult)) TWrapperByObject::Instance().AdoptByScript(object);
}

// A container the scripts can reach drops its references to AObject, without freeing it even
// when it owns its objects: the script frees it right after.
void DropReferences(TObject* AContainer, TObject* AObject) {
  // A component list removes a freed component itself (free notification).
  if (dynamic_cast<TComponentList*>(AContainer)) return;
  if (auto* strings = dynamic_cast<TStringList*>(AContainer)) {
    for (int i = 0; i < strings->GetCount(); ++i)
      if (strings->GetObject(i) == AObject) strings->PutObject(i, nullptr);
  } else if (auto* list = dynamic_cast<TObjectList*>(AContainer)) {
    const bool owns = list->GetOwnsObjects();
    list->SetOwnsObjects(false);
    for (int i = 0; i < list->GetCount(); ++i)
      if (list->GetItems(i) == AObject) list->SetItems(i, nullptr);
    list->SetOwnsObjects(owns);
  }
}

// Before a script frees AObject, the containers it was stored in forget it: reading it back
// gives nil, and an owning list does not free it again.
void ClearStoredReferences(TObject* AObject) {
  std::vector<TObject*> containers;
  TWrapperByObject::Instance().EnumObjects(
      [](TObject* AItem, void* AData) { static_cast<std::vector<TObject*>*>(AData)->push_back(AItem); }, &containers);
  for (TObject* container : containers)
    if (container != AObject) DropReferences(container, AObject);
}

// The object that owns AObject and removes it from itself when it is destroyed: a component's
// owner, a collection item's collection, a collection's owner.
TObject* SelfDetachingOwner(TObject* AObject) {
  if (auto* component = dynamic_cast<TComponent*>(AObject)) return component->GetOwner();
  if (auto* item = dynamic_cast<TCollectionItem*>(AObject)) return item->GetCollection();
  if (auto* collection = dynamic_cast<TCollection*>(AObject)) return collection->GetOwner();
  return nullptr;
}

// A script may free what it created, and what hangs below such an object by an ownership that
// detaches itself (the items a script's collection made, the components a script's form owns).
bool MayScriptFree(TObject* AObject) {
  constexpr int MaxOwnerDepth = 64;
  TObject* object = AObject;
  for (int depth = 0; object && depth < MaxOwnerDepth; ++depth) {
    if (TWrapperByObject::Instance().IsScriptOwned(object)) return true;
    object = SelfDetachingOwner(object);
  }
  return false;
}

}  // namespace

// ---- class wrappers ------------------------------------------------------------------------

TQelClassWrapper::TQelClassWrapper(TQelWrapperClassRef AWrapperClass, TObject* AValue)
    : TQelDispWrapper(AWrapperClass), FKey(AValue), FValue(AValue) {
  TWrapperByObject::Instance().Add(this);
}

TQelClassWrapper::~TQelClassWrapper() { TWrapperByObject::Instance().Remove(this); }

VARIANT TQelClassWrapper::InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) {
  TObject* object = GetValue();
  if (!object) QelRaiseOleError(SObjectDestroyed);
  if (!AItem.InvokeProc) return VARIANT{};
  if (AItem.Has(iiaMetaMember)) {
    VARIANT result = AItem.InvokeProc(const_cast<TClassInfo*>(object->ClassType()), AArgs, AArgsSize, IsGet);
    if (AItem.Has(iiaConstructor)) AdoptConstructed(result);
    return result;
  }
  struct TCallScope {
    TQelClassWrapper* FWrapper;
    ~TCallScope() { FWrapper->LeaveCall(); }
  } scope{this};
  FCallDepth.fetch_add(1, std::memory_order_relaxed);
  return AItem.InvokeProc(object, AArgs, AArgsSize, IsGet);
}

void TQelClassWrapper::LeaveCall() {
  if (FCallDepth.fetch_sub(1, std::memory_order_relaxed) != 1) return;
  if (!FFreePending.exchange(false, std::memory_order_relaxed)) return;
  TObject* object = GetValue();
  if (!object) return;
  // Runs while unwinding too: a destructor's exception has nowhere to go.
  try {
    ClearStoredReferences(object);
    object->Free();
  } catch (...) {
  }
}

void TQelClassWrapper::ScriptFree(bool ABeforeDestruction) {
  TObject* object = GetValue();
  if (!object) QelRaiseOleError(SObjectDestroyed);
  if (!MayScriptFree(object)) QelRaiseOleError(SHostOwned);
  // The Free call itself counts one; more means a member of the object is still running.
  if (FCallDepth.load(std::memory_order_relaxed) > 1) {
    FFreePending.store(true, std::memory_order_relaxed);
    return;
  }
  ClearStoredReferences(object);
  if (ABeforeDestruction) object->Free();
  else delete object;
}

std::uint32_t TWrapperByObjectTraits::MakeHashI(const Item* AItem) { return PtrHash(AItem->GetKey()); }
bool TWrapperByObjectTraits::Compare(const Key& AKey, const Item* AItem) { return AItem->GetKey() == AKey; }
bool TWrapperByObjectTraits::BeforeAdd(Item* AItem, const TQelHashTable<TWrapperByObjectTraits>& ATable) {
  return ATable.Find(AItem->GetKey()) == nullptr;
}

// ---- the object map ------------------------------------------------------------------------

TWrapperByObject::TWrapperByObject() : FImpl(new TImpl()) {}

TWrapperByObject& TWrapperByObject::Instance() {
  static TWrapperByObject* map = [] {
    auto* result = new TWrapperByObject();
    QelInstallDestroyWatch();
    return result;
  }();
  return *map;
}

TQelClassWrapper* TWrapperByObject::Find(TObject* AObject) {
  std::lock_guard guard(FImpl->FLock);
  return FImpl->FMap.Find(AObject);
}

TQelClassWrapper* TWrapperByObject::Obtain(TObject* AObject) {
  std::lock_guard guard(FImpl->FLock);
  if (TQelClassWrapper* found = FImpl->FMap.Find(AObject)) {
    if (found->TryAddRef()) return found;
    // Its last reference is gone and it is on its way out: the object gets a new wrapper.
    FImpl->FMap.Remove(AObject);
  }
  return new TQelClassWrapper(FindClassWrapper(AObject->ClassType()), AObject);
}

size_t TWrapperByObject::Count() {
  std::lock_guard guard(FImpl->FLock);
  return static_cast<size_t>(FImpl->FMap.Count());
}

void TWrapperByObject::Add(TQelClassWrapper* AWrapper) {
  std::lock_guard guard(FImpl->FLock);
  if (FImpl->FMap.Add(AWrapper)) AddWatchedObject(AWrapper->FKey);
}

void TWrapperByObject::Remove(TQelClassWrapper* AWrapper) {
  std::lock_guard guard(FImpl->FLock);
  if (FImpl->FMap.Find(AWrapper->FKey) == AWrapper) FImpl->FMap.Remove(AWrapper->FKey);
}

void TWrapperByObject::AdoptByScript(TObject* AObject) {
  std::lock_guard guard(FImpl->FLock);
  if (FImpl->FScriptOwned.insert(AObject).second) AddWatchedObject(AObject);
}

bool TWrapperByObject::IsScriptOwned(const TObject* AObject) {
  std::lock_guard guard(FImpl->FLock);
  return FImpl->FScriptOwned.count(AObject) != 0;
}

void TWrapperByObject::ObjectFreed(const void* AAddress) {
  std::lock_guard guard(FImpl->FLock);
  FImpl->FScriptOwned.erase(AAddress);
  TQelClassWrapper* wrapper = FImpl->FMap.Find(AAddress);
  if (!wrapper) return;
  FImpl->FMap.Remove(AAddress);
  wrapper->FValue.store(nullptr, std::memory_order_release);
}

void TWrapperByObject::EnumObjects(void (*AItemProc)(TObject* AObject, void* AData), void* AData) {
  std::lock_guard guard(FImpl->FLock);
  FImpl->FMap.GetAll([&](TQelClassWrapper* AWrapper) {
    if (TObject* object = AWrapper->GetValue()) AItemProc(object, AData);
  });
  for (const void* object : FImpl->FScriptOwned) AItemProc(static_cast<TObject*>(const_cast<void*>(object)), AData);
}

// ---- objects and classes as values ---------------------------------------------------------

VARIANT ObjectToVar(TObject* AObject) {
  if (!AObject) return NilObjectVar();
  VARIANT result = NilObjectVar();
  result.pdispVal = TWrapperByObject::Instance().Obtain(AObject)->AsDispatch();
  return result;
}

TObject* VarToObject(const VARIANT& AValue, TClass AClass) {
  TQelDispWrapper* wrapper = VarToWrapper(AValue, true);
  if (!wrapper) return nullptr;
  if (!wrapper->GetWrapperClass() || wrapper->GetWrapperClass()->Kind != wkClass) QelRaiseTypeCastError();
  TObject* object = static_cast<TQelClassWrapper*>(wrapper)->GetValue();
  // The typed conversion (a host member's object parameter, AClass given) refuses a destroyed
  // object, which the member would otherwise take for nil; an untyped query reads it as nil.
  if (!object && AClass) QelRaiseOleError(SObjectDestroyed);
  if (AClass && object && !object->InheritsFrom(AClass)) QelRaiseTypeCastError();
  return object;
}

VARIANT MetaclassToVar(TClass AClass) {
  if (!AClass) return NilObjectVar();
  return FindClassWrapper(AClass)->MetatypeToVar();
}

TClass VarToMetaclass(const VARIANT& AValue, TClass AClass) {
  TQelWrapperClassRef type = VarToTypeWrapperClass(AValue, true);
  if (!type) return nullptr;
  if (type->Kind != wkClass) QelRaiseTypeCastError();
  TClass result = type->GetWrappedClass();
  if (AClass && result && !result->InheritsFrom(AClass)) QelRaiseTypeCastError();
  return result;
}

TQelWrapperClassRef VarToTypeWrapperClass(const VARIANT& AValue, bool AAllowNil) {
  TQelDispWrapper* wrapper = VarToWrapper(AValue, AAllowNil);
  if (!wrapper) return nullptr;
  auto* type = dynamic_cast<TQelMetatypeWrapper*>(wrapper);
  if (!type) QelRaiseTypeCastError();
  return type->GetType();
}

namespace QelBindDetail {

TObject* ConstructInstance(TClass AClass, TComponent* AOwner) {
  TObject* object = AClass ? AClass->NewInstance(AOwner) : nullptr;
  if (!object) QelRaiseOleError(SNoConstructor);
  return object;
}

}  // namespace QelBindDetail

// ---- type values ---------------------------------------------------------------------------

TQelMetatypeWrapper::TQelMetatypeWrapper(TQelWrapperClassRef AType)
    : TQelDispWrapper(nullptr), FType(AType), FDispInfo(&AType->GetDispInfo()) {}

VARIANT TQelMetatypeWrapper::InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) {
  // A DISPID of an instance member (taken from an instance, not from this type value) would
  // run without an instance: refused.
  if (!AItem.Has(iiaMetaMember)) QelRaiseOleError(OleErrorText(DISP_E_MEMBERNOTFOUND), DISP_E_MEMBERNOTFOUND);
  VARIANT result = FType->InvokeMetaItem(AItem, AArgs, AArgsSize, IsGet);
  if (AItem.Has(iiaConstructor)) AdoptConstructed(result);
  return result;
}

// ---- records -------------------------------------------------------------------------------

TQelRecordWrapper* TQelRecordWrapper::Clone() const {
  return GetWrapperClass()->NewRecord(const_cast<TQelRecordWrapper*>(this)->GetValuePtr());
}

VARIANT TQelRecordWrapper::InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) {
  if (!AItem.InvokeProc) return VARIANT{};
  return AItem.InvokeProc(AItem.Has(iiaMetaMember) ? nullptr : this, AArgs, AArgsSize, IsGet);
}

static VARIANT TakeWrapper(TQelDispWrapper* AWrapper) {
  VARIANT result = NilObjectVar();
  result.pdispVal = AWrapper->AsDispatch();
  return result;
}

VARIANT RecordToVar(TQelWrapperClassRef AType, const void* AValue) { return TakeWrapper(AType->NewRecord(AValue)); }

void* VarToRecord(TQelWrapperClassRef AType, const VARIANT& AValue) {
  TQelDispWrapper* wrapper = VarToWrapper(AValue, false);
  if (wrapper->GetWrapperClass() != AType || AType->Kind != wkRecord) QelRaiseTypeCastError();
  return static_cast<TQelRecordWrapper*>(wrapper)->GetValuePtr();
}

// ---- units ---------------------------------------------------------------------------------

VARIANT TQelUnitWrapper::InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) {
  const auto& data = static_cast<const TQelUnitWrapperData&>(GetWrapperClass()->GetData());
  if (AItem.Index < data.GetNonEnumCount()) {
    return AItem.InvokeProc ? AItem.InvokeProc(this, AArgs, AArgsSize, IsGet) : VARIANT{};
  }
  return QelIntVar(data.GetEnumerators().GetValues(AItem.Index - data.GetNonEnumCount()));
}

VARIANT TQelUnitWrapper::ToVar(TQelWrapperClassRef AUnitClass, IQelScriptControl* AScriptControl) {
  return TakeWrapper(new TQelUnitWrapper(AUnitClass, AScriptControl));
}

VARIANT TQelUnitWrapper::TypeToVar(TQelWrapperClassRef AWrapperClass) {
  return AWrapperClass ? AWrapperClass->MetatypeToVar() : NilObjectVar();
}

// ---- type operations -----------------------------------------------------------------------

bool ObjectIs(const VARIANT& AObject, const VARIANT& AClassValue) {
  TObject* object = VarToObject(AObject);
  TClass type = VarToMetaclass(AClassValue);
  return object && type && object->InheritsFrom(type);
}

bool ObjectIsOfVarClass(TObject* AObject, const VARIANT& AClassValue) {
  TClass type = VarToMetaclass(AClassValue);
  return AObject && type && AObject->InheritsFrom(type);
}

static bool IsRecordWrapper(const TQelDispWrapper* AWrapper) {
  return AWrapper->GetWrapperClass() && AWrapper->GetWrapperClass()->Kind == wkRecord;
}

bool RecIs(const VARIANT& ARecord, const VARIANT& ARecordType) {
  TQelDispWrapper* record = VarToWrapper(ARecord, true);
  TQelWrapperClassRef type = VarToTypeWrapperClass(ARecordType, true);
  if (!record || !type) return false;
  if (!IsRecordWrapper(record) || type->Kind != wkRecord) QelRaiseTypeCastError();
  return record->GetWrapperClass() == type;
}

VARIANT RecNew(const VARIANT& ARecordType) {
  TQelWrapperClassRef type = VarToTypeWrapperClass(ARecordType, false);
  if (type->Kind != wkRecord) QelRaiseTypeCastError();
  return RecordToVar(type, nullptr);
}

VARIANT RecCopy(const VARIANT& ARecord) {
  TQelDispWrapper* record = VarToWrapper(ARecord, false);
  if (!IsRecordWrapper(record)) QelRaiseTypeCastError();
  return TakeWrapper(static_cast<TQelRecordWrapper*>(record)->Clone());
}

bool VarIsOfType(const VARIANT& AValue, const VARIANT& ATypeValue) {
  TQelWrapperClassRef type = VarToTypeWrapperClass(ATypeValue, true);
  if (!type) return false;
  return type->Kind == wkRecord ? RecIs(AValue, ATypeValue) : ObjectIs(AValue, ATypeValue);
}

VARIANT VarNewOfType(const VARIANT& ATypeValue, TQelDispArgs AArgs, int AArgsSize) {
  TQelWrapperClassRef type = VarToTypeWrapperClass(ATypeValue, true);
  if (!type) QelRaiseTypeCastError();
  if (type->Kind == wkRecord) {
    if (AArgsSize != 0) RaiseArgCountError(u"New");
    return RecordToVar(type, nullptr);
  }
  if (type->Kind != wkClass) return VARIANT{};
  const TQelDispInfo& info = type->GetDispInfo();
  const int32_t index = info.FindName(u"CREATE", false);
  if (index <= 0 || !info.GetItem(index).Has(iiaConstructor)) QelRaiseOleError(SNoConstructor);
  const TQelInvokeItem& item = info.GetItem(index);
  if (AArgsSize != item.ParamCount && AArgsSize < item.MinParamCount) RaiseArgCountError(u"New");
  VARIANT result = type->InvokeMetaItem(item, AArgs, AArgsSize, false);
  AdoptConstructed(result);
  return result;
}
