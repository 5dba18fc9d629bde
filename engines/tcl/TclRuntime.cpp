// The TclScript engine: one interpreter per engine. Global code is checked at AddCode and run at
// RunCode in the global namespace; procedures are the script's functions, global variables its
// variables. Named objects are commands (and global variables holding their handles). The
// members of global-members objects are commands through `unknown`, and those the script
// names as variables become global variables traced to the member, so a named value is a
// plain variable. Closing the engine stops a running script through a command limit (see
// Interrupt).
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engines/common/QelBridge.h"
#include "engines/tcl/TclEngine.h"
#include "engines/tcl/TclErrors.h"
#include "engines/tcl/TclObjects.h"

namespace {

constexpr char CPreviousUnknown[] = "::tcl::QelPreviousUnknown";

class TTclRuntime final : public IQelBRuntime {
 public:
  TTclRuntime();
  ~TTclRuntime() override;

  QEL_BRIDGE_RUNTIME_OVERRIDES;

 private:
  struct TTracedName {
    TTclRuntime* Owner;
    std::string Name;
    TQelBObject* Object;  // borrowed from FGlobalMembers
    TQelBMember Member;
  };
  int CallMember(TQelBObject* AObject, const TQelBMember& AMember, int AObjc, Tcl_Obj* const AObjv[]);
  static int UnknownCommand(void* AData, Tcl_Interp* AInterp, int AObjc, Tcl_Obj* const AObjv[]);
  static char* TraceVariable(void* AData, Tcl_Interp* AInterp, const char* AName1, const char* AName2, int AFlags);
  // Makes the words of AText that name properties of global-members objects traced variables.
  void TraceMemberVariables(std::string_view AText);
  bool Aborted(TQelBScriptError& AError);
  // AError from a failed evaluation (of AChunk, null for a call).
  bool Failed(int ACode, const TTclChunk* AChunk, TQelBScriptError& AError);
  bool Evaluate(TTclChunk& AChunk, TQelBScriptError& AError);

  Tcl_ThreadId FThread;
  Tcl_Interp* FInterp;
  std::unique_ptr<TTclObjects> FObjects;
  std::deque<TTclChunk> FChunks;
  TQelBGlobalMembers FGlobalMembers;
  std::unordered_set<std::string> FSeenWords;
  std::deque<TTracedName> FTraced;
  std::atomic<bool> FAborted{false};
};

// Tcl deletes an interpreter only on the thread that created it (it panics otherwise). An engine
// dropped on another thread (closed while a script ran there) leaves its interpreter here, and
// the next engine created or dropped on the creating thread deletes it.
std::mutex GraveLock;
std::vector<std::pair<Tcl_ThreadId, Tcl_Interp*>> Graves;

void Bury(Tcl_ThreadId AThread, Tcl_Interp* AInterp) {
  std::lock_guard lock(GraveLock);
  Graves.emplace_back(AThread, AInterp);
}

void DeleteGraves() {
  const Tcl_ThreadId self = Tcl_GetCurrentThread();
  std::vector<Tcl_Interp*> mine;
  {
    std::lock_guard lock(GraveLock);
    std::erase_if(Graves, [&](const auto& AGrave) {
      if (AGrave.first != self) return false;
      mine.push_back(AGrave.second);
      return true;
    });
  }
  for (Tcl_Interp* interp : mine) Tcl_DeleteInterp(interp);
}

TTclRuntime::TTclRuntime() {
  static std::once_flag once;
  std::call_once(once, [] { Tcl_FindExecutable(nullptr); });
  DeleteGraves();
  FThread = Tcl_GetCurrentThread();
  FInterp = Tcl_CreateInterp();
  Tcl_Init(FInterp);  // the script library (clock, auto-loading); Tcl works without it
  Tcl_ResetResult(FInterp);
  FObjects = std::make_unique<TTclObjects>(FInterp);
  Tcl_Obj* rename[] = {Tcl_NewStringObj("rename", -1), Tcl_NewStringObj("unknown", -1),
                       Tcl_NewStringObj(CPreviousUnknown, -1)};
  for (Tcl_Obj* word : rename) Tcl_IncrRefCount(word);
  Tcl_EvalObjv(FInterp, 3, rename, TCL_EVAL_GLOBAL);
  for (Tcl_Obj* word : rename) Tcl_DecrRefCount(word);
  Tcl_ResetResult(FInterp);
  Tcl_CreateObjCommand(FInterp, "::unknown", UnknownCommand, this, nullptr);
}

TTclRuntime::~TTclRuntime() {
  if (Tcl_GetCurrentThread() == FThread) {
    Tcl_DeleteInterp(FInterp);
    DeleteGraves();
  } else {
    // Nothing of this engine runs in it any more: commands and traces are only deleted there.
    Bury(FThread, FInterp);
  }
  FObjects.reset();
}

// An unknown command: a member of a global-members object, else what Tcl did before.
int TTclRuntime::UnknownCommand(void* AData, Tcl_Interp* AInterp, int AObjc, Tcl_Obj* const AObjv[]) {
  auto& self = *static_cast<TTclRuntime*>(AData);
  if (AObjc >= 2) {
    TQelBObject* object = nullptr;
    TQelBMember member;
    if (self.FGlobalMembers.Find(Tcl_GetString(AObjv[1]), object, member)) return self.CallMember(object, member, AObjc - 1, AObjv + 1);
  }
  if (Tcl_FindCommand(AInterp, CPreviousUnknown, nullptr, 0)) {
    std::vector<Tcl_Obj*> words(AObjv, AObjv + AObjc);
    words[0] = Tcl_NewStringObj(CPreviousUnknown, -1);
    Tcl_IncrRefCount(words[0]);
    const int code = Tcl_EvalObjv(AInterp, AObjc, words.data(), 0);
    Tcl_DecrRefCount(words[0]);
    return code;
  }
  Tcl_SetObjResult(AInterp, Tcl_ObjPrintf("invalid command name \"%s\"", AObjc >= 2 ? Tcl_GetString(AObjv[1]) : ""));
  return TCL_ERROR;
}

// `Name word ...` for a member of a global-members object: a method is called with the words; a
// property that holds an object passes the words on to it (`TStringList Create`); any other
// property is read with the words as its indexes.
int TTclRuntime::CallMember(TQelBObject* AObject, const TQelBMember& AMember, int AObjc, Tcl_Obj* const AObjv[]) {
  if (AMember.Kind == bmMethod || AObjc == 1) return FObjects->Call(AObject, AMember, AMember.Kind == bmMethod ? bcMethod : bcGet, AObjc - 1, AObjv + 1);
  TQelBValue value;
  TQelBError error;
  const TQelBRead read = QelBReadMember(AObject, AMember, value, error);
  if (read == brFailed) return FObjects->Fail(error);
  if (read == brValue && value.Kind() == bvObject && value.Object()) return FObjects->Send(value.Object(), AObjc, AObjv);
  return FObjects->Call(AObject, AMember, read == brMethod ? bcMethod : bcGet, AObjc - 1, AObjv + 1);
}

char* TTclRuntime::TraceVariable(void* AData, Tcl_Interp* AInterp, const char*, const char*, int AFlags) {
  if (AFlags & (TCL_INTERP_DESTROYED | TCL_TRACE_UNSETS)) return nullptr;  // the engine may be gone
  auto& traced = *static_cast<TTracedName*>(AData);
  TQelBError error;
  bool ok = false;
  QelBGuard(error, [&] {
    if (AFlags & TCL_TRACE_READS) {
      TQelBValue value;
      const TQelBRead read = QelBReadMember(traced.Object, traced.Member, value, error);
      ok = read == brValue;
      if (ok) Tcl_SetVar2Ex(AInterp, traced.Name.c_str(), nullptr, traced.Owner->FObjects->NewValue(value), TCL_GLOBAL_ONLY);
      else if (read != brFailed) error.Message = "the member is not a value";
    } else {
      Tcl_Obj* written = Tcl_GetVar2Ex(AInterp, traced.Name.c_str(), nullptr, TCL_GLOBAL_ONLY);
      TQelBValue value;
      if (written) traced.Owner->FObjects->ToValue(written, value);
      const auto call = static_cast<TQelBCall>(value.Kind() == bvObject ? bcPut | bcPutRef : bcPut);
      ok = QelBInvoke(traced.Object, traced.Member.Id, call, &value, 1, nullptr, error);
    }
  });
  if (ok) return nullptr;
  Tcl_Obj* message = QelTclNewString(error.Message);
  Tcl_IncrRefCount(message);  // the interpreter takes it over (TCL_TRACE_RESULT_OBJECT)
  return reinterpret_cast<char*>(message);
}

void TTclRuntime::TraceMemberVariables(std::string_view AText) {
  if (FGlobalMembers.Empty()) return;
  QelBForEachNewWord(AText, FSeenWords, [&](const std::string& AWord) {
    TQelBObject* object = nullptr;
    TQelBMember member;
    if (!FGlobalMembers.Find(AWord, object, member) || member.Kind == bmMethod || member.Kind == bmIndexed) return;
    TTracedName& traced = FTraced.emplace_back(TTracedName{this, AWord, object, member});
    Tcl_SetVar2Ex(FInterp, AWord.c_str(), nullptr, Tcl_NewObj(), TCL_GLOBAL_ONLY);
    Tcl_TraceVar2(FInterp, AWord.c_str(), nullptr,
                  TCL_GLOBAL_ONLY | TCL_TRACE_READS | TCL_TRACE_WRITES | TCL_TRACE_UNSETS | TCL_TRACE_RESULT_OBJECT,
                  TraceVariable, &traced);
  });
}

// Tcl_CancelEval marks an asynchronous handler of the thread that created the interpreter, so
// it stops only a script running on that thread. A command limit of zero stops a script on any
// thread: the interpreter checks its limits every few instructions, an endless empty loop
// included, and a limit error cannot be caught by the script.
void TTclRuntime::Interrupt() {
  FAborted = true;
  Tcl_LimitSetCommands(FInterp, 0);
  Tcl_LimitTypeSet(FInterp, TCL_LIMIT_COMMANDS);
  Tcl_CancelEval(FInterp, nullptr, nullptr, TCL_CANCEL_UNWIND);
}

bool TTclRuntime::Aborted(TQelBScriptError& AError) {
  if (!FAborted) return false;
  AError.Description = QelBAbortMessage;
  AError.Aborted = true;
  return true;
}

bool TTclRuntime::Failed(int ACode, const TTclChunk* AChunk, TQelBScriptError& AError) {
  if (!Aborted(AError)) QelTclDescribe(FInterp, ACode, AChunk, FChunks, AError);
  Tcl_ResetResult(FInterp);
  return false;
}

bool TTclRuntime::Evaluate(TTclChunk& AChunk, TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  TraceMemberVariables(AChunk.Text);
  Tcl_Obj* script = QelTclNewString(AChunk.Text);
  Tcl_IncrRefCount(script);
  const int code = Tcl_EvalObjEx(FInterp, script, TCL_EVAL_GLOBAL);
  Tcl_DecrRefCount(script);
  return code == TCL_OK || code == TCL_RETURN || Failed(code, &AChunk, AError);
}

bool TTclRuntime::AddCode(std::string_view ASource, int AStartLine, TQelBScriptError& AError) {
  TTclChunk chunk{std::string(ASource), AStartLine};
  if (!QelTclCheckSyntax(FInterp, chunk, AError)) return false;
  FChunks.push_back(std::move(chunk));
  return true;
}

bool TTclRuntime::RunCode(TQelBScriptError& AError) {
  for (TTclChunk& chunk : FChunks) {
    if (chunk.Ran) continue;
    chunk.Ran = true;
    if (!Evaluate(chunk, AError)) return false;
  }
  return true;
}

bool TTclRuntime::Execute(std::string_view AText, int AStartLine, bool AExpression, TQelBValue* AResult,
                          TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  // Dynamic code stays known while procedures it defined may run.
  TTclChunk chunk{AExpression ? "expr {" + std::string(AText) + "}" : std::string(AText), AStartLine, true};
  if (!QelTclCheckSyntax(FInterp, chunk, AError)) return false;
  FChunks.push_back(std::move(chunk));
  if (!Evaluate(FChunks.back(), AError)) return false;
  if (AResult) FObjects->ToValue(Tcl_GetObjResult(FInterp), *AResult);
  Tcl_ResetResult(FInterp);
  return true;
}

void TTclRuntime::AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) {
  if (!AName.empty()) FObjects->AddNamed(AName, AObject);
  if (AGlobalMembers) {
    FGlobalMembers.Add(AObject);
    FSeenWords.clear();  // words seen before may name its members
  }
}

TQelBGlobalKind TTclRuntime::FindGlobal(std::string_view AName) {
  const std::string name(AName);
  if (name.find_first_of("*?[]\\:") != std::string::npos) return bgNone;
  Tcl_Obj* words[] = {Tcl_NewStringObj("info", -1), Tcl_NewStringObj("procs", -1),
                      Tcl_NewStringObj(("::" + name).c_str(), -1)};
  for (Tcl_Obj* word : words) Tcl_IncrRefCount(word);
  int found = 0;
  if (Tcl_EvalObjv(FInterp, 3, words, TCL_EVAL_GLOBAL) == TCL_OK)
    Tcl_ListObjLength(nullptr, Tcl_GetObjResult(FInterp), &found);
  for (Tcl_Obj* word : words) Tcl_DecrRefCount(word);
  Tcl_ResetResult(FInterp);
  if (found > 0) return bgFunction;
  const bool variable = Tcl_GetVar2Ex(FInterp, name.c_str(), nullptr, TCL_GLOBAL_ONLY) != nullptr;
  Tcl_ResetResult(FInterp);
  return variable ? bgVariable : bgNone;
}

bool TTclRuntime::CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,
                             TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  Tcl_Obj* small[8];
  std::vector<Tcl_Obj*> large;
  Tcl_Obj** words = small;
  if (AArgCount + 1 > 8) {
    large.resize(AArgCount + 1);
    words = large.data();
  }
  words[0] = Tcl_NewStringObj(AName.data(), static_cast<int>(AName.size()));
  for (unsigned i = 0; i < AArgCount; ++i) words[i + 1] = FObjects->NewValue(AArgs[i]);
  for (unsigned i = 0; i <= AArgCount; ++i) Tcl_IncrRefCount(words[i]);
  const int code = Tcl_EvalObjv(FInterp, static_cast<int>(AArgCount + 1), words, TCL_EVAL_GLOBAL);
  for (unsigned i = 0; i <= AArgCount; ++i) Tcl_DecrRefCount(words[i]);
  if (code != TCL_OK && code != TCL_RETURN) return Failed(code, nullptr, AError);
  if (AResult) FObjects->ToValue(Tcl_GetObjResult(FInterp), *AResult);
  Tcl_ResetResult(FInterp);
  return true;
}

bool TTclRuntime::ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) {
  const std::string name(AName);
  Tcl_Obj* value = Tcl_GetVar2Ex(FInterp, name.c_str(), nullptr, TCL_GLOBAL_ONLY | TCL_LEAVE_ERR_MSG);
  if (!value) return Failed(TCL_ERROR, nullptr, AError);
  FObjects->ToValue(value, AResult);
  return true;
}

bool TTclRuntime::WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError& AError) {
  const std::string name(AName);
  if (!Tcl_SetVar2Ex(FInterp, name.c_str(), nullptr, FObjects->NewValue(AValue), TCL_GLOBAL_ONLY | TCL_LEAVE_ERR_MSG))
    return Failed(TCL_ERROR, nullptr, AError);
  return true;
}

IQelBRuntime* NewTclRuntime() { return new TTclRuntime; }

}  // namespace

void QelRegisterTclEngine() { QelRegisterScriptEngine(u"TclScript", NewTclRuntime); }
