// The control's named objects and values.
#include "engine/scripter/ScrInternal.h"

TNamedItem::TNamedItem(TNamedItemKind AKind, String AName)
    : Kind(AKind), UppName(QelUpperName(AName)), Name(std::move(AName)) {
  VariantInit(&Value);
}

TNamedItem::~TNamedItem() { VariantClear(&Value); }

void QelRaiseNamedItemError(const char16_t* AFormat, std::u16string_view AName) {
  throw ExceptionPtr(new EOleSysError(Exception::FormatMessage(AFormat, {AName}), E_FAIL));
}

namespace {

// Empty gives a null object; anything else but an object fails as a variant cast does.
IDispatch* DispatchOf(const VARIANT& AObj) {
  const VARIANT& value = QelDeref(AObj);
  switch (value.vt) {
    case VT_EMPTY: return nullptr;
    case VT_DISPATCH: return value.pdispVal;
    case VT_UNKNOWN: {
      IDispatch* disp = nullptr;
      if (value.punkVal && SUCCEEDED(value.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp)))) {
        disp->Release();  // the variant keeps the object alive while it is added
        return disp;
      }
      [[fallthrough]];
    }
    default: QelRaiseTypeCastError();
  }
}

}  // namespace

void TQelScriptControl::AddObject(std::u16string_view AName, const VARIANT& AObj, bool APublishMembers) {
  AddNamedObject(AName, DispatchOf(AObj), APublishMembers);
}

void TQelScriptControl::AddNamedObject(std::u16string_view AName, IDispatch* AObj, bool APublishMembers,
                                       bool AIsUnit) {
  auto item = std::make_unique<TNamedItem>(nikObject, String(AName));
  if (FNamedItems.Find(item->UppName)) QelRaiseNamedItemError(SQelObjectExists, AName);
  item->Value.vt = VT_DISPATCH;
  item->Value.pdispVal = AObj;
  if (AObj) AObj->AddRef();
  item->PubMembers = APublishMembers;
  item->IsUnit = AIsUnit;
  TNamedItem* added = item.release();
  FNamedItems.Add(added);
  if (FState != ssInactive) Runner().AddNamedObjectToEngine(*added);
}

void TQelScriptControl::AddOrSetValue(std::u16string_view AName, const VARIANT& AValue) {
  String key = QelUpperName(AName);
  TNamedItem* item = FNamedItems.Find(key);
  if (item && item->Kind != nikValue) QelRaiseNamedItemError(SQelValueRequired, AName);
  VARIANT copy;
  VariantInit(&copy);
  QelCheckVariantCopy(VariantCopyInd(&copy, &AValue));
  if (!item) {
    item = new TNamedItem(nikValue, String(AName));
    FNamedItems.Add(item);
  }
  VariantClear(&item->Value);
  item->Value = copy;
  if (FState != ssInactive) FNamedValuesHolder->AddValue(item->Name, &item->Value);
}

bool TQelScriptControl::TryReadValue(std::u16string_view AName, VARIANT& AResult) const {
  VariantClear(&AResult);
  const TNamedItem* item = FNamedItems.Find(QelUpperName(AName));
  if (!item || item->Kind != nikValue) return false;
  QelCheckVariantCopy(VariantCopy(&AResult, &item->Value));
  return true;
}

void TQelScriptControl::AddChildren(TComponent* AOwner, bool APublishMembers) {
  for (int i = 0; i < AOwner->GetComponentCount(); ++i) {
    TComponent* child = AOwner->GetComponents(i);
    if (child->GetName().empty()) continue;
    VARIANT value = ObjectToVar(child);
    try {
      AddObject(child->GetName(), value, APublishMembers);
    } catch (...) {
      VariantClear(&value);
      throw;
    }
    VariantClear(&value);
  }
}

IDispatch* TQelScriptControl::GetUnitInstance(TQelWrapperClassRef AWrapperClass) {
  VARIANT value = TQelUnitWrapper::ToVar(AWrapperClass, this);
  return value.pdispVal;  // the variant's reference passes to the caller
}

void TQelScriptControl::AddUnit(TQelWrapperClassRef AWrapperClass, bool APublishMembers) {
  IDispatch* instance = GetUnitInstance(AWrapperClass);
  try {
    AddNamedObject(AWrapperClass->GetUnitName(), instance, APublishMembers, true);
  } catch (...) {
    instance->Release();
    throw;
  }
  instance->Release();
}

void TQelScriptControl::AddUnits(const std::vector<TQelWrapperClassRef>& AWrapperClasses, bool APublishMembers) {
  for (TQelWrapperClassRef unit : AWrapperClasses) AddUnit(unit, APublishMembers);
}

void TQelScriptControl::AddAllUnits(bool APublishMembers) { AddUnits(GetUnitWrappers(), APublishMembers); }

void TQelScriptControl::RemoveObject(std::u16string_view AName) {
  CheckState({ssInactive});
  FNamedItems.Remove(QelUpperName(AName));
}

void TQelScriptControl::ClearObjects() {
  CheckState({ssInactive});
  FNamedItems.Clear();
}
