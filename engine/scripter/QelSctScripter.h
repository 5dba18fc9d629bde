// The script control: the one component a host uses to run scripts. It holds the source and
// the language, a table of named host objects and named values the script sees as global
// names, and the script event handlers hooked to host events; it moves Inactive -> Prepared ->
// Active and forwards every execution request to the runner of its language's kind.
//
// Errors are host exceptions thrown as ExceptionPtr; a script error whose source position is
// known is thrown as qel::ScriptError (an ExceptionPtr with the line and column as fields).
// Variants returned by value belong to the caller: assign them to a qel::Value, which clears
// them, or VariantClear them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/foundation/QelHashTable.h"
#include "engine/scripter/QelValue.h"
#include "engine/vm/QelSctVM.h"
#include "engine/vm/QelSctVMCompBase.h"
#include "engine/wrappers/QelSctWrappers.h"
#include "host/core/Classes.h"
#include "host/core/SysUtils.h"
#include "platform/ole/OleAuto.h"

class TQelScriptControl;
class TQelScriptDebugger;   // QelSctDebugger.h
class TQelDebugModule;
class TRunnerDebugBase;
class TRunnerBase;  // the runners are the control's own (ScrRunnerInternal.h)
class TQelVMDebugger;

enum TQelScriptControlState : uint8_t { ssInactive = 0, ssPrepared = 1, ssActive = 2 };
enum TQelScriptLangKind : uint8_t { slkActiveX = 0, slkNative = 1 };
enum TQelScriptLanguage : uint8_t {
  slVBScript = 0,
  slJScript = 1,
  slPerl = 2,
  slRexx = 3,
  slTCL = 4,
  slPython = 5,
  slLua = 6,
  slPascal = 7,
  slNativeVb = 8,
};
inline constexpr int QelScriptLanguageCount = 9;

// "VBScript", "JScript", ..., "Pascal", "NativeVb".
std::u16string_view QelScriptEngineName(TQelScriptLanguage ALanguage);
TQelScriptLangKind QelScriptLangKind(TQelScriptLanguage ALanguage);
// The language whose engine name is AEngineName (case-insensitive); false when none is.
bool QelFindScriptLanguage(std::u16string_view AEngineName, TQelScriptLanguage& ALanguage);

// The compiler a native language is run with. Pascal is known from the start; the VB dialect
// registers its own when its compiler is linked in. Returns the previous factory.
using TQelLanguageFactory = std::function<IQelLanguagePtr()>;
TQelLanguageFactory QelRegisterNativeLanguage(TQelScriptLanguage ALanguage, TQelLanguageFactory AFactory);
// The compiler of a native language; raises EQelScriptControl when none is linked in.
IQelLanguagePtr QelCreateNativeLanguage(TQelScriptLanguage ALanguage);

// Registers the unit "QelSctScripter" with the engine's own exception classes as script types
// (once; every script control does it when created).
void QelRegisterEngineUnit();

QEL_EXCEPTION(EQelScriptControl, Exception);

inline constexpr char16_t SQelInvalidControlState[] = u"Invalid script control state";
inline constexpr char16_t SQelPropertyNotFound[] = u"Property not found: %s";
inline constexpr char16_t SQelObjectExists[] = u"Object or value named '%s' already exists.";
inline constexpr char16_t SQelValueRequired[] = u"Value named item required. '%s' is an object.";
inline constexpr char16_t SQelCantCreateEngine[] = u"Can't create script engine '%s'";
inline constexpr char16_t SQelNoNativeCompiler[] = u"No compiler is available for the '%s' language.";
// The name under which the values holder is given to an engine (members published).
inline constexpr char16_t SQelValuesHolderName[] = u"QelVALHLDR_AC3E_247A909A71EC";

// ---------------------------------------------------------------------------
// Named items

enum TNamedItemKind : uint8_t { nikObject = 0, nikValue = 1 };

struct TNamedItem {
  TNamedItem(TNamedItemKind AKind, String AName);
  ~TNamedItem();
  TNamedItem(const TNamedItem&) = delete;
  TNamedItem& operator=(const TNamedItem&) = delete;

  TNamedItemKind Kind;
  String UppName;  // the key
  String Name;     // as the host gave it; engines receive this spelling
  VARIANT Value;   // an object item: VT_DISPATCH (possibly null)
  bool PubMembers = false;
  bool IsUnit = false;  // a host unit: its published members never hide the language's intrinsics
};

// Tables keyed by an item's upper-cased name (UppName); keys given to Find/Remove must already
// be upper case.
template <class TItem>
struct TQelUppNameTraits : TQelHashTableTraits {
  using Item = TItem;
  using Key = String;
  static int32_t MakeHashK(const Key& AKey) { return StrHash(AKey); }
  static int32_t MakeHashI(const Item* AItem) { return MakeHashK(AItem->UppName); }
  static bool Compare(const Key& AKey, const Item* AItem) { return AKey == AItem->UppName; }
};
using TNamedItemsTraits = TQelUppNameTraits<TNamedItem>;
using TNamedItems = TQelHashTable<TNamedItemsTraits>;

// {DB3038C2-6AF2-4688-8AD5-716B4337ED7C}
extern const IID IID_IQelNamedValuesHolder;

// The engines' way to the named values: an IDispatch whose members are the values' names
// (DISPIDs 1, 2, ... in order of first registration, never reused). The holder points into the
// control's items and never owns or copies a value.
struct IQelNamedValuesHolder : IUnknown {
  virtual void AddValue(std::u16string_view AName, VARIANT* AValue) = 0;
};

// A new holder (reference count 1); QueryInterface gives its IDispatch.
IQelNamedValuesHolder* QelNewNamedValuesHolder();

// ---------------------------------------------------------------------------
// The source lines: any change outside Inactive raises "Invalid script control state".

class TScriptSourceStrings : public TStringList {
  QEL_CLASS(TScriptSourceStrings, TStringList)
 public:
  explicit TScriptSourceStrings(TQelScriptControl* AScript) : FScript(AScript) {}
  // Each line followed by CR LF.
  String SourceText() const;

 protected:
  void Changing() override;

 private:
  TQelScriptControl* FScript;
};

// The message decoration of runner errors: appends "\r\nSource: $<control> [line: L, pos: P]"
// unless the message already ends in such a block (an error passing through nested calls keeps
// its innermost position).
String QelAddSourcePosition(const String& AMessage, const void* AControl, int ALine, int ALinePos);

// ---------------------------------------------------------------------------
// The control

using TQelNotifyEvent = std::function<void(TQelScriptControl* Sender)>;

class TQelScriptControl : public TComponent, public IQelScriptControl {
  QEL_CLASS(TQelScriptControl, TComponent)
 public:
  explicit TQelScriptControl(TComponent* AOwner);
  ~TQelScriptControl() override;

  // --- state ---
  TQelScriptControlState GetState() const { return FState; }
  bool GetActive() const { return FState == ssActive; }
  // True: Open(True); False: Close(False, True); nothing when unchanged.
  void SetActive(bool AValue);
  void Prepare();
  void Open(bool ACloseOnRuntimeError);
  void Close(bool AClearObjects, bool AClearEventHandler);

  // --- design-time properties (changes only while Inactive) ---
  TScriptSourceStrings& GetSource() { return *FSource; }
  void SetSource(const TStrings& AValue);
  void SetSourceText(std::u16string_view AText);
  TQelScriptLanguage GetLanguage() const { return FLanguage; }
  void SetLanguage(TQelScriptLanguage AValue);
  bool GetExceptionSourceInfo() const { return FExceptionSourceInfo; }
  void SetExceptionSourceInfo(bool AValue);
  TQelNotifyEvent BeforePrepare, BeforeOpen, AfterClose;

  // --- limits for untrusted scripts (robustness.md); each off when 0, in force from the next
  // run of the native languages: Open's global code, RunProc, Eval, ExecuteStatement ---
  int32_t GetTimeout() const { return FLimits.TimeoutMs; }
  void SetTimeout(int32_t AMilliseconds);
  int64_t GetInstructionBudget() const { return FLimits.InstructionBudget; }
  void SetInstructionBudget(int64_t AInstructions);
  int64_t GetMemoryCeiling() const { return FLimits.MemoryCeiling; }
  void SetMemoryCeiling(int64_t ABytes);
  // Safe mode: the units that open dialogs, print or reach the shell are not published to the
  // script (from the next Prepare). It is no file-system sandbox: the file members of Classes
  // and SysUtils and CreateObject stay (docs/robustness.md).
  bool GetSafeMode() const { return FSafeMode; }
  void SetSafeMode(bool AValue);
  const TQelVMLimits& Limits() const { return FLimits; }

  // --- Prepared or Active ---
  IDispatch* GetCodeObject();  // not add-ref'ed
  VARIANT GetScript();         // the code object as VT_DISPATCH (owned by the caller)
  std::unique_ptr<TPreparedDynCode> PrepareExpr(std::u16string_view AExpression);
  std::unique_ptr<TPreparedDynCode> PrepareStmt(std::u16string_view AStatement);

  // --- Active ---
  VARIANT Eval(std::u16string_view AExpression);
  VARIANT Eval(TPreparedDynCode* APreparedExpr);
  void ExecuteStatement(std::u16string_view AStatement);
  void ExecuteStatement(TPreparedDynCode* APreparedStmt);
  VARIANT RunProc(std::u16string_view AName);
  VARIANT RunProc(std::u16string_view AName, std::vector<VARIANT>& AArgs);
  VARIANT RunProc(std::u16string_view AProcName, TQelDispArgs AArgs, int AArgsSize) override;
  VARIANT ReadVar(std::u16string_view AName);
  void WriteVar(std::u16string_view AName, const VARIANT& AValue);

  // --- with owning values (qel::Value clears what it holds) ---
  // AArgs are copied into the argument slots; a by-reference parameter's write is lost.
  qel::Value RunProc(std::u16string_view AName, std::initializer_list<qel::Value> AArgs);
  // A by-reference parameter writes its new value back into AArgs.
  qel::Value RunProc(std::u16string_view AName, std::vector<qel::Value>& AArgs);
  void WriteVar(std::u16string_view AName, const qel::Value& AValue);
  void AddOrSetValue(std::u16string_view AName, const qel::Value& AValue);
  // A host object under AName (nil when null); the control does not own it.
  void AddObject(std::u16string_view AName, TObject* AObject, bool APublishMembers = false);

  // --- named items (any state unless noted) ---
  // AObj: Empty gives a null object; other non-objects raise the variant conversion error.
  void AddObject(std::u16string_view AName, const VARIANT& AObj, bool APublishMembers);
  void AddNamedObject(std::u16string_view AName, IDispatch* AObj, bool APublishMembers, bool AIsUnit = false);
  void AddOrSetValue(std::u16string_view AName, const VARIANT& AValue);
  bool TryReadValue(std::u16string_view AName, VARIANT& AResult) const;
  void AddChildren(TComponent* AOwner, bool APublishMembers);
  void AddUnit(TQelWrapperClassRef AWrapperClass, bool APublishMembers);
  void AddUnits(const std::vector<TQelWrapperClassRef>& AWrapperClasses, bool APublishMembers);
  void AddAllUnits(bool APublishMembers);
  IDispatch* GetUnitInstance(TQelWrapperClassRef AWrapperClass);  // add-ref'ed
  void RemoveObject(std::u16string_view AName);  // Inactive
  void ClearObjects();                           // Inactive
  const TNamedItems& NamedItems() const { return FNamedItems; }
  // The holder of the named values while Prepared or Active, else null; not add-ref'ed.
  IQelNamedValuesHolder* ValuesHolder() const { return FNamedValuesHolder; }

  // --- event hooking ---
  void ClearEventHandlers();
  TQelScriptEventHandler* GetEventHandler(std::u16string_view AProcName,
                                          TQelWrapperClassRef AEventType) override;
  void HookEvent(TObject* AInstance, std::u16string_view APropName, std::u16string_view AProcName);
  size_t EventHandlerCount() const { return FEventHandlers.Count(); }

  // --- debugging (QelSctDebugger.h) ---
  TQelScriptDebugger* GetDebugger() const { return FDebugger; }
  // Only while Inactive; "Cannot connect ActiveX and Pascal scripts to single debugger." when
  // the debugger already serves scripts of the other kind.
  void SetDebugger(TQelScriptDebugger* AValue);
  std::u16string GetDebugName() const;
  void SetDebugName(const std::u16string& AValue);
  TQelDebugModule* GetDebugModule() const { return FDebugModule; }
  void SetDebugModule(TQelDebugModule* AValue);
  // Sets, disables or deletes an engine breakpoint; false when there is no engine (Inactive).
  bool AdjustBreakpoint(int ALine, bool AEnabled, bool ADelete, bool& AIsValid);
  // The machine running the script (native languages, Prepared or Active), else nil.
  TQelVirtMachine* NativeMachine() const;

  // Raises "Invalid script control state" unless the state is one of AAllowed.
  void CheckState(std::initializer_list<TQelScriptControlState> AAllowed) const;

 protected:
  virtual void DoBeforePrepare();
  virtual void DoBeforeOpen();
  virtual void DoAfterClose();

 private:
  TRunnerBase& Runner() const { return *FRunner; }
  std::unique_ptr<TRunnerBase> CreateRunner();
  void ReleaseRunner();

  TQelScriptControlState FState = ssInactive;
  std::unique_ptr<TRunnerBase> FRunner;
  IDispatch* FCodeObject = nullptr;                 // counted
  IQelNamedValuesHolder* FNamedValuesHolder = nullptr;  // counted
  TNamedItems FNamedItems{true};
  TQelEventHandlerList FEventHandlers;
  std::unique_ptr<TScriptSourceStrings> FSource;
  TQelScriptLanguage FLanguage = slVBScript;
  bool FExceptionSourceInfo = true;
  TQelVMLimits FLimits;
  bool FSafeMode = false;
  void ApplyLimits(const TQelVMLimits& ALimits);
  TQelScriptDebugger* FDebugger = nullptr;   // not owned
  TQelDebugModule* FDebugModule = nullptr;   // the debugger's
  void CheckDebuggerLangKind(TQelScriptDebugger* ADebugger, TQelScriptLanguage ALanguage) const;
};
