// The VBScript front end's parser (private to engine/vbscript). It derives from the VB
// dialect's parser: the grammar both languages share is written once there; VBScript's own
// words are identifiers to the shared scanner, recognised here where a statement starts.
#pragma once

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
// VBScript's message for an error number ("Unknown runtime error" for numbers it has none for).
String QelVbsErrorText(int32_t ANumber);

// Err: the last error On Error Resume Next passed over, or the one Raise made.
class TVbsErrObject final : public OleObject<IDispatch, IID_IDispatch> {
 public:
  void Clear();
  void Note(Exception* E);
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

 private:
  IQelParserCallbacks* FTarget;
  std::unordered_set<int> FGlobals;
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

// A name assigned before (or without) any declaration: in a procedure, or at global level.
struct TVbsImplicitName {
  qel_vb::TQelVbProcDecl* FProc;  // null at global level
  int FName;
  std::u16string FStrName;
};

class TQelVbsParser : private TVbsGlobalNames, public qel_vb::TQelVbParser {
 public:
  // AIntrinsics: the name ids of the language's intrinsics, which are never variables.
  TQelVbsParser(IQelParserCallbacks* ACbs, TQelVbsHostNames AHostNames, const std::unordered_set<int>& AIntrinsics);
  std::unique_ptr<IQelEmitable> ParseStmt(const std::u16string& ASource) override;

 protected:
  void ParseProgram() override;
  TQelStmtPtr ParseStatement() override;
  bool AtStatementStart() const override;
  void DesignatorParsed(TQelDesignatorExpr& ADesignator) override;
  bool ElseEndsOneLineIf() const override { return true; }
  int WithObjectName(std::u16string* AText) override;

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
  void NoteAssigned(const TQelStatement* AStmt);
  void NoteName(int AName, const std::u16string& AStrName);
  void DeclareImplicitNames();

  TQelVbsHostNames FHostNames;
  const std::unordered_set<int>& FIntrinsics;
  bool FExplicit = false;
  bool FResumeNext = false;
  int FHiddenCount = 0;  // variables of For Each and With
  std::vector<std::pair<int, std::u16string>> FWithNames;  // the With objects, innermost last  // On Error Resume Next is in force in the current routine
  std::vector<TVbsImplicitName> FImplicit;
};

}  // namespace qel_vbs
