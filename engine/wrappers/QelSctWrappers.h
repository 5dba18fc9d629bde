// QelSctWrappers: how scripts reach host values. Every host object, record, type, event value
// and unit a script sees is a reference-counted wrapper answering IDispatch over a member table
// that belongs to its wrapper class (one table per class, built on first use, shared by every
// instance). This header holds the dispatch contract, the wrapper classes and their data, the
// process-wide registries and the shared conversion routines; QelSctConv.h maps C++ host types
// onto variants and QelSctBind.h turns host members into invoke procedures.
#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/QelDirectDispatch.h"
#include "engine/foundation/QelHashTable.h"
#include "host/core/SysUtils.h"
#include "platform/ole/OleAuto.h"

class TQelDispWrapper;
class TQelClassWrapper;
class TQelRecordWrapper;
class TQelUnitWrapper;
class TQelWrapperData;
class TQelDispInfo;
class TQelAbstractDispInfo;
class TQelScriptEventHandler;
class IQelScriptControl;
class TQelWrapperClass;

// A wrapper class is named by its descriptor; descriptors live for the process and compare by
// address.
using TQelWrapperClassRef = const TQelWrapperClass*;

// ---------------------------------------------------------------------------
// The calling contract

// Arguments in natural order (AArgs[0] is the first parameter); a put's value is the last entry.
// Dispatch never passes more than QelMaxDispArgs of them.
using TQelDispArgs = const VARIANT*;
constexpr int QelMaxDispArgs = 64;

// One member's procedure. AObj is the target: the host object (TObject*) for an instance member
// of a class wrapper, the host class (TClassInfo*) for a meta member, the TQelRecordWrapper for
// a record member (null for a record's meta member), the TQelUnitWrapper for a unit member.
// Returns the member's value, VT_EMPTY for a procedure or a put; the caller owns the result.
using TQelInvokeProc = VARIANT (*)(void* AObj, TQelDispArgs AArgs, int AArgsSize, bool IsGet);

enum TQelInvokeItemAttr : uint32_t {
  iiaHidden = 1u << 0,
  iiaOptParams = 1u << 1,
  iiaNoResult = 1u << 2,
  iiaMetaMember = 1u << 3,
  iiaConstructor = 1u << 4,
  iiaDefaultProp = 1u << 5,
};
using TQelInvokeItemAttrs = uint32_t;

// Where a member's debug type comes from: a type wrapper class or a bare VARTYPE.
class TQelDebugTypeSource {
 public:
  virtual VARTYPE GetDebugType() const = 0;

 protected:
  ~TQelDebugTypeSource() = default;
};
using TQelDebugTypeFunc = const TQelDebugTypeSource*;

// The shared debug-type object of a bare VARTYPE (made once, kept for the process).
class TVarDebugType final : public TQelDebugTypeSource {
 public:
  explicit TVarDebugType(VARTYPE AVarType) : FVarType(AVarType) {}
  VARTYPE GetDebugType() const override { return FVarType; }
  static TQelDebugTypeFunc Get(VARTYPE AVarType);

 private:
  VARTYPE FVarType;
};

// One member of a table; its Index is its DISPID, its Key (for prepared calls) the table.
struct TQelInvokeItem : TQelDirectMember {
  int32_t Index = 0;
  String UppName;
  String Name;
  TQelInvokeProc InvokeProc = nullptr;
  TQelDebugTypeFunc DebugType = nullptr;
  TQelInvokeItemAttrs Attrs = 0;
  int32_t ParamCount = 0;
  int32_t MinParamCount = std::numeric_limits<int32_t>::max();
  uint32_t InvokeFlags = 0;
  uint32_t ResMask = 0xFFFFFFFF;

  bool Has(TQelInvokeItemAttr AAttr) const { return (Attrs & AAttr) != 0; }
};

// ---------------------------------------------------------------------------
// Member tables

class TQelAbstractDispInfo {
 public:
  TQelAbstractDispInfo();
  virtual ~TQelAbstractDispInfo();
  TQelAbstractDispInfo(const TQelAbstractDispInfo&) = delete;
  TQelAbstractDispInfo& operator=(const TQelAbstractDispInfo&) = delete;

  // Index of the name (compared upper-cased), or -1; hidden entries only when asked for.
  virtual int32_t FindName(std::u16string_view AName, bool AIncludeHidden) const = 0;
  virtual const TQelInvokeItem& GetItem(int32_t AIndex) const = 0;
  // Entries including slot 0.
  virtual int32_t GetCount() const = 0;
  ITypeInfo* GetTypeInfo() const { return FTypeInfo.get(); }

 private:
  ComPtr<ITypeInfo> FTypeInfo;
};

struct TDispInfoNameIndexTraits : TQelHashTableTraits {
  using Item = TQelInvokeItem;
  using Key = std::u16string_view;
  static std::uint32_t MakeHashI(const TQelInvokeItem* AItem) { return StrHash(AItem->UppName); }
  static std::uint32_t MakeHashK(const Key& AKey) { return StrHash(AKey); }
  static bool Compare(const Key& AKey, const TQelInvokeItem* AItem) { return AKey == AItem->UppName; }
};

class TQelDispInfo final : public TQelAbstractDispInfo {
 public:
  TQelDispInfo();
  ~TQelDispInfo() override;

  int32_t FindName(std::u16string_view AName, bool AIncludeHidden) const override;
  const TQelInvokeItem& GetItem(int32_t AIndex) const override { return *FItems[AIndex]; }
  int32_t GetCount() const override { return static_cast<int32_t>(FItems.size()); }

  // Makes an entry (UppName, MinParamCount and ResMask derived) and adds it; returns its index.
  int32_t Add(std::u16string_view AName, TQelInvokeProc AProc, TQelDebugTypeFunc ADebugType,
              TQelInvokeItemAttrs AAttrs, int32_t AParamCount, uint32_t AInvokeFlags);
  // Adds a copy of AItem under a new index; AUnhide drops iiaHidden, ADefault adds iiaDefaultProp.
  int32_t AddCopy(const TQelInvokeItem& AItem, bool AUnhide, bool ADefault);

 private:
  int32_t AddItem(std::unique_ptr<TQelInvokeItem> AItem);

  std::vector<std::unique_ptr<TQelInvokeItem>> FItems;
  TQelHashTable<TDispInfoNameIndexTraits> FNameIndex{false};
};

// The view of a type's table that its type value shows: meta members only.
class TQelMetatypeDispInfo final : public TQelAbstractDispInfo {
 public:
  explicit TQelMetatypeDispInfo(const TQelAbstractDispInfo* AOriginal) : FOriginalInfo(AOriginal) {}
  int32_t FindName(std::u16string_view AName, bool AIncludeHidden) const override;
  const TQelInvokeItem& GetItem(int32_t AIndex) const override { return FOriginalInfo->GetItem(AIndex); }
  int32_t GetCount() const override { return FOriginalInfo->GetCount(); }

 private:
  const TQelAbstractDispInfo* FOriginalInfo;
};

// Names compare upper-cased with the Unicode simple mapping, code unit by code unit.
String QelUpperName(std::u16string_view AName);

// ---------------------------------------------------------------------------
// Wrapper classes: one descriptor per class carries its class-level operations.

enum TQelWrapperKind : uint8_t {
  wkClass,        // TQelClassWrapper descendants: host objects
  wkMetaclass,    // TQelMetaclassWrapper: class-reference types
  wkRecord,       // TQelRecordWrapper descendants
  wkEnum,         // TQelEnumWrapper
  wkSet,          // TQelSetWrapper
  wkSubrange,     // TQelSubrangeWrapper
  wkPredType,     // TQelPredTypeWrapper: predefined scalar and string types
  wkEvent,        // TQelEventWrapper: method-pointer types
  wkUnit,         // TQelUnitWrapper
};

struct TQelEnumerator {
  std::u16string_view Name;
  int32_t Value;
};

class TQelWrapperClass final : public TQelDebugTypeSource {
 public:
  TQelWrapperKind Kind = wkClass;
  // The parent wrapper class; null for a class directly below its kind's base.
  TQelWrapperClassRef Parent = nullptr;
  // The script-visible type name (a unit's name for a unit wrapper).
  std::u16string_view Name;
  VARTYPE DebugType = VT_EMPTY;
  // Class and metaclass wrappers: the wrapped host class.
  TClass (*WrappedClass)() = nullptr;
  // Class, record and unit wrappers: registers the class's own members into its data.
  void (*RegisterMembers)(TQelWrapperData& AData) = nullptr;
  // Enumerations: the values, by table.
  std::span<const TQelEnumerator> (*Enumerators)() = nullptr;
  // Sets: size of the host set in bytes.
  int SetSize = 0;
  // Records: a new wrapper holding a copy of *ASource, or a zeroed record when ASource is null.
  TQelRecordWrapper* (*NewRecord)(const void* ASource) = nullptr;
  // Events: the host event type and the maker of this type's script handlers.
  const TEventTypeInfo* (*EventType)() = nullptr;
  TQelScriptEventHandler* (*NewScriptHandler)(IQelScriptControl* AOwner, std::u16string_view AProcName) = nullptr;

  VARTYPE GetDebugType() const override { return DebugType; }
  std::u16string_view GetTypeName() const { return Name; }
  std::u16string_view GetUnitName() const { return Name; }
  TClass GetWrappedClass() const { return WrappedClass ? WrappedClass() : nullptr; }
  bool InheritsFrom(TQelWrapperClassRef AAncestor) const;
  bool IsTypeWrapper() const { return Kind != wkUnit; }

  // The value a script sees for the type's name (a type value), as VT_DISPATCH.
  VARIANT MetatypeToVar() const;
  // Runs a meta member without an instance.
  VARIANT InvokeMetaItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) const;
  // The member table of this class (built on first use).
  const TQelDispInfo& GetDispInfo() const;
  TQelWrapperData& GetData() const;

  // Cache of the class's data (the wrapper-data registry owns it); read with std::atomic_ref.
  mutable TQelWrapperData* FData = nullptr;
};

// ---------------------------------------------------------------------------
// Wrapper data: one object per wrapper class, holding its member table.

class TQelWrapperData {
 public:
  explicit TQelWrapperData(TQelWrapperClassRef AWrapperClass);
  virtual ~TQelWrapperData();
  TQelWrapperData(const TQelWrapperData&) = delete;
  TQelWrapperData& operator=(const TQelWrapperData&) = delete;

  TQelWrapperClassRef GetWrapperClass() const { return FWrapperClass; }
  TQelDispInfo& GetDispInfo() { return FDispInfo; }
  const TQelDispInfo& GetDispInfo() const { return FDispInfo; }
  // The type value of a type wrapper class, made on first use.
  IDispatch* GetMetatypeWrapper();

 protected:
  static uint32_t PutFlags(TQelWrapperClassRef AType);
  static TQelDebugTypeFunc DebugOf(TQelWrapperClassRef AType, VARTYPE AVarType = VT_EMPTY);
  // The common entries: a procedure (no result type) or function, and a property.
  void AddRoutine(std::u16string_view AName, TQelInvokeProc AProc, bool AIsFunction, TQelWrapperClassRef AResultType,
                  int32_t AParamsCount, bool AHasOptionalParams, TQelInvokeItemAttrs AAttrs);
  void AddPropertyEntry(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType, bool AIsReadable,
                        bool AIsWritable, int32_t AParamsCount, TQelInvokeItemAttrs AAttrs);

  TQelWrapperClassRef FWrapperClass;
  TQelDispInfo FDispInfo;
  ComPtr<IDispatch> FMetatypeWrapper;
};

class TQelClassWrapperData : public TQelWrapperData {
 public:
  using TQelWrapperData::TQelWrapperData;

  void AddField(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType);
  void AddClassField(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType);
  void AddConstant(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                   VARTYPE AVarType = VT_EMPTY);
  void AddProperty(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                   bool AIsReadable, bool AIsWritable, int32_t AParamsCount, bool AIsProtected,
                   bool AIsDefault);
  void AddClassProperty(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                        bool AIsReadable, bool AIsWritable, int32_t AParamsCount, bool AIsProtected);
  void AddProcedure(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                    bool AHasOptionalParams);
  void AddFunction(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AResultType,
                   int32_t AParamsCount, bool AHasOptionalParams);
  void AddClassProcedure(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                         bool AHasOptionalParams);
  void AddClassFunction(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AResultType,
                        int32_t AParamsCount, bool AHasOptionalParams);
  virtual void AddConstructor(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                              bool AHasOptionalParams);
  // Makes an inherited (possibly protected) member visible again; applied after RegisterMembers.
  void AddPropertyRedecl(std::u16string_view AName, bool AIsDefault);

  struct TRedecl {
    String Name;
    bool IsDefault;
  };
  const std::vector<TRedecl>& GetRedecls() const { return FRedecls; }

 protected:
  virtual bool HidesProtected() const { return true; }

 private:
  std::vector<TRedecl> FRedecls;
};

// Records register like classes, except that a constructor is a meta function returning a
// record and a protected property is never hidden.
class TQelRecordWrapperData final : public TQelClassWrapperData {
 public:
  using TQelClassWrapperData::TQelClassWrapperData;
  void AddConstructor(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                      bool AHasOptionalParams) override;

 protected:
  bool HidesProtected() const override { return false; }
};

class TQelUnitEnumerators {
 public:
  void Add(int32_t AValue);
  int32_t GetValues(int32_t AIndex) const { return FValues[AIndex]; }
  int32_t GetCount() const { return FCount; }
  void Clear();

 private:
  int32_t FCount = 0;
  std::vector<int32_t> FValues;
};

class TQelUnitWrapperData final : public TQelWrapperData {
 public:
  using TQelWrapperData::TQelWrapperData;

  void AddConstant(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType,
                   VARTYPE AVarType = VT_EMPTY);
  void AddVariable(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AType);
  void AddProcedure(std::u16string_view AName, TQelInvokeProc AProc, int32_t AParamsCount,
                    bool AHasOptionalParams);
  void AddFunction(std::u16string_view AName, TQelInvokeProc AProc, TQelWrapperClassRef AResultType,
                   int32_t AParamsCount, bool AHasOptionalParams);
  // Registers the type under its name; the entry's value is the type value.
  void AddType(TQelWrapperClassRef AWrapperClass, TQelInvokeProc AProc);

  int32_t GetNonEnumCount() const { return FNonEnumCount; }
  const TQelUnitEnumerators& GetEnumerators() const { return FEnumerators; }
  // Adds the enumeration constants of the types met by AddType (after RegisterMembers).
  void AddFoundEnums();

 private:
  std::vector<TQelWrapperClassRef> FFoundEnums;
  std::vector<TQelWrapperClassRef> FAddedTypes;
  TQelUnitEnumerators FEnumerators;
  int32_t FNonEnumCount = 0;
};

// ---------------------------------------------------------------------------
// Wrapper instances

TQelWrapperData& GetWrapperData(TQelWrapperClassRef AWrapperClass);

// Inline: every member call of a wrapper asks for its class's table.
inline TQelWrapperData& TQelWrapperClass::GetData() const {
  if (TQelWrapperData* data = std::atomic_ref<TQelWrapperData*>(FData).load(std::memory_order_acquire))
      [[likely]]
    return *data;
  return GetWrapperData(this);
}
inline const TQelDispInfo& TQelWrapperClass::GetDispInfo() const { return GetData().GetDispInfo(); }

// {1ADE176B-20A5-4B78-8247-2FCDDCBAA38A}: lets the engine recognise its own wrappers.
inline constexpr IID IID_IQelDispWrapper = {0x1ADE176B, 0x20A5, 0x4B78, {0x82, 0x47, 0x2F, 0xCD, 0xDC, 0xBA, 0xA3, 0x8A}};
struct IQelDispWrapper : IUnknown {
  virtual TQelDispWrapper* GetWrapper() = 0;
};

// Base of every wrapper instance: reference count, IDispatch over a member table, and the
// wrapper class it is an instance of.
class TQelDispWrapper : public IDispatch, public IQelDispWrapper, public IQelDirectDispatch {
 public:
  explicit TQelDispWrapper(TQelWrapperClassRef AWrapperClass) : FWrapperClass(AWrapperClass) {}
  TQelDispWrapper(const TQelDispWrapper&) = delete;
  TQelDispWrapper& operator=(const TQelDispWrapper&) = delete;

  // IUnknown (answered for IDispatch and IQelDispWrapper)
  HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG AddRef() override;
  ULONG Release() override;
  // IDispatch
  HRESULT GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
  HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                 VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
  // IQelDispWrapper
  TQelDispWrapper* GetWrapper() override { return this; }
  // IQelDirectDispatch. The key: the wrapper class's member table (a TQelDispInfo), unless this
  // wrapper answers its own.
  IDispatch* Self() override { return this; }
  const void* DispatchKey() override;
  HRESULT InvokeDirect(DISPID AId, WORD AFlags, VARIANT* AArgs, UINT AArgCount, VARIANT* AResult,
                       EXCEPINFO* AExcepInfo) override;
  const TQelDirectMember* PrepareMember(DISPID AId, WORD AFlags, UINT AArgCount, bool AWantsResult) override;
  HRESULT InvokePrepared(const TQelDirectMember* AMember, WORD AFlags, VARIANT* AArgs, UINT AArgCount,
                         VARIANT* AResult, EXCEPINFO* AExcepInfo) override;

  TQelWrapperClassRef GetWrapperClass() const { return FWrapperClass; }
  IDispatch* AsDispatch() { return this; }
  virtual const TQelAbstractDispInfo& GetDispInfo() const;
  virtual VARIANT InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet);

 protected:
  virtual ~TQelDispWrapper() = default;
  // Takes a reference unless the count has already reached zero (the wrapper is being destroyed).
  bool TryAddRef();

 private:
  // The member AId after the checks of flags and argument count: S_OK to call it, S_FALSE to
  // pass the call on to the value of the parameterless member, else the call's error.
  HRESULT SelectItem(DISPID AId, WORD AFlags, UINT AArgCount, bool AWantsResult,
                     const TQelInvokeItem*& AItem) const;
  void CallItem(const TQelInvokeItem& AItem, WORD AFlags, const VARIANT* AArgs, UINT AArgCount,
                VARIANT* AResult);
  HRESULT InvokeDefaultOfValue(const TQelInvokeItem& AItem, WORD wFlags, DISPPARAMS* pDispParams,
                               VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr);

  TQelWrapperClassRef FWrapperClass;
  std::atomic<uintptr_t> FDispatchKey{0};  // 0: not yet asked; NoDispatchKey: none
  std::atomic<ULONG> FRefCount{1};
};

// A host object. Never owns it: FValue becomes nil when the host destroys the object.
class TQelClassWrapper final : public TQelDispWrapper {
  friend class TWrapperByObject;

 public:
  // Makes the wrapper and enters it in the object map.
  TQelClassWrapper(TQelWrapperClassRef AWrapperClass, TObject* AValue);
  TObject* GetValue() const { return FValue.load(std::memory_order_acquire); }
  // The wrapped object's address, kept after the object is destroyed.
  const void* GetKey() const { return FKey; }
  VARIANT InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) override;
  // A script's Free or Destroy of the object: refused for an object the script did not create;
  // deferred while a host member of the object is still running further up the call stack (an
  // event handler freeing its Sender), so that the member never goes on with a freed object.
  void ScriptFree(bool ABeforeDestruction);

 private:
  ~TQelClassWrapper() override;
  void LeaveCall();
  TObject* const FKey;                 // the object's address, the map key for life
  std::atomic<TObject*> FValue;
  std::atomic<int> FCallDepth{0};      // host members of the object running right now
  std::atomic<bool> FFreePending{false};
};

// A record held by value; one C++ descendant per record type (TQelRecordWrapperOf<R>).
class TQelRecordWrapper : public TQelDispWrapper {
 public:
  using TQelDispWrapper::TQelDispWrapper;
  virtual void* GetValuePtr() = 0;
  // A new wrapper holding a copy of this record.
  TQelRecordWrapper* Clone() const;
  VARIANT InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) override;
};

template <class R>
class TQelRecordWrapperOf final : public TQelRecordWrapper {
 public:
  TQelRecordWrapperOf(TQelWrapperClassRef AWrapperClass, const R* ASource)
      : TQelRecordWrapper(AWrapperClass), FValue(ASource ? *ASource : R{}) {}
  void* GetValuePtr() override { return &FValue; }
  R FValue;
};

// An existing host event handler (a method pointer) held as a script value.
class TQelEventWrapper final : public TQelDispWrapper {
 public:
  TQelEventWrapper(TQelWrapperClassRef AEventType, const TMethod& AValue)
      : TQelDispWrapper(AEventType), FValue(AValue) {}
  const TMethod& GetValue() const { return FValue; }
  const TQelAbstractDispInfo& GetDispInfo() const override;

  // The script-handler value naming AProcName of AScriptControl.
  static VARIANT ToVar(IQelScriptControl* AScriptControl, std::u16string_view AProcName);

 private:
  TMethod FValue;
};

// The type value of a type wrapper class: answers its meta members only.
class TQelMetatypeWrapper final : public TQelDispWrapper {
 public:
  explicit TQelMetatypeWrapper(TQelWrapperClassRef AType);
  TQelWrapperClassRef GetType() const { return FType; }
  const TQelAbstractDispInfo& GetDispInfo() const override { return FDispInfo; }
  VARIANT InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) override;

 private:
  TQelWrapperClassRef FType;
  TQelMetatypeDispInfo FDispInfo;
};

// A script procedure of a script control standing for an event handler.
class TQelScriptHandlerWrapper final : public TQelDispWrapper {
 public:
  TQelScriptHandlerWrapper(IQelScriptControl* AScriptControl, std::u16string_view AProcName);
  IQelScriptControl* GetScriptControl() const { return FScriptControl; }
  const String& GetProcName() const { return FProcName; }
  const TQelAbstractDispInfo& GetDispInfo() const override;

 private:
  IQelScriptControl* FScriptControl;
  String FProcName;
};

// One host unit as a named object of a script control.
class TQelUnitWrapper final : public TQelDispWrapper {
 public:
  TQelUnitWrapper(TQelWrapperClassRef AUnitClass, IQelScriptControl* AScriptControl)
      : TQelDispWrapper(AUnitClass), FScriptControl(AScriptControl) {}
  IQelScriptControl* GetScriptControl() const { return FScriptControl; }
  VARIANT InvokeItem(const TQelInvokeItem& AItem, TQelDispArgs AArgs, int AArgsSize, bool IsGet) override;

  // The dispatch value of a new instance of AUnitClass bound to AScriptControl.
  static VARIANT ToVar(TQelWrapperClassRef AUnitClass, IQelScriptControl* AScriptControl);
  // The type value of a type wrapper class; the nil object for none.
  static VARIANT TypeToVar(TQelWrapperClassRef AWrapperClass);

 private:
  IQelScriptControl* FScriptControl;
};

// ---------------------------------------------------------------------------
// Script control and event handlers (the control lives in a later layer)

// What the wrappers need of a script control: running a script procedure by name and the
// control's handler objects (see TQelEventHandlerList for the usual implementation).
class IQelScriptControl {
 public:
  // Runs the procedure with AArgs in natural order (by-reference entries are written back by
  // the script); returns its result, owned by the caller.
  virtual VARIANT RunProc(std::u16string_view AProcName, TQelDispArgs AArgs, int AArgsSize) = 0;
  // The control's handler object for (event type, procedure name), made on first need.
  virtual TQelScriptEventHandler* GetEventHandler(std::u16string_view AProcName, TQelWrapperClassRef AEventType) = 0;

 protected:
  ~IQelScriptControl() = default;
};

// The host-side handler object: its GetHandler is a method pointer with the event's signature
// that runs FProcName of FOwner.
class TQelScriptEventHandler {
 public:
  TQelScriptEventHandler(IQelScriptControl* AOwner, std::u16string_view AProcName, TQelWrapperClassRef AEventType)
      : FOwner(AOwner), FProcName(AProcName), FEventType(AEventType) {}
  virtual ~TQelScriptEventHandler() = default;
  virtual TMethod GetHandler() = 0;

  IQelScriptControl* GetOwner() const { return FOwner; }
  const String& GetProcName() const { return FProcName; }
  TQelWrapperClassRef GetEventType() const { return FEventType; }

 protected:
  IQelScriptControl* FOwner;
  String FProcName;
  TQelWrapperClassRef FEventType;
};

// The handler objects of one script control: one per (event type, procedure name ignoring case).
class TQelEventHandlerList {
 public:
  TQelScriptEventHandler* GetEventHandler(IQelScriptControl* AOwner, std::u16string_view AProcName,
                                          TQelWrapperClassRef AEventType);
  void Clear() { FHandlers.clear(); }
  size_t Count() const { return FHandlers.size(); }

 private:
  std::vector<std::unique_ptr<TQelScriptEventHandler>> FHandlers;
};

// Stores a handler for AProcName into the event property APropName of AInstance: raises
// "Event type %s is not registered." for an unwrapped event type, EPropertyError when the
// object has no such event property.
void QelHookEvent(IQelScriptControl* AControl, TObject* AInstance, std::u16string_view APropName,
                  std::u16string_view AProcName);

// ---------------------------------------------------------------------------
// Registries

// Adds a unit wrapper once. The list keeps the host units in their fixed order (System,
// Types, ..., Classes, Graphics, ..., Dialogs) whenever they register, so the units of later
// layers can register after QelRegisterAllUnits; other units follow in registration order.
// A unit wrapper whose name is listed already joins that unit: its members are added to the
// listed unit's (as by QelExtendUnit), so the unit stays listed once.
void RegisterUnitWrapper(TQelWrapperClassRef AWrapperClass);
const std::vector<TQelWrapperClassRef>& GetUnitWrappers();
// Adds members to a unit that another layer registers: AExtend runs on the unit's data right
// after the unit's own RegisterMembers (the visual units' classes join the units registered
// with their enumerations and records by the wrappers layer). Call before the unit's member
// table is first built, that is before the first script control starts.
void QelExtendUnit(std::u16string_view AUnitName, void (*AExtend)(TQelUnitWrapperData& AData));
void RegisterClassWrapper(TQelWrapperClassRef AWrapperClass);
void RegisterEventWrapper(const TEventTypeInfo* AEventType, TQelWrapperClassRef AWrapperClass);
// The wrapper class of AClass or of its nearest wrapped ancestor.
TQelWrapperClassRef FindClassWrapper(TClass AClass);
// Raises EOleSysError E_FAIL "Event type %s is not registered." when absent.
TQelWrapperClassRef FindEventWrapper(const TEventTypeInfo* AEventType);
// The class's data, built on first use (ancestors first).
TQelWrapperData& GetWrapperData(TQelWrapperClassRef AWrapperClass);

// ---------------------------------------------------------------------------
// Shared conversions and errors

[[noreturn]] void QelRaiseTypeCastError();
[[noreturn]] void RaiseArgCountError(std::u16string_view AMemberName);
[[noreturn]] void QelRaiseOleError(std::u16string_view AMessage, HRESULT ACode = E_FAIL);
// An object argument that is nil where the member needs an object (AIndex counts from 1).
[[noreturn]] void QelRaiseNilArgError(int AIndex);
// An enumeration value outside its type's range.
[[noreturn]] void QelRaiseEnumRangeError(int32_t AValue, std::u16string_view ATypeName);

// The end of a chain of VT_BYREF|VT_VARIANT references (the value itself otherwise).
const VARIANT& QelDeref(const VARIANT& AValue);
VARIANT NilObjectVar();
VARIANT WrapperToVar(TQelDispWrapper* AWrapper);
TQelDispWrapper* VarToWrapper(const VARIANT& AValue, bool AAllowNil);
VARIANT MakeVarRef(VARIANT& ALocation);
// Copies ANewValue to the end of AArg's reference chain; does nothing for a by-value argument.
void SetVarRef(const VARIANT& AArg, const VARIANT& ANewValue);
// As SetVarRef, taking over ANewValue (cleared afterwards in every case).
void SetVarRefMove(const VARIANT& AArg, VARIANT& ANewValue);
VARIANT SetToVar(int ASetSize, const void* ASetBytes);
void VarToSet(int ASetSize, void* ASetBytes, const VARIANT& AValue);

// The standard coercions, raising the variant type-cast error when impossible.
int32_t QelVarToInt(const VARIANT& AValue);
int64_t QelVarToInt64(const VARIANT& AValue);
uint64_t QelVarToUInt64(const VARIANT& AValue);
double QelVarToReal(const VARIANT& AValue);
bool QelVarToBool(const VARIANT& AValue);
CY QelVarToCurrency(const VARIANT& AValue);
String QelVarToString(const VARIANT& AValue);
// A copy of the value (references followed).
VARIANT QelVarCopy(const VARIANT& AValue);
VARIANT QelIntVar(int32_t AValue);
VARIANT QelInt64Var(int64_t AValue);
VARIANT QelUInt64Var(uint64_t AValue);
VARIANT QelRealVar(double AValue);
VARIANT QelBoolVar(bool AValue);
VARIANT QelCurrencyVar(CY AValue);
VARIANT QelDateVar(double AValue);
VARIANT QelStringVar(std::u16string_view AValue);

// Host objects and classes.
VARIANT ObjectToVar(TObject* AObject);
TObject* VarToObject(const VARIANT& AValue, TClass AClass = nullptr);
VARIANT MetaclassToVar(TClass AClass);
TClass VarToMetaclass(const VARIANT& AValue, TClass AClass = nullptr);
// The type wrapper class a type value stands for; none for a nil value when allowed.
TQelWrapperClassRef VarToTypeWrapperClass(const VARIANT& AValue, bool AAllowNil);
// Method pointers.
VARIANT EventToVar(TQelWrapperClassRef AEventType, const TMethod& AValue);
TMethod VarToEvent(TQelWrapperClassRef AEventType, const VARIANT& AValue);
// Records: a new wrapper with a copy; the record out of a wrapper of exactly AType.
VARIANT RecordToVar(TQelWrapperClassRef AType, const void* AValue);
void* VarToRecord(TQelWrapperClassRef AType, const VARIANT& AValue);

// The exception in flight as an HRESULT for an IDispatch caller (see Invoke).
HRESULT ExceptionToHResult(EXCEPINFO* AExcepInfo);

// ---------------------------------------------------------------------------
// Type operations for the runner and the System unit

bool ObjectIs(const VARIANT& AObject, const VARIANT& AClassValue);
bool RecIs(const VARIANT& ARecord, const VARIANT& ARecordType);
VARIANT RecNew(const VARIANT& ARecordType);
VARIANT RecCopy(const VARIANT& ARecord);
bool VarIsOfType(const VARIANT& AValue, const VARIANT& ATypeValue);
VARIANT VarNewOfType(const VARIANT& ATypeValue, TQelDispArgs AArgs, int AArgsSize);
bool ObjectIsOfVarClass(TObject* AObject, const VARIANT& AClassValue);

// ---------------------------------------------------------------------------
// The object map: one live wrapper per host object.

class TWrapperByObject {
 public:
  static TWrapperByObject& Instance();
  TQelClassWrapper* Find(TObject* AObject);
  // Finds the live wrapper or makes one with the object's nearest class wrapper; one reference
  // for the caller. Find-then-create runs under the lock, so two threads get the same wrapper.
  TQelClassWrapper* Obtain(TObject* AObject);
  size_t Count();
  // Called for every destroyed host object (through the destroy observer).
  void ObjectFreed(const void* AAddress);
  // Calls AItemProc with every live object (the wrapped ones and those the scripts created).
  void EnumObjects(void (*AItemProc)(TObject* AObject, void* AData), void* AData);
  // Marks an object as the scripts' own: a script may free it. Constructors called by a script
  // mark what they make; a host may hand an object over the same way.
  void AdoptByScript(TObject* AObject);
  bool IsScriptOwned(const TObject* AObject);

 private:
  friend class TQelClassWrapper;
  struct TTraits;
  TWrapperByObject();
  void Add(TQelClassWrapper* AWrapper);
  void Remove(TQelClassWrapper* AWrapper);
  struct TImpl;
  TImpl* FImpl;  // lives for the process, as destroyed objects report to it until exit
};
