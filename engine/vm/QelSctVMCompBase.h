// The contract between a script language and the machine: name ids, global objects,
// namespaces, parser interfaces and callbacks, the language interface, compile errors and the
// machine's runtime error kinds.
//
// The machine knows nothing of either language. A language creates a parser; the parser
// reports declarations (global objects) and global statements (emitable nodes) through the
// callbacks; the machine registers the objects by name id and later asks every procedure and
// statement to emit its code. Names stay unbound until run time: every call instruction
// carries a name id and the machine resolves it through the current namespace.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/foundation/QelSctClass.h"
#include "engine/vm/QelSctVMByteCode.h"
#include "host/core/SysUtils.h"
#include "platform/ole/OleAuto.h"

class TQelThread;         // per-OS-thread machine record (QelSctVM.h)
class TQelCodeObject;     // the script's dispatch face (QelSctVM.h)
class TQelVMBase;

// ---------------------------------------------------------------------------------------------
// Name ids: one process-wide table turns every identifier, upper-cased, into a dense id.

class TQelNameTable {
 public:
  TQelNameTable();
  ~TQelNameTable();
  // Upper-cases AName (full Unicode mapping); returns its id, creating one when asked, else -1.
  int GetNameIndex(const std::u16string& AName, bool ACreateNewItem);
  // The stored (upper-case) name of an id; empty for an unknown id.
  std::u16string GetName(int AIndex);
  TQelIdentifierItem* GetNameIndexes(int AIndex);
  int Count();

 private:
  std::mutex FSection;
  TQelIdentifierHashTable FMap;
  std::vector<TQelIdentifierItem*> FNameByIndex;
  int FCount = 0;
};

// The process's name table (created on first use, lives until the process ends).
TQelNameTable& QelNameTable();

// ---------------------------------------------------------------------------------------------
// Runtime errors of the machine, shared with the intrinsics of both languages.

enum TQelRuntimeErrorType : uint8_t {
  retUndeclaredId, retOutsideOfLoop, retEBCFromFinally, retCannotAssign, retInvalidParamCount,
  retTypeMismatch, retObjectRequired, retLoopVar, retCannotRaiseNil, retCannotRaiseLocked,
  retLowOnlyArray, retHighOnlyArray, retViolatesBounds, retInvalidDispId, retProcRequired,
  retValObjRequired, retAborted, retIEInvalidObjKind, retIEInvalidBracketType,
  retIEInvalidInstr, retIENoBreakpointInfo
};

// The fixed message of an error kind ("%s" where the name goes); any value outside the table
// gives "Internal error: Invalid exception type".
std::u16string QelRuntimeErrorMessage(int AErrorType);

// A runtime error of the machine: nothing but the message.
class EQelVMRuntime : public Exception {
  QEL_CLASS(EQelVMRuntime, Exception)
 public:
  explicit EQelVMRuntime(const String& AMessage);
  [[noreturn]] static void RaiseError(TQelRuntimeErrorType AErrorType);
  [[noreturn]] static void RaiseError(TQelRuntimeErrorType AErrorType, const String& AStrName);
  // From a failed dispatch call: DISP_E_TYPEMISMATCH, DISP_E_BADPARAMCOUNT map to the machine's
  // messages; DISP_E_EXCEPTION takes the EXCEPINFO description (and its scode); otherwise the
  // system's text of the code, else "OLE error %.8x". The EXCEPINFO strings are freed when
  // AFinalizeEInfo.
  [[noreturn]] static void RaiseError(HRESULT AInvokeRes, EXCEPINFO& EInfo, bool AFinalizeEInfo);
  static String MessageOf(HRESULT AInvokeRes, EXCEPINFO& EInfo, bool AFinalizeEInfo);
};

// A compile error: the host exception's message and the character position in the compiled
// text. Each compiler raises its own descendant.
class EQelCompileBase : public Exception {
  QEL_CLASS(EQelCompileBase, Exception)
 public:
  EQelCompileBase(const String& AMessage, int ASourcePos);
  // CreateFmt: AFmt's %s/%d/%x replaced in order by the already-formatted texts.
  EQelCompileBase(std::u16string_view AFmt, std::initializer_list<std::u16string_view> AArgs,
                  int ASourcePos);
  int FSourcePos = 0;
};

// ---------------------------------------------------------------------------------------------
// Global objects: everything a script declares at global level, every intrinsic and every host
// object visible to scripts. The key (FName of TQelNamedItem) is the name id.

enum TQelGlobalObjType : uint8_t {
  gtVar = 0, gtConst = 1, gtProcedure = 2, gtExit = 3, gtBreak = 4, gtContinue = 5,
  gtIntrinsic = 6, gtExtern = 7
};

class TQelGlobalObject : public TQelNamedItem {
 public:
  TQelGlobalObject(int AName, const std::u16string& AStrName, TQelGlobalObjType AType);
  // The kind is stored at construction, so asking for it costs no virtual call on hot paths.
  TQelGlobalObjType GetGlobalObjType() const { return FGlobalObjType; }

  TQelGlobalObjType FGlobalObjType;
  std::u16string FStrName;  // the name as declared
};

class TQelDispIdObject : public TQelGlobalObject {
 public:
  TQelDispIdObject(int AName, const std::u16string& AStrName, TQelGlobalObjType AType,
                   uint32_t AInvokeFlags, uintptr_t AResMask);
  DISPID FDispId = 0;
  uint32_t FInvokeFlags;
  uintptr_t FResMask;  // all ones when calling it yields a result
};

class TQelGlobalValuedObject : public TQelDispIdObject {
 public:
  using TQelDispIdObject::TQelDispIdObject;
  ~TQelGlobalValuedObject() override;
  VARIANT Value{};  // VT_EMPTY
};

class TQelVarObject : public TQelGlobalValuedObject {
 public:
  TQelVarObject(int AName, const std::u16string& AStrName);
};

class TQelConstObject : public TQelGlobalValuedObject {
 public:
  TQelConstObject(int AName, const std::u16string& AStrName);
};

class TQelProcObject : public TQelDispIdObject {
 public:
  TQelProcObject(int AName, const std::u16string& AStrName);
  // The compiler's procedure class fills FByteCode here.
  virtual void EmitByteCode(TQelAbstractNamespace* AGlobalNamespace) {}
  // A function gives a result: its result mask becomes all ones.
  void SetIsFunction(bool AIsFunction) { FResMask = AIsFunction ? ~uintptr_t(0) : 0; }
  bool IsFunction() const { return FResMask != 0; }

  TQelByteCode FByteCode;
  int FParamCount = 0;  // the compiler increments it once per declared parameter
};

class TQelExitObject : public TQelGlobalObject {
 public:
  TQelExitObject(int AName, const std::u16string& AStrName);
};

class TQelBreakObject : public TQelGlobalObject {
 public:
  TQelBreakObject(int AName, const std::u16string& AStrName);
};

class TQelContinueObject : public TQelGlobalObject {
 public:
  TQelContinueObject(int AName, const std::u16string& AStrName);
};

// An intrinsic routine or constant of a language. Execute receives the call descriptor (to
// check bracket type, argument count and whether the result is used), the first argument slot
// (arguments follow upwards, references included) and the result slot.
class TIntrinsic : public TQelGlobalObject {
 public:
  TIntrinsic(int AName, const std::u16string& AStrName);
  virtual void Execute(TQelVMBase* AVM, TQelCall* ACall, VARIANT* AArgs, VARIANT& AResult) = 0;

  // The value of a constant that never changes (True, Null...): a use without brackets is a
  // plain copy of it, with no call. Nil for every other intrinsic.
  const VARIANT* FixedValue() const { return FHasFixedValue ? &FFixedValue : nullptr; }

 protected:
  // Only values that own no memory: the intrinsic never clears it.
  void SetFixedValue(const VARIANT& AValue);

 private:
  VARIANT FFixedValue{};
  bool FHasFixedValue = false;
};

// A host object registered with the machine. Units (AddUnit/AddAllUnits of the script control)
// are registered with AIsUnit: their published members do not hide the language's intrinsics.
class TQelExternObject : public TQelGlobalObject {
 public:
  TQelExternObject(int AName, const std::u16string& AStrName, IDispatch* AObj,
                   TQelCodeObject* ACodeObject, bool APublishMembers, bool AIsUnit = false);
  ~TQelExternObject() override;

  IDispatch* FObj;               // counted
  TQelCodeObject* FCodeObject;   // the dispatch object when it is a code object of this process
  bool FPublishMembers;
  bool FIsUnit;
};

// ---------------------------------------------------------------------------------------------
// Name search results and namespaces.

enum TQelNameSearchResKind : uint8_t {
  srNotFound = 0, srExternal = 1, srExternalMember = 2, srUnit = 3, srGlobalVar = 4,
  srGlobalConst = 5, srProcedure = 6, srLocalVar = 7, srLocalConst = 8, srParam = 9,
  srResult = 10, srExit = 11, srBreak = 12, srContinue = 13, srIntrinsic = 14, srDebugVar = 15
};

// gtVar -> srGlobalVar, ..., gtExtern -> srExternal.
TQelNameSearchResKind QelSearchKindOf(TQelGlobalObjType AType);

struct TQelNameSearchRes {
  TQelNameSearchResKind ObjKind = srNotFound;
  union {
    TQelGlobalObject* NamedObject;  // srExternal(Member), srGlobal*, srProcedure, srExit... srIntrinsic
    int LocalVarIndex;              // srLocalVar
    const VARIANT* LocalConst;      // srLocalConst
    TQelParamInfo ParamInfo;        // srParam
    VARIANT* DebugVar;              // srDebugVar
  };
  DISPID DispId = 0;  // srExternalMember

  TQelNameSearchRes() : NamedObject(nullptr) {}
  static TQelNameSearchRes NotFound() { return {}; }
  static TQelNameSearchRes Object(TQelNameSearchResKind AKind, TQelGlobalObject* AObj) {
    TQelNameSearchRes R;
    R.ObjKind = AKind;
    R.NamedObject = AObj;
    return R;
  }
  static TQelNameSearchRes Local(int ASlot) {
    TQelNameSearchRes R;
    R.ObjKind = srLocalVar;
    R.LocalVarIndex = ASlot;
    return R;
  }
  static TQelNameSearchRes Const(const VARIANT* AValue) {
    TQelNameSearchRes R;
    R.ObjKind = srLocalConst;
    R.LocalConst = AValue;
    return R;
  }
  static TQelNameSearchRes Param(TQelParamInfo AInfo) {
    TQelNameSearchRes R;
    R.ObjKind = srParam;
    R.ParamInfo = AInfo;
    return R;
  }
  static TQelNameSearchRes Result() {
    TQelNameSearchRes R;
    R.ObjKind = srResult;
    return R;
  }
};

using TQelNamespaceEnumVarsProc =
    std::function<void(const std::u16string& ADisplayName, const TQelNameSearchRes& ASRes)>;

// A scope of names. A namespace that does not know a name passes the lookup to FParent; the
// machine's global namespace is the root and answers srNotFound for an unknown name.
class TQelAbstractNamespace {
 public:
  explicit TQelAbstractNamespace(TQelAbstractNamespace* AParent = nullptr) : FParent(AParent) {}
  virtual ~TQelAbstractNamespace() = default;
  // Run-time lookup for the given machine thread; AStrName is the name as written.
  virtual TQelNameSearchRes Find(TQelThread* AThread, int AName,
                                 const std::u16string* AStrName) = 0;
  virtual void EnumDebugVars(bool ALocalsOnly, const TQelNamespaceEnumVarsProc& AProc) = 0;
  virtual TQelNameSearchRes CompileTimeFind(int AName) { return {}; }

  TQelAbstractNamespace* FParent;
};

// ---------------------------------------------------------------------------------------------
// The machine as compilers and intrinsics see it.

class TQelVMBase {
 public:
  virtual ~TQelVMBase() = default;
  // A value that, invoked by the host as an event handler, runs the named script procedure.
  virtual void MakeEventHandler(const std::u16string& AProcName, VARIANT& AResult) = 0;
};

// A syntax-tree node that emits code. Whoever receives one owns it; instructions may point
// into its data (literals, names), so it must outlive the code emitted from it.
class IQelEmitable {
 public:
  virtual ~IQelEmitable() = default;
  virtual void Emit(TQelAbstractNamespace* ANamespace, TQelByteCode* AByteCode) = 0;
};

class IQelParserBase {
 public:
  virtual ~IQelParserBase() = default;
  // A whole script, reported through the callbacks.
  virtual void Parse(const std::u16string& ASource) = 0;
  // One statement (or statement list) / one expression for immediate execution.
  virtual std::unique_ptr<IQelEmitable> ParseStmt(const std::u16string& ASource) = 0;
  virtual std::unique_ptr<IQelEmitable> ParseExpr(const std::u16string& ASource) = 0;
};

class IQelParserCallbacks {
 public:
  virtual ~IQelParserCallbacks() = default;
  virtual int GetNameId(const std::u16string& AName) = 0;
  // Ownership of the node passes to the callee.
  virtual void GlobalStmtParsed(std::unique_ptr<IQelEmitable> AStmt) = 0;
  // Accepted (ADuplicateName false): the callee owns AObj from now on. Refused as a duplicate:
  // the caller keeps it and raises "Object or value named '%s' already exists.".
  virtual void GlobalObjParsed(TQelGlobalObject* AObj, bool& ADuplicateName) = 0;
  virtual void UsedUnitParsed(const std::u16string& AName, bool& ADuplicateName) = 0;
};

// A script language. Shared (reference-counted) between the runner and its machines.
class IQelLanguage {
 public:
  virtual ~IQelLanguage() = default;
  virtual std::unique_ptr<IQelParserBase> CreateParser(IQelParserCallbacks* ACallbacks) = 0;
  // Calls AProc once per predefined global object (exit, break, continue, intrinsics); each
  // object is new and passes to the callee.
  virtual void EnumGlobalObjects(const std::function<void(TQelGlobalObject*)>& AProc) = 0;
  virtual std::u16string GetUnassignedText() = 0;
  virtual std::u16string GetNilText() = 0;
  virtual std::u16string GetNullText() = 0;
  virtual std::u16string QuoteString(const std::u16string& AText) = 0;
};
using IQelLanguagePtr = std::shared_ptr<IQelLanguage>;
