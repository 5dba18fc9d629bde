// The System unit's class, record and enumeration wrappers, the unit's member list and its
// start-up registration.
#include <mutex>

#include "engine/wrappers/QelSctSysWrappers.h"

namespace {

TClass ObjClassType(TObject* AObject) { return AObject->ClassType(); }
// Free and Destroy reach the object through its wrapper, which knows whether a script may free it
// and whether one of its members is still running.
void ScriptFree(TObject* AObject, bool ABeforeDestruction) {
  TQelClassWrapper* wrapper = TWrapperByObject::Instance().Find(AObject);
  if (!wrapper) return;  // never handed to a script
  wrapper->ScriptFree(ABeforeDestruction);
}
void ObjFree(TObject* AObject) { ScriptFree(AObject, true); }
void ObjDestroy(TObject* AObject) { ScriptFree(AObject, false); }
String ClsName(TClass AClass) { return AClass->ClassName(); }
bool ClsNameIs(TClass AClass, std::u16string_view AName) { return SameText(AClass->Name, AName); }
TClass ClsParent(TClass AClass) { return AClass->Parent; }
int32_t ClsInstanceSize(TClass AClass) { return static_cast<int32_t>(AClass->InstanceSize); }
bool ClsInheritsFrom(TClass AClass, TClass AParent) { return AParent && AClass->InheritsFrom(AParent); }

GUID GuidEmpty() { return GUID{}; }
TPtrWrapper PtrNew() { return TPtrWrapper{}; }
TPtrWrapper PtrNewOf(intptr_t AValue) { return TPtrWrapper{AValue}; }
intptr_t PtrToInteger(TPtrWrapper& AValue) { return AValue.Value; }
TPtrWrapper PtrCopy(TPtrWrapper& AValue) { return AValue; }

}  // namespace

// ---- root classes --------------------------------------------------------------------------

void TObject_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TObject> M(AData);
  M.Method<&ObjClassType>(u"ClassType");
  M.Method<&ObjFree>(u"Free");
  M.Method<&ObjDestroy>(u"Destroy");
  M.Constructor();
  M.ClassMethod<&ClsName>(u"ClassName");
  M.ClassMethod<&ClsNameIs>(u"ClassNameIs");
  M.ClassMethod<&ClsParent>(u"ClassParent");
  M.ClassMethod<&ClsInstanceSize>(u"InstanceSize");
  M.ClassMethod<&ClsInheritsFrom>(u"InheritsFrom");
}

void TInterfacedObject_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TInterfacedObject> M(AData);
  M.Property<&TInterfacedObject::GetRefCount>(u"RefCount");
}

// ---- records -------------------------------------------------------------------------------

void TGUID_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TGUID_sw> M(AData);
  M.CreateAndCopy();
  M.FieldAs<&GUID::Data1, Longword_sw>(u"D1");
  M.FieldAs<&GUID::Data2, Word_sw>(u"D2");
  M.FieldAs<&GUID::Data3, Word_sw>(u"D3");
  M.ClassMethod<&GuidEmpty>(u"Empty");
}

void TMethod_sw::RegisterMembers(TQelRecordWrapperData& AData) { TQelRecordMembers<TMethod_sw>(AData).CreateAndCopy(); }

void TVarRecord_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TVarRecord_sw>(AData).CreateAndCopy();
}

void TVarData_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TVarData_sw> M(AData);
  M.CreateAndCopy();
  M.FieldAs<&VARIANT::vt, Word_sw>(u"VType");
  M.FieldAs<&VARIANT::wReserved1, Word_sw>(u"Reserved1");
  M.FieldAs<&VARIANT::wReserved2, Word_sw>(u"Reserved2");
  M.FieldAs<&VARIANT::wReserved3, Word_sw>(u"Reserved3");
  M.FieldAs<&VARIANT::iVal, Smallint_sw>(u"VSmallInt");
  M.FieldAs<&VARIANT::lVal, Integer_sw>(u"VInteger");
  M.FieldAs<&VARIANT::fltVal, Single_sw>(u"VSingle");
  M.FieldAs<&VARIANT::dblVal, Double_sw>(u"VDouble");
  M.FieldAs<&VARIANT::cyVal, Currency_sw>(u"VCurrency");
  M.FieldAs<&VARIANT::date, TDateTime_sw>(u"VDate");
  M.FieldAs<&VARIANT::scode, Longint_sw>(u"VError");
  M.FieldAs<&VARIANT::boolVal, WordBool_sw>(u"VBoolean");
  M.FieldAs<&VARIANT::cVal, Shortint_sw>(u"VShortInt");
  M.FieldAs<&VARIANT::bVal, Byte_sw>(u"VByte");
  M.FieldAs<&VARIANT::uiVal, Word_sw>(u"VWord");
  M.FieldAs<&VARIANT::ulVal, Longword_sw>(u"VLongWord");
  M.FieldAs<&VARIANT::llVal, Int64_sw>(u"VInt64");
  M.FieldAs<&VARIANT::ullVal, UInt64_sw>(u"VUInt64");
}

void TPtrWrapper_sw::RegisterMembers(TQelRecordWrapperData& AData) {
  TQelRecordMembers<TPtrWrapper_sw> M(AData);
  M.Constructors<u"Create", &PtrNew, &PtrNewOf>();
  M.Method<&PtrToInteger>(u"ToInteger");
  M.ClassProperty<&PtrNew>(u"NilValue");
  M.Method<&PtrCopy>(u"Copy");
}

std::span<const TQelEnumerator> TTextLineBreakStyle_sw::Enumerators() {
  static constexpr TQelEnumerator values[] = {{u"tlbsLF", tlbsLF}, {u"tlbsCRLF", tlbsCRLF}};
  return values;
}

// ---- registration --------------------------------------------------------------------------

void QelRegisterSystemUnit() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterUnitWrapper(QelWrapperClass<System_sw>());
    RegisterClassWrapper(QelWrapperClass<TObject_sw>());
    RegisterClassWrapper(QelWrapperClass<TInterfacedObject_sw>());
    RegisterClassWrapper(QelWrapperClass<TAggregatedObject_sw>());
    RegisterClassWrapper(QelWrapperClass<TContainedObject_sw>());
    RegisterClassWrapper(QelWrapperClass<TCustomAttribute_sw>());
  });
}
