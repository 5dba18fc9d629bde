// Wrapper data and member registration, the wrapper-class operations, and the process-wide
// registries of unit, class and event wrappers.
#include <algorithm>
#include <iterator>
#include <mutex>

#include "engine/wrappers/QelSctWrappers.h"

namespace {

constexpr uint32_t GET = DISPATCH_PROPERTYGET;
constexpr uint32_t METHOD = DISPATCH_METHOD;

struct TWrapperDataListTraits : TQelHashTableTraits {
  using Item = TQelWrapperData;
  using Key = TQelWrapperClassRef;
  static std::uint32_t MakeHashI(const Item* AItem) { return PtrHash(AItem->GetWrapperClass()); }
  static std::uint32_t MakeHashK(const Key& AKey) { return PtrHash(AKey); }
  static bool Compare(const Key& AKey, const Item* AItem) { return AItem->GetWrapperClass() == AKey; }
  static bool BeforeAdd(Item* AItem, const TQelHashTable<TWrapperDataListTraits>& ATable) {
    return ATable.Find(AItem->GetWrapperClass()) == nullptr;
  }
};

// Items keyed by one pointer field; the first registration of a key wins.
template <class TItem, auto AKey>
struct TByPointerTraits : TQelHashTableTraits {
  using Item = TItem;
  using Key = std::remove_cvref_t<decltype(std::declval<TItem&>().*AKey)>;
  static std::uint32_t MakeHashI(const Item* AItem) { return PtrHash(AItem->*AKey); }
  static std::uint32_t MakeHashK(const Key& AKey2) { return PtrHash(AKey2); }
  static bool Compare(const Key& AKey2, const Item* AItem) { return AItem->*AKey == AKey2; }
  template <class TTable>
  static bool BeforeAdd(Item* AItem, const TTable& ATable) {
    return ATable.Find(AItem->*AKey) == nullptr;
  }
};

struct TWrapperClassItem {
  TClass FClass;
  TQelWrapperClassRef FWrapperClass;
};
using TWrapperClassTraits = TByPointerTraits<TWrapperClassItem, &TWrapperClassItem::FClass>;

struct TEventWrapperItem {
  const TEventTypeInfo* FEventType;
  TQelWrapperClassRef FWrapperClass;
};
using TEventWrapperTraits = TByPointerTraits<TEventWrapperItem, &TEventWrapperItem::FEventType>;

// Filled at start-up and then only read; building a class's data on first use happens under
// the lock (re-entrant: a class builds its ancestors' data first). Never destroyed: member
// tables are referenced by wrappers until the process ends.
struct TRegistries {
  std::recursive_mutex FLock;
  TQelHashTable<TWrapperDataListTraits> FWrapperData{true};
  std::vector<TQelWrapperClassRef> FUnitWrappers;
  TQelHashTable<TWrapperClassTraits> FClassWrappers{true};
  TQelHashTable<TEventWrapperTraits> FEventWrappers{true};
  // Members added to a listed unit: a function, or the members of a later unit wrapper of the
  // same name.
  struct TUnitExtension {
    String UnitName;
    void (*Extend)(TQelUnitWrapperData&);
    TQelWrapperClassRef Unit;
  };
  std::vector<TUnitExtension> FUnitExtensions;
};

TRegistries& Registries() {
  static auto* registries = new TRegistries();
  return *registries;
}

// Runs under the registries' lock, as every data build does.
void RunUnitExtensions(TQelUnitWrapperData& AData) {
  const std::u16string_view name = AData.GetWrapperClass()->GetUnitName();
  for (const auto& extension : Registries().FUnitExtensions) {
    if (extension.UnitName != name) continue;
    if (extension.Extend) extension.Extend(AData);
    else if (extension.Unit->RegisterMembers) extension.Unit->RegisterMembers(AData);
  }
}

std::unique_ptr<TQelWrapperData> NewDataFor(TQelWrapperClassRef AClass) {
  switch (AClass->Kind) {
    case wkClass: return std::make_unique<TQelClassWrapperData>(AClass);
    case wkRecord: return std::make_unique<TQelRecordWrapperData>(AClass);
    case wkUnit: return std::make_unique<TQelUnitWrapperData>(AClass);
    default: return std::make_unique<TQelWrapperData>(AClass);
  }
}

void InitClassData(TQelClassWrapperData& AData) {
  TQelWrapperClassRef wrapperClass = AData.GetWrapperClass();
  const TQelDispInfo* parentInfo = wrapperClass->Parent ? &wrapperClass->Parent->GetDispInfo() : nullptr;
  TQelDispInfo& info = AData.GetDispInfo();
  if (parentInfo) {
    for (int32_t i = 1; i < parentInfo->GetCount(); ++i) info.AddCopy(parentInfo->GetItem(i), false, false);
  }
  if (wrapperClass->RegisterMembers) wrapperClass->RegisterMembers(AData);
  if (!parentInfo) return;
  for (const auto& redecl : AData.GetRedecls()) {
    const int32_t index = parentInfo->FindName(redecl.Name, true);
    if (index > 0) info.AddCopy(parentInfo->GetItem(index), true, redecl.IsDefault);
  }
}

void InitWrapperData(TQelWrapperData& AData) {
  TQelWrapperClassRef wrapperClass = AData.GetWrapperClass();
  switch (wrapperClass->Kind) {
    case wkClass:
      InitClassData(static_cast<TQelClassWrapperData&>(AData));
      break;
    case wkUnit:
      if (wrapperClass->RegisterMembers) wrapperClass->RegisterMembers(AData);
      RunUnitExtensions(static_cast<TQelUnitWrapperData&>(AData));
      static_cast<TQelUnitWrapperData&>(AData).AddFoundEnums();
      break;
    default:
      if (wrapperClass->RegisterMembers) wrapperClass->RegisterMembers(AData);
      break;
  }
}

}  // namespace

// ---- registries ----------------------------------------------------------------------------

TQelWrapperData& GetWrapperData(TQelWrapperClassRef AWrapperClass) {
  std::atomic_ref<TQelWrapperData*> cache(AWrapperClass->FData);
  if (TQelWrapperData* data = cache.load(std::memory_order_acquire)) return *data;
  TRegistries& registries = Registries();
  std::lock_guard guard(registries.FLock);
  if (TQelWrapperData* data = registries.FWrapperData.Find(AWrapperClass)) return *data;
  std::unique_ptr<TQelWrapperData> data = NewDataFor(AWrapperClass);
  InitWrapperData(*data);
  registries.FWrapperData.Add(data.get());
  cache.store(data.get(), std::memory_order_release);
  return *data.release();
}

namespace {

// The order in which scripts see the host units ("System" first). Units of later layers (the
// visual ones) register after the core units but still take their place in this order.
constexpr std::u16string_view SUnitOrder[] = {
    u"System",   u"Types",     u"UITypes",  u"Windows",  u"Messages", u"SysConst",  u"SysUtils",  u"Variants",
    u"TypInfo",  u"Classes",   u"Graphics", u"MultiMon", u"Contnrs",  u"CommCtrl",  u"ImageList", u"ImgList",
    u"Actions",  u"ActnList",  u"Menus",    u"Imm",      u"Controls", u"Messaging", u"HelpIntfs", u"Forms",
    u"ShlObj",   u"CommDlg",   u"Printers", u"StdCtrls", u"RichEdit", u"ToolWin",   u"GraphUtil", u"ExtCtrls",
    u"ListActns", u"ComCtrls", u"Dialogs"};

// A unit outside the table ranks after all of it, in registration order.
size_t UnitRank(TQelWrapperClassRef AUnit) {
  const auto* found = std::find(std::begin(SUnitOrder), std::end(SUnitOrder), AUnit->GetUnitName());
  return static_cast<size_t>(found - std::begin(SUnitOrder));
}

}  // namespace

void RegisterUnitWrapper(TQelWrapperClassRef AWrapperClass) {
  TRegistries& registries = Registries();
  std::lock_guard guard(registries.FLock);
  auto& list = registries.FUnitWrappers;
  if (std::find(list.begin(), list.end(), AWrapperClass) != list.end()) return;
  const auto named = std::find_if(list.begin(), list.end(), [AWrapperClass](TQelWrapperClassRef AUnit) {
    return AUnit->GetUnitName() == AWrapperClass->GetUnitName();
  });
  if (named != list.end()) {
    registries.FUnitExtensions.push_back({String(AWrapperClass->GetUnitName()), nullptr, AWrapperClass});
    return;
  }
  const size_t rank = UnitRank(AWrapperClass);
  const auto later = std::find_if(list.begin(), list.end(), [rank](TQelWrapperClassRef AUnit) { return UnitRank(AUnit) > rank; });
  list.insert(later, AWrapperClass);
}

const std::vector<TQelWrapperClassRef>& GetUnitWrappers() { return Registries().FUnitWrappers; }

void QelExtendUnit(std::u16string_view AUnitName, void (*AExtend)(TQelUnitWrapperData& AData)) {
  TRegistries& registries = Registries();
  std::lock_guard guard(registries.FLock);
  registries.FUnitExtensions.push_back({String(AUnitName), AExtend, nullptr});
}

void RegisterClassWrapper(TQelWrapperClassRef AWrapperClass) {
  TRegistries& registries = Registries();
  std::lock_guard guard(registries.FLock);
  auto item = std::make_unique<TWrapperClassItem>(TWrapperClassItem{AWrapperClass->GetWrappedClass(), AWrapperClass});
  if (registries.FClassWrappers.Add(item.get())) item.release();
}

void RegisterEventWrapper(const TEventTypeInfo* AEventType, TQelWrapperClassRef AWrapperClass) {
  TRegistries& registries = Registries();
  std::lock_guard guard(registries.FLock);
  auto item = std::make_unique<TEventWrapperItem>(TEventWrapperItem{AEventType, AWrapperClass});
  if (registries.FEventWrappers.Add(item.get())) item.release();
}

TQelWrapperClassRef FindClassWrapper(TClass AClass) {
  const auto& classWrappers = Registries().FClassWrappers;
  for (TClass c = AClass; c; c = c->Parent) {
    if (const TWrapperClassItem* item = classWrappers.Find(c)) return item->FWrapperClass;
  }
  // Every host class descends from TObject, whose wrapper the System unit registers; a miss
  // means registration has not run.
  throw ExceptionPtr(new EOleSysError(u"No wrapper registered for class " + (AClass ? AClass->ClassName() : String(u"nil")), E_UNEXPECTED));
}

TQelWrapperClassRef FindEventWrapper(const TEventTypeInfo* AEventType) {
  if (AEventType) {
    if (const TEventWrapperItem* item = Registries().FEventWrappers.Find(AEventType)) return item->FWrapperClass;
  }
  const std::u16string_view name = AEventType ? AEventType->Name : std::u16string_view(u"nil");
  QelRaiseOleError(Exception::FormatMessage(u"Event type %s is not registered.", {name}));
}

// ---- wrapper classes -----------------------------------------------------------------------

bool TQelWrapperClass::InheritsFrom(TQelWrapperClassRef AAncestor) const {
  for (TQelWrapperClassRef c = this; c; c = c->Parent) {
    if (c == AAncestor) return true;
  }
  return false;
}


VARIANT TQelWrapperClass::MetatypeToVar() const {
  if (Kind == wkMetaclass) return FindClassWrapper(GetWrappedClass())->MetatypeToVar();
  VARIANT result = NilObjectVar();
  result.pdispVal = GetData().GetMetatypeWrapper();
  result.pdispVal->AddRef();
  return result;
}

VARIANT TQelWrapperClass::InvokeMetaItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize,
                                         bool IsGet) const {
  if (!AItem.InvokeProc) return VARIANT{};
  switch (Kind) {
    case wkClass: return AItem.InvokeProc(const_cast<TClassInfo*>(GetWrappedClass()), AArgs, AArgsSize, IsGet);
    case wkRecord: return AItem.InvokeProc(nullptr, AArgs, AArgsSize, IsGet);
    default: return VARIANT{};
  }
}

// ---- wrapper data --------------------------------------------------------------------------

TQelWrapperData::TQelWrapperData(TQelWrapperClassRef AWrapperClass) : FWrapperClass(AWrapperClass) {}
TQelWrapperData::~TQelWrapperData() = default;

IDispatch* TQelWrapperData::GetMetatypeWrapper() {
  std::lock_guard guard(Registries().FLock);
  if (!FMetatypeWrapper) FMetatypeWrapper = ComPtr<IDispatch>::adopt(new TQelMetatypeWrapper(FWrapperClass));
  return FMetatypeWrapper.get();
}

uint32_t TQelWrapperData::PutFlags(TQelWrapperClassRef AType) {
  const bool isObject = AType && AType->GetDebugType() == VT_DISPATCH;
  return DISPATCH_PROPERTYPUT | (isObject ? DISPATCH_PROPERTYPUTREF : 0);
}

TQelDebugTypeFunc TQelWrapperData::DebugOf(TQelWrapperClassRef AType, VARTYPE AVarType) {
  if (AType) return AType;
  return AVarType != VT_EMPTY ? TVarDebugType::Get(AVarType) : nullptr;
}

void TQelWrapperData::AddRoutine(std::u16string_view AName, TQelInvokeProc AProc, bool AIsFunction,
                                 TQelWrapperClassRef AResultType, int32_t AParamsCount, bool AHasOptionalParams,
                                 TQelInvokeItemAttrs AAttrs) {
  if (AHasOptionalParams) AAttrs |= iiaOptParams;
  if (!AIsFunction) AAttrs |= iiaNoResult;
  const TQelDebugTypeFunc debugType = AIsFunction ? DebugOf(AResultType, VT_VARIANT) : nullptr;
  FDispInfo.Add(AName, AProc, debugType, AAttrs, AParamsCount, METHOD);
}

void TQelWrapperData::AddPropertyEntry(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                                       bool AIsReadable, bool AIsWritable, int32_t AParamsCount,
                                       TQelInvokeItemAttrs AAttrs) {
  const uint32_t flags = (AIsReadable ? GET : 0) | (AIsWritable ? PutFlags(AType) : 0);
  FDispInfo.Add(AName, AProc, AType, AAttrs, AParamsCount, flags);
}

void TQelClassWrapperData::AddField(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType) {
  FDispInfo.Add(AName, AProc, AType, 0, 0, GET | PutFlags(AType));
}

void TQelClassWrapperData::AddClassField(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType) {
  FDispInfo.Add(AName, AProc, AType, iiaMetaMember, 0, GET | PutFlags(AType));
}

void TQelClassWrapperData::AddConstant(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                                       VARTYPE AVarType) {
  FDispInfo.Add(AName, AProc, DebugOf(AType, AVarType), iiaMetaMember, 0, GET);
}

void TQelClassWrapperData::AddProperty(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                                       bool AIsReadable, bool AIsWritable, int32_t AParamsCount, bool AIsProtected,
                                       bool AIsDefault) {
  TQelInvokeItemAttrs attrs = AIsDefault ? TQelInvokeItemAttrs(iiaDefaultProp) : TQelInvokeItemAttrs(0);
  if (AIsProtected && HidesProtected()) attrs |= iiaHidden;
  AddPropertyEntry(AName, AProc, AType, AIsReadable, AIsWritable, AParamsCount, attrs);
}

void TQelClassWrapperData::AddClassProperty(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                                            bool AIsReadable, bool AIsWritable, int32_t AParamsCount,
                                            bool AIsProtected) {
  TQelInvokeItemAttrs attrs = iiaMetaMember;
  if (AIsProtected && HidesProtected()) attrs |= iiaHidden;
  AddPropertyEntry(AName, AProc, AType, AIsReadable, AIsWritable, AParamsCount, attrs);
}

void TQelClassWrapperData::AddProcedure(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                                        bool AHasOptionalParams) {
  AddRoutine(AName, AProc, false, nullptr, AParamsCount, AHasOptionalParams, 0);
}

void TQelClassWrapperData::AddFunction(std::u16string_view AName, TQelInvokeProc AProc,
                                       TQelWrapperClassRef AResultType, int32_t AParamsCount, bool AHasOptionalParams) {
  AddRoutine(AName, AProc, true, AResultType, AParamsCount, AHasOptionalParams, 0);
}

void TQelClassWrapperData::AddClassProcedure(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                                             bool AHasOptionalParams) {
  AddRoutine(AName, AProc, false, nullptr, AParamsCount, AHasOptionalParams, iiaMetaMember);
}

void TQelClassWrapperData::AddClassFunction(std::u16string_view AName, TQelInvokeProc AProc,
                                            TQelWrapperClassRef AResultType, int32_t AParamsCount,
                                            bool AHasOptionalParams) {
  AddRoutine(AName, AProc, true, AResultType, AParamsCount, AHasOptionalParams, iiaMetaMember);
}

void TQelClassWrapperData::AddConstructor(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                                          bool AHasOptionalParams) {
  AddRoutine(AName, AProc, true, FWrapperClass, AParamsCount, AHasOptionalParams, iiaMetaMember | iiaConstructor);
}

void TQelClassWrapperData::AddPropertyRedecl(std::u16string_view AName, bool AIsDefault) {
  FRedecls.push_back({String(AName), AIsDefault});
}

void TQelRecordWrapperData::AddConstructor(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                                           bool AHasOptionalParams) {
  AddClassFunction(AName, AProc, FWrapperClass, AParamsCount, AHasOptionalParams);
}

// ---- units ---------------------------------------------------------------------------------

void TQelUnitEnumerators::Add(int32_t AValue) {
  if (FCount == static_cast<int32_t>(FValues.size())) FValues.resize(static_cast<size_t>((FCount + 1) * 3 / 2));
  FValues[static_cast<size_t>(FCount++)] = AValue;
}

void TQelUnitEnumerators::Clear() {
  FCount = 0;
  FValues.clear();
}

void TQelUnitWrapperData::AddConstant(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                                      VARTYPE AVarType) {
  FDispInfo.Add(AName, AProc, DebugOf(AType, AVarType), 0, 0, GET);
}

void TQelUnitWrapperData::AddVariable(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType) {
  FDispInfo.Add(AName, AProc, AType, 0, 0, GET | PutFlags(AType));
}

void TQelUnitWrapperData::AddProcedure(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                                       bool AHasOptionalParams) {
  AddRoutine(AName, AProc, false, nullptr, AParamsCount, AHasOptionalParams, 0);
}

void TQelUnitWrapperData::AddFunction(std::u16string_view AName, TQelInvokeProc AProc,
                                      TQelWrapperClassRef AResultType, int32_t AParamsCount, bool AHasOptionalParams) {
  AddRoutine(AName, AProc, true, AResultType, AParamsCount, AHasOptionalParams, 0);
}

void TQelUnitWrapperData::AddType(TQelWrapperClassRef AWrapperClass, TQelInvokeProc AProc) {
  // A unit is assembled from several registrations (the core's unit data, then the visual
  // layer's wrappers); a type both list keeps one entry and one set of constants.
  if (std::find(FAddedTypes.begin(), FAddedTypes.end(), AWrapperClass) != FAddedTypes.end())
    return;
  FAddedTypes.push_back(AWrapperClass);
  FDispInfo.Add(AWrapperClass->GetTypeName(), AProc, AWrapperClass, 0, 0, GET);
  if (AWrapperClass->Kind == wkEnum) FFoundEnums.push_back(AWrapperClass);
}

void TQelUnitWrapperData::AddFoundEnums() {
  // Slot 0 counts as a non-enumeration entry even when the unit registered nothing else.
  FNonEnumCount = std::max(FDispInfo.GetCount(), 1);
  for (TQelWrapperClassRef enumClass : FFoundEnums) {
    if (!enumClass->Enumerators) continue;
    for (const TQelEnumerator& value : enumClass->Enumerators()) {
      // A unit that redeclares an earlier unit's enumeration lists its values as constants
      // of its own; the type, added later by the visual layer, does not list them again.
      if (value.Name.empty() || FDispInfo.FindName(value.Name, true) >= 0) continue;
      FDispInfo.Add(value.Name, nullptr, enumClass, 0, 0, GET);
      FEnumerators.Add(value.Value);
    }
  }
  FFoundEnums.clear();
  FFoundEnums.shrink_to_fit();
}
