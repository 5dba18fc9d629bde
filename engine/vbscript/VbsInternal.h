// The VBScript front end's parser (private to engine/vbscript). It derives from the VB
// dialect's parser: the grammar both languages share is written once there; VBScript's own
// words are identifiers to the shared scanner, recognised here where a statement starts.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/vb/VbParserSets.h"
#include "engine/vbscript/QelSctVbsLanguage.h"

namespace qel_vbs {

// ---------------------------------------------------------------------------------------------
// Errors as VBScript reports them (VbsErr.cpp)

struct TVbsError {
  int32_t Number = 0;
  String Description;
};
// The number and message VBScript gives the error E (a machine error, a host error, a raised
// one).
TVbsError QelVbsErrorOf(Exception* E);
void QelVbsRefineErrorIn(Exception* E, std::u16string_view ASource, int ALine, int ALinePos);
// VBScript's message for an error number ("Unknown runtime error" for numbers it has none for).
String QelVbsErrorText(int32_t ANumber);

// Err: the last error On Error Resume Next passed over, or the one Raise made.
class TVbsErrObject final : public OleObject<IDispatch, IID_IDispatch> {
 public:
  void Clear();
  void Note(Exception* E);
  // What Err holds, kept across code whose errors are dropped (Class_Terminate).
  struct TState {
    int32_t Number, HelpContext;
    String Description, Source, HelpFile;
    bool Raised;
  };
  TState Save() const { return {FNumber, FHelpContext, FDescription, FSource, FHelpFile, FRaised}; }
  void Restore(const TState& AState) {
    FNumber = AState.Number;
    FHelpContext = AState.HelpContext;
    FDescription = AState.Description;
    FSource = AState.Source;
    FHelpFile = AState.HelpFile;
    FRaised = AState.Raised;
  }
  HRESULT GetTypeInfoCount(UINT* pctinfo) override {
    *pctinfo = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override;
  HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                 EXCEPINFO* pExcepInfo, UINT*) override;

 private:
  HRESULT Raise(DISPPARAMS* AParams, EXCEPINFO* AExcepInfo);

  int32_t FNumber = 0;
  String FDescription, FSource, FHelpFile;
  int32_t FHelpContext = 0;
  bool FRaised = false;
};

// Forwards the parser's reports to the machine and notes which names became globals: a name
// assigned without a declaration becomes a variable only when nothing else declares it.
class TVbsGlobalNames : public IQelParserCallbacks {
 public:
  explicit TVbsGlobalNames(IQelParserCallbacks* ATarget) : FTarget(ATarget) {}
  int GetNameId(const std::u16string& AName) override { return FTarget->GetNameId(AName); }
  void GlobalStmtParsed(std::unique_ptr<IQelEmitable> AStmt) override {
    FTarget->GlobalStmtParsed(std::move(AStmt));
  }
  void GlobalObjParsed(TQelGlobalObject* AObj, bool& ADuplicateName) override;
  void UsedUnitParsed(const std::u16string& AName, bool& ADuplicateName) override {
    FTarget->UsedUnitParsed(AName, ADuplicateName);
  }
  bool IsGlobal(int AName) const { return FGlobals.count(AName) != 0; }
  bool IsGlobalVariable(int AName) const { return FGlobalVars.count(AName) != 0; }

 private:
  IQelParserCallbacks* FTarget;
  std::unordered_set<int> FGlobals, FGlobalVars;
};

// For Each Name In Collection: FStart makes the enumerator, FNext (a condition) moves it on
// and stores the element in the variable.
class TVbsForEachStmt : public TQelStatement {
 public:
  void DoEmit(TQelContext& C) override;
  TQelStmtPtr FStart;
  TQelExprPtr FNext;
  TQelStmtList FStmts;
};

// The intrinsics behind For Each (VbsForEach.cpp).
void EnumForEachIntrinsics(const std::function<void(TQelGlobalObject*)>& AProc);

// VBScript's own library rows (VbsLibrary.cpp), and New of a name that gives a class of the
// COM class registry (New RegExp).
void EnumVbsLibrary(const std::function<void(TQelGlobalObject*)>& AProc);
void QelVbsCreateNamed(const VARIANT& AType, VARIANT& AResult);

// ---------------------------------------------------------------------------------------------
// Classes (VbsClass.cpp, VbsClassParser.cpp)

class TVbsInstance;

// What instances of a machine's classes reach it through: a weak handle on the machine (an
// instance the host keeps may outlive it) and the instances alive, for the engine's close.
struct TVbsLink {
  std::weak_ptr<TQelVirtMachine> VM;
  std::atomic<bool> Alive{true};
  std::mutex Lock;
  std::map<uint64_t, TVbsInstance*> Instances;  // by creation order
  uint64_t Created = 0;
  ComPtr<TVbsErrObject> Err;  // the machine's Err
};
using TVbsLinkPtr = std::shared_ptr<TVbsLink>;

enum TVbsMemberKind : uint8_t { vmkField, vmkMethod, vmkProperty };

// One member as scripts name it: a field (its slot), a Sub or Function, or a property (its
// Get, Let and Set routines). Routines are the machine's procedures under names no script can
// write ("Class Get Name"); Me is their last parameter.
struct TVbsMember {
  std::u16string Name;
  TVbsMemberKind Kind = vmkField;
  bool Public = true;     // read or called from outside (a property: its Get)
  bool PublicPut = true;  // assigned from outside (a property: its Let or Set)
  int Field = -1;
  std::vector<int32_t> Bounds;  // a field declared as an array: its upper bounds
  bool IsArray = false;
  std::u16string Method, Get, Let, Set;
  int DeclPos = 0;
};

struct TVbsClassInfo {
  std::u16string Name;
  std::vector<TVbsMember> Members;  // DISPID = index + 1
  int FieldCount = 0;
  int Default = -1;                      // the member DISPID_VALUE reaches, -1 for none
  std::u16string Initialize, Terminate;  // routine names, empty when the class has none
  TVbsLinkPtr Link;
  int Find(std::u16string_view AName) const;
};
using TVbsClassPtr = std::shared_ptr<const TVbsClassInfo>;

// The value a class's name gives: New creates an instance from it.
IDispatch* QelVbsNewClassObject(TVbsClassPtr AClass);
// An instance of the class AObject names (Class_Initialize run); false when it names none.
bool QelVbsCreateInstance(const VARIANT& AObject, VARIANT& AResult);
// The class name of an instance of a script class, or empty.
std::u16string QelVbsClassNameOf(const VARIANT& AValue);
// Class_Terminate of the instances still alive (unless ARunTerminate is false), then every
// instance is cut from the machine and its fields cleared.
void QelVbsEndLinkInstances(const TVbsLinkPtr& ALink, bool ARunTerminate);
// The prefix of member names that reach private members too: the class's own code uses it.
inline constexpr char16_t kVbsInnerPrefix = u' ';
// The name New reaches a class by ("Class Name", with a blank no script can write).
inline std::u16string QelVbsClassKey(const std::u16string& AName) { return u"Class " + AName; }

// A name assigned before (or without) any declaration: in a procedure, or at global level.
struct TVbsImplicitName {
  qel_vb::TQelVbProcDecl* FProc;  // null at global level
  int FName;
  std::u16string FStrName;
};

class TQelVbsParser : private TVbsGlobalNames, public qel_vb::TQelVbParser {
 public:
  // AIntrinsics: the name ids of the language's intrinsics, which are never variables.
  TQelVbsParser(IQelParserCallbacks* ACbs, TQelVbsHostNames AHostNames,
                const std::unordered_set<int>& AIntrinsics, TVbsLinkPtr ALink);
  std::unique_ptr<IQelEmitable> ParseStmt(const std::u16string& ASource) override;

 protected:
  void ParseProgram() override;
  TQelStmtPtr ParseStatement() override;
  bool AtStatementStart() const override;
  void DesignatorParsed(TQelDesignatorExpr& ADesignator) override;
  bool ElseEndsOneLineIf() const override { return true; }
  int WithObjectName(std::u16string* AText) override;
  // Inside With, a dot after a blank starts ".Member" (Call .Member, Say .Name & x).
  bool DotStartsArgument() const override {
    return !FWithNames.empty() && FScanner.FTokenStartPos > FLastSkippedPos + 1 &&
           FScanner.FTokenStartPos != FWithDotPos;
  }
  int FWithDotPos = -1;  // the dot of the ".Member" designator being read
  TQelExprPtr MakeBinary(TQelExprPtr ALeft, TQelInstrCode AOp, TQelExprPtr ARight,
                         int APos) override;
  void NewParsed(qel_vb::TQelVbNewExpr& ANew) override;
  void GroupParsed(TQelExprPtr& AInner) override;

 private:
  bool IsWord(const char16_t* AWord) const;
  bool NextIsWord(const char16_t* AWord);
  bool AtProcedure();
  void ExpectWord(const char16_t* AWord);
  void ParseOption();
  void ParseModifiedProcedure();
  TQelStmtPtr ParseConst();
  TQelStmtPtr ParseWhile();
  TQelStmtPtr ParseLet();
  TQelStmtPtr ParseDeclaration();
  TQelStmtPtr ParseOnError();
  TQelStmtPtr ParseForEach();
  TQelStmtPtr ParseWith();
  int HiddenVariable(const char16_t* AKind, std::u16string& AName);
  TQelStmtPtr ErrClear(int APos);
  TQelStmtPtr ResumeNext(TQelStmtPtr AStmt);
  TQelStmtPtr AppendInPlace(TQelStmtPtr AStmt);
  void NoteAssigned(const TQelStatement* AStmt);
  void NoteName(int AName, const std::u16string& AStrName);
  void DeclareImplicitNames();
  // classes
  void ParseClass();
  void ParseClassFields(TVbsClassInfo& AClass, bool APublic);
  void ParseClassRoutine(TVbsClassInfo& AClass, bool APublic, bool ADefault);
  void ResolveClassNames(const TVbsClassInfo& AClass);
  TVbsMember& MemberFor(TVbsClassInfo& AClass, const std::u16string& AName, TVbsMemberKind AKind,
                        int APos);

  TQelVbsHostNames FHostNames;
  const std::unordered_set<int>& FIntrinsics;
  bool FExplicit = false;
  bool FResumeNext = false;
  int FHiddenCount = 0;  // variables of For Each and With
  std::vector<std::pair<int, std::u16string>> FWithNames;  // the With objects, innermost last  // On Error Resume Next is in force in the current routine
  std::vector<TVbsImplicitName> FImplicit;
  TVbsLinkPtr FLink;
  // While a class is parsed: the designators of its routines, resolved at End Class (a member
  // may be declared after the routine that uses it).
  bool FInClass = false;
  bool FInProperty = false;
  std::vector<std::pair<TQelDesignatorExpr*, qel_vb::TQelVbProcDecl*>> FClassDesignators;
  // The script's New expressions and its classes: New of a class reaches it under a name of
  // its own, so that a variable of the same name does not hide it.
  bool FInProgram = false;
  std::vector<qel_vb::TQelVbNewExpr*> FNewExprs;
  std::unordered_map<int, std::u16string>
      FClassKeys;  // class name id -> the name New reaches it by
  void BindNewClasses();
  // Call statements with arguments and no parentheses in routines ("Name 1, 2"): one that names
  // a local variable indexes it, as Name(1, 2) does (the bound local takes no arguments).
  std::vector<std::pair<TQelDesignatorItem*, qel_vb::TQelVbProcDecl*>> FCallsWithArgs;
};

}  // namespace qel_vbs
