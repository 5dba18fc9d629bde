// The runtime behind the engine "VBScript": one machine of our own over the VBScript front end
// (engine/vbscript). The common part (engines/common) gives it its Active Scripting face.
//
// The machine fixes a script's globals when it compiles, and VBScript declares a variable by
// assigning a name nothing else declares. Which names the host gives is known only once the
// named items are added (after the code is parsed), so the code is compiled at once for its
// syntax errors and again, with the host's names known, before it first runs.
#include <atomic>
#include <thread>
#include <vector>

#include "engine/vbscript/QelSctVbsLanguage.h"
#include "engine/vm/QelSctVM.h"
#include "engines/common/QelBridge.h"
#include "platform/ole/OleAuto.h"

namespace {

// The codes VBScript's errors leave the engine with: its own facility and the error number.
constexpr int32_t kVbsFacility = int32_t(0x800A0000);
constexpr int32_t kSyntaxError = kVbsFacility | 1002;

VARIANT& VarOf(TQelBValue& AValue) { return *static_cast<VARIANT*>(AValue.Raw16()); }
const VARIANT& VarOf(const TQelBValue& AValue) { return *static_cast<const VARIANT*>(AValue.Raw16()); }

struct TNamedObject {
  std::u16string Name;
  ComPtr<IDispatch> Object;
  bool GlobalMembers;
};

// Where a block of global code starts in the combined source and which line the host gave it.
struct TBlock {
  int FirstLine;  // in the combined source, from 0
  int StartLine;  // the host's number of the block's first line
};

// The members a global-members item publishes are reached like globals, but VBScript's own
// library wins over them: a host routine named like one of VBScript's functions (a unit's
// FormatDateTime) is reached through its item (SysUtils.FormatDateTime).
void AddExtern(TQelVirtMachine& AVM, const TNamedObject& ANamed) {
  AVM.AddExternObject(ANamed.Object.get(), ANamed.Name, ANamed.GlobalMembers, ANamed.GlobalMembers);
}

class TVbsRuntime final : public IQelBRuntime {
 public:
  ~TVbsRuntime() override;
  QEL_BRIDGE_RUNTIME_OVERRIDES;

 private:
  std::shared_ptr<TQelVirtMachine> Compile(const std::u16string& ASource);
  void CloseMachine();
  void EnsureCompiled();
  bool IsHostName(const std::u16string& AName) const;
  // Runs ABody, turning what it raises into AError; AStartLine places positions in an
  // immediate text (-1: the global code's blocks).
  template <class TBody>
  bool Guarded(TQelBScriptError& AError, int AStartLine, TBody&& ABody);
  void Fail(TQelBScriptError& AError, int AStartLine, std::string ADescription, int32_t ACode);

  std::u16string FSource;
  std::vector<TBlock> FBlocks;
  int FLineCount = 0;
  std::vector<TNamedObject> FNamed;
  // Shared: instances of the script's classes hold a weak handle on it.
  std::shared_ptr<TQelVirtMachine> FVM;
  const std::u16string* FRunningText = nullptr;  // the immediate text an entry runs
  size_t FCompiledNamed = 0;  // named objects known when FVM compiled
  bool FOpened = false;
  // The innermost place the running error passed, noted by the machine's hook.
  bool FHasPlace = false;
  ExceptionPtr FPlaceError;  // held, so that its address names it while noted
  int FPlaceLine = -1;
  int FPlacePos = -1;
  std::atomic<bool> FInterrupted{false};
  std::atomic<int> FEntries{0};       // entries running the script (Guarded)
  std::atomic<bool> FClosing{false};  // closed while idle: later entries fail as after an abort
  std::thread FCloser;  // closes the machine when interrupted, without blocking the caller
};

TVbsRuntime::~TVbsRuntime() {
  if (FCloser.joinable()) FCloser.join();
  CloseMachine();
}

// The instances still alive end first (Class_Terminate runs unless the script was aborted),
// while the machine can still run them.
void TVbsRuntime::CloseMachine() {
  if (!FVM) return;
  try {
    QelVbsEndInstances(*FVM, !FInterrupted.load());
    FVM->Close();
  } catch (...) {
    // dropped with the machine
  }
  FVM.reset();
}

bool TVbsRuntime::IsHostName(const std::u16string& AName) const {
  for (const TNamedObject& named : FNamed) {
    if (!named.Name.empty() && CompareText(named.Name, AName) == 0) return true;
    if (!named.GlobalMembers || !named.Object) continue;
    LPOLESTR names[] = {const_cast<LPOLESTR>(AName.c_str())};
    DISPID id;
    if (SUCCEEDED(named.Object->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return true;
  }
  return false;
}

std::shared_ptr<TQelVirtMachine> TVbsRuntime::Compile(const std::u16string& ASource) {
  auto vm = std::make_shared<TQelVirtMachine>(
      QelVbsLanguage([this](const std::u16string& AName) { return IsHostName(AName); }));
  // An error passes the hook once per activation it leaves, innermost first; an error that
  // On Error Resume Next caught passed it too, so a new error replaces the place noted.
  vm->OnFormatException = [this](TQelVirtMachine* AVM, int ALine, int ALinePos, Exception* E) {
    if (FHasPlace && FPlaceError.Get() == E) return;
    // The innermost place is in the immediate text running, or else in the script.
    if (const std::u16string* evalText = QelVbsEvalText())
      QelVbsRefineError(E, *evalText, ALine, ALinePos);
    if (FRunningText) QelVbsRefineError(E, *FRunningText, ALine, ALinePos);
    QelVbsRefineError(E, AVM->Source().Text(), ALine, ALinePos);
    FPlaceError = ExceptionPtr(E);
    FHasPlace = true;
    FPlaceLine = ALine;
    FPlacePos = ALinePos;
  };
  QelVbsPrepareMachine(vm);
  vm->Initialize(ASource);
  for (const TNamedObject& named : FNamed)
    if (!named.Name.empty() || named.GlobalMembers) AddExtern(*vm, named);
  return vm;
}

// Compiles again when host names arrived since the last compilation; never once running.
void TVbsRuntime::EnsureCompiled() {
  if (FOpened || (FVM && FCompiledNamed == FNamed.size())) return;
  CloseMachine();
  FVM = Compile(FSource);
  FCompiledNamed = FNamed.size();
}

void TVbsRuntime::Fail(TQelBScriptError& AError, int AStartLine, std::string ADescription, int32_t ACode) {
  AError.Description = std::move(ADescription);
  AError.Code = ACode;
  AError.Aborted = FInterrupted.load();
  if (!FHasPlace) return;
  AError.Position = FPlacePos;
  if (AStartLine >= 0) {
    AError.Line = AStartLine + FPlaceLine;
    return;
  }
  AError.Line = FPlaceLine;
  for (const TBlock& block : FBlocks)
    if (FPlaceLine >= block.FirstLine) AError.Line = block.StartLine + FPlaceLine - block.FirstLine;
}

template <class TBody>
bool TVbsRuntime::Guarded(TQelBScriptError& AError, int AStartLine, TBody&& ABody) {
  struct TForget {  // the noted error goes with the entry
    ExceptionPtr& Error;
    ~TForget() { Error = ExceptionPtr(); }
  } forget{FPlaceError};
  FHasPlace = false;
  FPlaceError = ExceptionPtr();
  if (FInterrupted.load() || FClosing.load()) {
    AError.Aborted = true;
    AError.Description = QelBAbortMessage;
    return false;
  }
  struct TEntry {
    std::atomic<int>& Count;
    explicit TEntry(std::atomic<int>& ACount) : Count(ACount) { ++Count; }
    ~TEntry() { --Count; }
  } entry(FEntries);
  try {
    ABody();
    return true;
  } catch (const ExceptionPtr& E) {
    if (dynamic_cast<EQelCompileBase*>(E.Get())) {
      Fail(AError, AStartLine, StringToUtf8(E->GetMessage()), kSyntaxError);
    } else {
      int32_t number;
      std::u16string description;
      QelVbsDescribeError(E.Get(), number, description);
      Fail(AError, AStartLine, StringToUtf8(description), number < 0 ? number : (kVbsFacility | number));
    }
  } catch (...) {
    TQelBError error;
    QelBCurrentException(error);
    Fail(AError, AStartLine, error.Message, error.Code);
  }
  return false;
}

int CountLines(std::u16string_view AText) {
  int lines = 1;
  for (size_t i = 0; i < AText.size(); ++i) {
    if (AText[i] == u'\n' || (AText[i] == u'\r' && (i + 1 == AText.size() || AText[i + 1] != u'\n'))) ++lines;
  }
  return lines;
}

bool TVbsRuntime::AddCode(std::string_view ASource, int AStartLine, TQelBScriptError& AError) {
  const std::u16string text = QelBUtf16(ASource);
  std::u16string combined = FSource;
  if (!combined.empty()) combined += u"\r\n";
  const int firstLine = combined.empty() ? 0 : FLineCount;
  combined += text;
  // The block alone places its own syntax errors.
  return Guarded(AError, AStartLine, [&] {
    std::shared_ptr<TQelVirtMachine> checked = Compile(text);
    checked.reset();
    FSource = std::move(combined);
    FBlocks.push_back({firstLine, AStartLine});
    FLineCount = firstLine + CountLines(text);
    FCompiledNamed = SIZE_MAX;  // compile the whole before it runs
  });
}

bool TVbsRuntime::RunCode(TQelBScriptError& AError) {
  return Guarded(AError, -1, [&] {
    EnsureCompiled();
    if (FOpened) return;
    FOpened = true;
    FVM->Open();
  });
}

bool TVbsRuntime::Execute(std::string_view AText, int AStartLine, bool AExpression, TQelBValue* AResult,
                          TQelBScriptError& AError) {
  const std::u16string text = QelBUtf16(AText);
  return Guarded(AError, AStartLine, [&] {
    EnsureCompiled();
    struct TRunning {
      const std::u16string*& Slot;
      const std::u16string* Saved;
      ~TRunning() { Slot = Saved; }
    } running{FRunningText, FRunningText};
    FRunningText = &text;
    if (!AExpression) {
      FVM->ExecStmt(text);
      return;
    }
    VARIANT value = FVM->Eval(text);
    if (AResult) {
      AResult->Clear();
      VarOf(*AResult) = value;
    } else {
      VariantClear(&value);
    }
  });
}

void TVbsRuntime::AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) {
  auto* object = reinterpret_cast<IDispatch*>(AObject);
  if (object) object->AddRef();
  TNamedObject& named = FNamed.emplace_back(TNamedObject{QelBUtf16(AName), ComPtr<IDispatch>::adopt(object), AGlobalMembers});
  // A machine already running takes it now; one not compiled yet takes it when it compiles.
  if (FOpened && FVM && (!named.Name.empty() || AGlobalMembers)) {
    AddExtern(*FVM, named);
    FCompiledNamed = FNamed.size();
  }
}

TQelBGlobalKind TVbsRuntime::FindGlobal(std::string_view AName) {
  TQelBScriptError error;
  if (!Guarded(error, -1, [&] { EnsureCompiled(); })) return bgNone;
  const std::u16string name = QelBUtf16(AName);
  for (TQelProcObject* proc : FVM->Procedures())
    if (CompareText(proc->FStrName, name) == 0) return bgFunction;
  for (const auto* list : {&FVM->GlobalVars(), &FVM->GlobalConsts()})
    for (TQelGlobalValuedObject* object : *list)
      if (CompareText(object->FStrName, name) == 0) return bgVariable;
  return bgNone;
}

bool TVbsRuntime::CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,
                             TQelBScriptError& AError) {
  // The arguments are borrowed and the machine writes by-reference parameters into its
  // slots: it gets copies.
  std::vector<VARIANT> args(AArgCount);
  for (unsigned i = 0; i < AArgCount; ++i) {
    VariantInit(&args[i]);
    VariantCopyInd(&args[i], &VarOf(AArgs[i]));
  }
  const bool done = Guarded(AError, -1, [&] {
    EnsureCompiled();
    VARIANT value = FVM->RunProc(QelBUtf16(AName), args.data(), static_cast<int>(AArgCount));
    if (AResult) {
      AResult->Clear();
      VarOf(*AResult) = value;
    } else {
      VariantClear(&value);
    }
  });
  for (VARIANT& arg : args) VariantClear(&arg);
  return done;
}

bool TVbsRuntime::ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) {
  return Guarded(AError, -1, [&] {
    EnsureCompiled();
    VARIANT value = FVM->ReadVar(QelBUtf16(AName));
    AResult.Clear();
    VarOf(AResult) = value;
  });
}

bool TVbsRuntime::WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError& AError) {
  return Guarded(AError, -1, [&] {
    EnsureCompiled();
    FVM->WriteVar(QelBUtf16(AName), VarOf(AValue));
  });
}

// The machine's Close marks it closing (every running activation then traps) and waits for
// them to leave: that wait happens on a thread of its own, so a Close asked from inside the
// script, or while it calls the host, cannot wait for itself.
void TVbsRuntime::Interrupt() {
  // Nothing running: the close is an ordinary one, made when the runtime goes (Class_Terminate
  // of the instances still alive runs then).
  if (FEntries.load() == 0) {
    FClosing.store(true);
    return;
  }
  if (FInterrupted.exchange(true) || !FVM) return;
  TQelVirtMachine* vm = FVM.get();
  QelVbsStopInstances(*vm);
  FCloser = std::thread([vm] {
    try {
      vm->Close();
    } catch (...) {
      // the runtime closes it again when it goes
    }
  });
}

IQelBRuntime* NewVbsRuntime() { return new TVbsRuntime; }

}  // namespace

void QelRegisterVBScriptEngine() { QelRegisterScriptEngine(u"VBScript", NewVbsRuntime); }
