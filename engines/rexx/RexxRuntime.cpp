// The ObjectREXXScript engine on Regina. Regina keeps nothing between RexxStart calls, and an
// error inside a routine called back into a running program ends the whole program (its
// longjmp passes the caller's frames), so a program kept running cannot hold the state
// safely. Every entry is therefore one RexxStart of the whole script (its tokenized image
// kept after the first), with a first line of ours that runs what the entry asks for:
//
//   if arg() > 0 then interpret arg(1)
//
// Global code runs when no argument is given; a routine is run by "call NAME arg(2), ...",
// an expression by "exit EXPR". The script's globals live here between entries: the
// initialisation exit sets them in the program's variable pool, the termination exit reads
// them all back when the entry succeeded (a failed entry leaves them as they were). Named
// objects are globals holding their handles; properties of global-members objects that the
// code names are globals read before each entry and written back when the script changed
// them (a named value is a plain variable). Abort: see Interrupt.
#define INCL_REXXSAA
#define INCL_RXARI
#include <rexxsaa.h>

#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "engines/rexx/RexxEngine.h"
#include "engines/rexx/RexxObjects.h"

namespace {

constexpr char CExitName[] = "QELREXX";
constexpr char CProgramName[] = "script";
constexpr char CDispatch[] = "if symbol('QEL.0') == 'VAR' then interpret QEL.0\n";
// The stem of the engine's own variables (constant tails, so no variable of the script changes
// them): QEL.0, the statement an entry runs, QEL.1 ... its arguments, and QEL.00, set at every
// entry, which the termination exit finds only in the program's own variable pool (not in a
// PROCEDURE's, after an EXIT inside one). RexxStart itself takes only a few arguments.
constexpr std::string_view CStem = "QEL.";
constexpr int CHaltError = 4;
constexpr int CHostError = 40;

// REXX's special variables: never globals of the script.
bool IsSpecial(std::string_view AName) {
  return AName == "SIGL" || AName == "RESULT" || AName.starts_with(CStem);
}

bool IsSymbolChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '!' ||
         c == '?' || c == '.';
}

std::string Upper(std::string_view AText) {
  std::string upper(AText);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// A routine name as CALL accepts it: a symbol not starting with a digit or a point.
bool IsRoutineName(std::string_view AName) {
  if (AName.empty() || (AName[0] >= '0' && AName[0] <= '9') || AName[0] == '.') return false;
  return std::all_of(AName.begin(), AName.end(), IsSymbolChar);
}

std::string_view View(const RXSTRING& AText) {
  return AText.strptr ? std::string_view(AText.strptr, AText.strlength) : std::string_view();
}

// The labels of a text (upper case): a symbol followed by ':' at the start of a clause.
void CollectLabels(std::string_view AText, std::unordered_set<std::string>& ALabels) {
  size_t at = 0;
  while (at < AText.size()) {
    while (at < AText.size() && (AText[at] == ' ' || AText[at] == '\t')) ++at;
    const size_t start = at;
    while (at < AText.size() && IsSymbolChar(AText[at])) ++at;
    if (at > start && at < AText.size() && AText[at] == ':') ALabels.insert(Upper(AText.substr(start, at - start)));
    const size_t next = AText.find_first_of(";\n", at);
    at = next == std::string_view::npos ? AText.size() : next + 1;
  }
}

class TRexxRuntime;

// What one RexxStart collects through the exits.
struct TEntry {
  TRexxRuntime* Runtime;
  const std::vector<std::string>* Vars;
  std::map<std::string, std::string> Saved;
  bool SavedAll = false;
  std::string ErrorText, ErrorDetail;
  int ErrorLine = -1;
};

// Reads one of Regina's error lines: "Error 42 running "script", line 6: text" and
// "Error 42.3: detail" while running; "Error 64 running "script": [text]" and
// "Error 64.1: [Syntax error at line 4]" for what parsing found.
void NoteError(std::string_view AText, TEntry& AEntry) {
  if (!AText.starts_with("Error ")) return;
  const size_t colon = AText.find(": ");
  if (colon == std::string_view::npos) return;
  const std::string_view head = AText.substr(0, colon);
  std::string_view message = AText.substr(colon + 2);
  size_t line = head.find(", line ");
  if (line != std::string_view::npos)
    line += 7;
  else if ((line = message.find("at line ")) != std::string_view::npos)
    line = colon + 2 + line + 8;
  if (line != std::string_view::npos && AEntry.ErrorLine < 0) AEntry.ErrorLine = std::atoi(AText.data() + line);
  const bool bracketed = message.starts_with('[') && message.ends_with(']');
  if (bracketed) message = message.substr(1, message.size() - 2);
  if (head.find('.') == std::string_view::npos) {
    if (AEntry.ErrorText.empty()) AEntry.ErrorText = message;
  } else if (AEntry.ErrorDetail.empty() && !bracketed) {
    AEntry.ErrorDetail = message;
  }
}

// Regina reports what it finds while parsing a program on stderr, before any exit runs. While
// a program is parsed, stderr goes to a memory file (one parse at a time in the process); the
// error lines are read from there and anything else written meanwhile is passed on.
class TParseErrors {
 public:
  explicit TParseErrors(bool AActive) : FLock(GLock, std::defer_lock) {
    if (!AActive) return;
    FLock.lock();
    FFile = memfd_create("qel-rexx-parse", MFD_CLOEXEC);
    if (FFile < 0) return;
    std::fflush(stderr);
    FSaved = dup(STDERR_FILENO);
    dup2(FFile, STDERR_FILENO);
  }
  ~TParseErrors() {
    Restore();
    if (FFile >= 0) close(FFile);
  }
  TParseErrors(const TParseErrors&) = delete;
  TParseErrors& operator=(const TParseErrors&) = delete;

  void Read(TEntry& AEntry) {
    if (!Restore()) return;
    std::string text;
    char buffer[4096];
    lseek(FFile, 0, SEEK_SET);
    for (ssize_t got; (got = read(FFile, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(got));
    close(FFile);
    FFile = -1;
    std::string others;
    for (size_t at = 0; at < text.size();) {
      size_t end = text.find('\n', at);
      if (end == std::string::npos) end = text.size();
      const std::string_view line(text.data() + at, end - at);
      if (line.starts_with("Error "))
        NoteError(line, AEntry);
      else if (line.find("+++") == std::string_view::npos)
        others.append(line).append("\n");
      at = end + 1;
    }
    if (!others.empty() && write(STDERR_FILENO, others.data(), others.size()) < 0) return;
  }

 private:
  bool Restore() {
    if (FSaved < 0) return FFile >= 0;
    std::fflush(stderr);
    dup2(FSaved, STDERR_FILENO);
    close(FSaved);
    FSaved = -1;
    return true;
  }

  static inline std::mutex GLock;
  std::unique_lock<std::mutex> FLock;
  int FFile = -1, FSaved = -1;
};

thread_local TEntry* GEntry = nullptr;
thread_local volatile sig_atomic_t GInRexx = 0;
const int CHaltSignal = SIGRTMIN + 7;

// Runs on the thread an abort is aimed at: Regina's halt flag belongs to the calling thread.
void OnHaltSignal(int) {
  if (GInRexx) RexxSetHalt(0, 0);
}

struct TChunk {
  std::string Text;
  int StartLine;    // in the host's script, from 0
  int ProgramLine;  // the chunk's first line in the program, from 1
  bool Ran;
};

struct TBinding {
  std::string Name;  // upper case
  TQelBObject* Object;
  TQelBMember Member;
  std::string Entered;  // the value set at the entry's start
};

class TRexxRuntime final : public IQelBRuntime {
 public:
  TRexxRuntime();
  ~TRexxRuntime() override;

  QEL_BRIDGE_RUNTIME_OVERRIDES;

  static LONG APIENTRY Exit(LONG AFunction, LONG ASubfunction, PEXIT AParameters);

 private:
  // One RexxStart: AVars[0] the statement the first line interprets (none: the global code),
  // the others its arguments.
  bool Run(const std::vector<std::string>& AVars, int ADynamicLine, TQelBValue* AResult, TQelBScriptError& AError);
  void SetProgram();
  void Bind();
  void OnInit(const TEntry& AEntry);
  void OnTerm(TEntry& AEntry);
  LONG OnFunction(RXFNCCAL_PARM& AParameters);
  void Locate(const TEntry& AEntry, int ADynamicLine, TQelBScriptError& AError) const;
  bool Aborted(TQelBScriptError& AError) const;

  std::vector<TChunk> FChunks;
  std::string FProgram;
  RXSTRING FImage{0, nullptr};  // Regina's tokenized program, reused while the text stays
  std::map<std::string, std::string> FGlobals;
  std::unordered_set<std::string> FLabels, FWords, FSeenWords;
  std::vector<TBinding> FBindings;
  bool FBindingsStale = true;
  TRexxHost FHost;
  int FDepth = 0;
  std::atomic<bool> FAborted{false};
  std::mutex FThreadsLock;
  std::vector<pthread_t> FThreads;  // those running an entry of this engine
};

TRexxRuntime::TRexxRuntime() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction action = {};
    action.sa_handler = OnHaltSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(CHaltSignal, &action, nullptr);
  });
  SetProgram();
}

TRexxRuntime::~TRexxRuntime() {
  if (FImage.strptr) RexxFreeMemory(FImage.strptr);
}

void TRexxRuntime::SetProgram() {
  FProgram = CDispatch;
  for (size_t i = 0; i < FChunks.size(); ++i) {
    // Later chunks start at a label of their own, so that each one's global code runs once.
    if (i > 0) FProgram += "QEL.CHUNK" + std::to_string(i) + ":\n";
    FChunks[i].ProgramLine = static_cast<int>(std::count(FProgram.begin(), FProgram.end(), '\n')) + 1;
    FProgram += FChunks[i].Text;
    if (!FChunks[i].Text.ends_with('\n')) FProgram += '\n';
  }
  if (FImage.strptr) RexxFreeMemory(FImage.strptr);
  FImage = RXSTRING{0, nullptr};
}

bool TRexxRuntime::Aborted(TQelBScriptError& AError) const {
  if (!FAborted) return false;
  AError.Description = QelBAbortMessage;
  AError.Aborted = true;
  return true;
}

void TRexxRuntime::Bind() {
  if (!FBindingsStale) return;
  FBindingsStale = false;
  FBindings.clear();
  for (const std::string& word : FWords) {
    if (IsSpecial(word) || FLabels.count(word)) continue;
    TQelBObject* object;
    TQelBMember member;
    if (!FHost.GlobalMembers.Find(word, object, member) || member.Kind == bmMethod || member.Kind == bmIndexed)
      continue;
    TQelBValue value;
    TQelBError error;
    if (QelBReadMember(object, member, value, error) == brValue) FBindings.push_back({word, object, member, {}});
  }
}

bool TRexxRuntime::Run(const std::vector<std::string>& AVars, int ADynamicLine, TQelBValue* AResult,
                       TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  static thread_local bool registered = false;
  if (!registered) {
    // Exits are registered per thread in Regina's thread-safe library.
    RexxRegisterExitExe(CExitName, reinterpret_cast<RexxExitHandler*>(&TRexxRuntime::Exit), nullptr);
    registered = true;
  }
  Bind();
  RXSTRING instore[2];
  MAKERXSTRING(instore[0], FProgram.data(), FProgram.size());
  instore[1] = FImage;
  RXSYSEXIT exits[] = {{const_cast<char*>(CExitName), RXFNC}, {const_cast<char*>(CExitName), RXCMD},
                       {const_cast<char*>(CExitName), RXSIO}, {const_cast<char*>(CExitName), RXINI},
                       {const_cast<char*>(CExitName), RXTER}, {nullptr, RXENDLST}};
  TEntry entry;
  entry.Runtime = this;
  entry.Vars = &AVars;
  TEntry* outer = std::exchange(GEntry, &entry);
  {
    std::lock_guard lock(FThreadsLock);
    FThreads.push_back(pthread_self());
  }
  ++FDepth;
  FHost.ClearPending();
  SHORT returnCode = 0;
  RXSTRING result{0, nullptr};
  GInRexx = GInRexx + 1;
  APIRET started;
  {
    TParseErrors parseErrors(!FImage.strptr);
    started = RexxStart(0, nullptr, CProgramName, instore, CExitName, RXCOMMAND, exits, &returnCode, &result);
    parseErrors.Read(entry);
  }
  GInRexx = GInRexx - 1;
  --FDepth;
  {
    std::lock_guard lock(FThreadsLock);
    FThreads.erase(std::find(FThreads.begin(), FThreads.end(), pthread_self()));
  }
  GEntry = outer;
  FImage = instore[1];
  const std::string text(View(result));
  if (result.strptr) RexxFreeMemory(result.strptr);

  const int error = static_cast<int>(-static_cast<LONG>(started));
  if (started != 0) {
    if (error == CHaltError && Aborted(AError)) return false;
    if (error == CHostError && FHost.ErrorPending()) {
      AError.Description = FHost.LastError().Message;
      AError.Code = FHost.LastError().Code;
    } else {
      AError.Description = !entry.ErrorDetail.empty() ? entry.ErrorDetail : entry.ErrorText;
      if (AError.Description.empty()) AError.Description = "The REXX program could not be run (" + std::to_string(started) + ")";
    }
    Locate(entry, ADynamicLine, AError);
    return false;
  }
  if (entry.SavedAll) {
    for (TBinding& binding : FBindings) {
      const auto value = entry.Saved.find(binding.Name);
      if (value != entry.Saved.end() && value->second != binding.Entered) {
        TQelBArgs put;
        FHost.ToValue(value->second, *put.Resize(1));
        TQelBError ignored;  // a property the host refuses keeps its value
        QelBInvoke(binding.Object, binding.Member.Id, bcPut, put.Data(), 1, nullptr, ignored);
      }
      entry.Saved.erase(binding.Name);
    }
    FGlobals = std::move(entry.Saved);
  }
  if (AResult) {
    if (result.strptr)
      FHost.ToValue(text, *AResult);
    else
      AResult->SetEmpty();
  }
  if (FDepth == 0)
    FHost.Sweep([&](auto AMark) {
      for (const auto& [name, value] : FGlobals) AMark(value);
    });
  return true;
}

void TRexxRuntime::Locate(const TEntry& AEntry, int ADynamicLine, TQelBScriptError& AError) const {
  if (AEntry.ErrorLine <= 1) {
    AError.Line = ADynamicLine;
    AError.Position = 1;
    return;
  }
  const TChunk* chunk = nullptr;
  for (const TChunk& candidate : FChunks)
    if (candidate.ProgramLine <= AEntry.ErrorLine) chunk = &candidate;
  if (!chunk) return;
  const int line = AEntry.ErrorLine - chunk->ProgramLine;
  AError.Line = chunk->StartLine + line;
  AError.Position = QelBLineStart(chunk->Text, line);
}

void TRexxRuntime::OnInit(const TEntry& AEntry) {
  std::vector<SHVBLOCK> blocks;
  blocks.reserve(FGlobals.size() + FBindings.size() + AEntry.Vars->size() + 1);
  const auto add = [&](const std::string& AName, const std::string& AValue) {
    SHVBLOCK block{};
    block.shvcode = RXSHV_SET;
    MAKERXSTRING(block.shvname, const_cast<char*>(AName.data()), AName.size());
    MAKERXSTRING(block.shvvalue, const_cast<char*>(AValue.data()), AValue.size());
    blocks.push_back(block);
  };
  // A stem's default value before its elements: the map keeps "S." ahead of "S.1".
  for (auto& [name, value] : FGlobals) add(name, value);
  for (TBinding& binding : FBindings) {
    TQelBValue value;
    TQelBError ignored;
    binding.Entered.clear();
    if (QelBReadMember(binding.Object, binding.Member, value, ignored) == brValue)
      FHost.AppendText(value, binding.Entered);
    add(binding.Name, binding.Entered);
  }
  const size_t vars = AEntry.Vars->size();
  std::vector<std::string> names(vars + 1);
  for (size_t i = 0; i < vars; ++i) {
    names[i] = std::string(CStem) + std::to_string(i);
    add(names[i], (*AEntry.Vars)[i]);
  }
  names[vars] = std::string(CStem) + "00";
  static const std::string one = "1";  // the pool reads the text when it is called, not here
  add(names[vars], one);
  for (size_t i = 0; i + 1 < blocks.size(); ++i) blocks[i].shvnext = &blocks[i + 1];
  RexxVariablePool(blocks.data());
}

void TRexxRuntime::OnTerm(TEntry& AEntry) {
  char sentinelName[] = "QEL.00";
  SHVBLOCK probe{};
  probe.shvcode = RXSHV_FETCH;
  MAKERXSTRING(probe.shvname, sentinelName, sizeof sentinelName - 1);
  if (RexxVariablePool(&probe) != RXSHV_OK) return;  // an EXIT inside a PROCEDURE: keep the globals
  if (probe.shvvalue.strptr) RexxFreeMemory(probe.shvvalue.strptr);
  for (;;) {
    SHVBLOCK next{};
    next.shvcode = RXSHV_NEXTV;
    const ULONG status = RexxVariablePool(&next);
    if (status & ~RXSHV_TRUNC) break;
    std::string name(View(next.shvname)), value(View(next.shvvalue));
    if (next.shvname.strptr) RexxFreeMemory(next.shvname.strptr);
    if (next.shvvalue.strptr) RexxFreeMemory(next.shvvalue.strptr);
    if (!IsSpecial(name)) AEntry.Saved.insert_or_assign(std::move(name), std::move(value));
  }
  AEntry.SavedAll = true;
}

LONG TRexxRuntime::OnFunction(RXFNCCAL_PARM& AParameters) {
  const std::string_view name(reinterpret_cast<const char*>(AParameters.rxfnc_name), AParameters.rxfnc_namel);
  std::string_view args[64];
  const unsigned count = std::min<unsigned>(AParameters.rxfnc_argc, 64);
  for (unsigned i = 0; i < count; ++i) args[i] = View(AParameters.rxfnc_argv[i]);
  std::string result;
  TQelBError error;
  TRexxHost::TOutcome outcome = TRexxHost::coFailed;
  if (FAborted) {
    error.Message = QelBAbortMessage;
  } else if (!QelBGuard(error, [&] { outcome = FHost.Call(name, args, count, result, error); })) {
    outcome = TRexxHost::coFailed;
  }
  if (outcome == TRexxHost::coNotMine) return RXEXIT_NOT_HANDLED;
  if (outcome == TRexxHost::coFailed) {
    AParameters.rxfnc_flags.rxfferr = 1;
    return RXEXIT_HANDLED;
  }
  if (result.size() > AParameters.rxfnc_retc.strlength || !AParameters.rxfnc_retc.strptr)
    AParameters.rxfnc_retc.strptr = static_cast<char*>(RexxAllocateMemory(static_cast<ULONG>(result.size() + 1)));
  std::copy(result.begin(), result.end(), AParameters.rxfnc_retc.strptr);
  AParameters.rxfnc_retc.strlength = result.size();
  return RXEXIT_HANDLED;
}

LONG APIENTRY TRexxRuntime::Exit(LONG AFunction, LONG ASubfunction, PEXIT AParameters) {
  TEntry* entry = GEntry;
  if (!entry) return RXEXIT_NOT_HANDLED;
  TRexxRuntime& self = *entry->Runtime;
  switch (AFunction) {
    case RXFNC:
      return self.OnFunction(*reinterpret_cast<RXFNCCAL_PARM*>(AParameters));
    case RXCMD: {
      // A script never reaches the operating system's commands.
      auto& command = *reinterpret_cast<RXCMDHST_PARM*>(AParameters);
      command.rxcmd_flags.rxfcfail = 1;
      static const char refused[] = "-1";  // RC of a command that did not run
      if (!command.rxcmd_retc.strptr || command.rxcmd_retc.strlength < 2)
        command.rxcmd_retc.strptr = static_cast<char*>(RexxAllocateMemory(sizeof refused));
      std::copy(refused, refused + 2, command.rxcmd_retc.strptr);
      command.rxcmd_retc.strlength = 2;
      return RXEXIT_HANDLED;
    }
    case RXSIO:
      if (ASubfunction != RXSIOTRC) return RXEXIT_NOT_HANDLED;
      NoteError(View(reinterpret_cast<RXSIOTRC_PARM*>(AParameters)->rxsio_string), *entry);
      return RXEXIT_HANDLED;
    case RXINI:
      self.OnInit(*entry);
      return RXEXIT_HANDLED;
    case RXTER:
      self.OnTerm(*entry);
      return RXEXIT_HANDLED;
    default:
      return RXEXIT_NOT_HANDLED;
  }
}

// ---------------------------------------------------------------------------------------------

bool TRexxRuntime::AddCode(std::string_view ASource, int AStartLine, TQelBScriptError& AError) {
  FChunks.push_back(TChunk{std::string(ASource), AStartLine, 0, false});
  SetProgram();
  // Regina parses the whole program before it runs any of it: "exit" first finds syntax errors.
  // The check runs on a thread of its own: a thread that has run programs before may have
  // Regina report a parse error at line 1.
  bool checked = false;
  std::thread([&] { checked = Run({"exit"}, AStartLine, nullptr, AError); }).join();
  if (!checked) {
    FChunks.pop_back();
    SetProgram();
    return false;
  }
  CollectLabels(ASource, FLabels);
  QelBForEachNewWord(ASource, FSeenWords, [&](const std::string& AWord) { FWords.insert(Upper(AWord)); });
  FBindingsStale = true;
  return true;
}

bool TRexxRuntime::RunCode(TQelBScriptError& AError) {
  for (size_t i = 0; i < FChunks.size(); ++i) {
    if (FChunks[i].Ran) continue;
    FChunks[i].Ran = true;
    std::vector<std::string> args;
    if (i > 0) args.push_back("signal QEL.CHUNK" + std::to_string(i));
    if (!Run(args, FChunks[i].StartLine, nullptr, AError)) return false;
  }
  return true;
}

bool TRexxRuntime::Execute(std::string_view AText, int AStartLine, bool AExpression, TQelBValue* AResult,
                           TQelBScriptError& AError) {
  std::string statement = AExpression ? "exit " + std::string(AText) : std::string(AText) + "\nexit";
  QelBForEachNewWord(AText, FSeenWords, [&](const std::string& AWord) {
    FWords.insert(Upper(AWord));
    FBindingsStale = true;
  });
  return Run({std::move(statement)}, AStartLine, AExpression ? AResult : nullptr, AError);
}

void TRexxRuntime::AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) {
  if (!AName.empty()) {
    TQelBValue value;
    value.SetObject(AObject);
    std::string text;
    FHost.AppendText(value, text);
    FGlobals.insert_or_assign(Upper(AName), std::move(text));
  }
  if (AGlobalMembers && AObject) {
    FHost.GlobalMembers.Add(AObject);
    FBindingsStale = true;
  }
}

TQelBGlobalKind TRexxRuntime::FindGlobal(std::string_view AName) {
  const std::string name = Upper(AName);
  if (FLabels.count(name)) return bgFunction;
  return FGlobals.count(name) ? bgVariable : bgNone;
}

bool TRexxRuntime::CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,
                              TQelBScriptError& AError) {
  if (!IsRoutineName(AName)) {
    AError.Description = "Unknown name.";
    return false;
  }
  std::vector<std::string> args(AArgCount + 1);
  std::string& call = args[0];
  call = "call " + std::string(AName);
  for (unsigned i = 0; i < AArgCount; ++i) {
    call += (i == 0 ? " QEL." : ", QEL.") + std::to_string(i + 1);
    FHost.AppendText(AArgs[i], args[i + 1]);
  }
  call += "; if symbol('RESULT') == 'VAR' then exit result; exit";
  return Run(args, 0, AResult, AError);
}

bool TRexxRuntime::ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) {
  const auto found = FGlobals.find(Upper(AName));
  if (found == FGlobals.end()) {
    AError.Description = "Unknown name.";
    return false;
  }
  FHost.ToValue(found->second, AResult);
  return true;
}

bool TRexxRuntime::WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError&) {
  std::string text;
  FHost.AppendText(AValue, text);
  FGlobals.insert_or_assign(Upper(AName), std::move(text));
  return true;
}

// Regina's halt flag belongs to the thread running the program, and RexxSetHalt sets the
// calling thread's: a signal delivered to each thread running an entry of this engine calls it
// there. Regina sees the halt at its next clause and ends the program with error 4; every later
// entry fails at once. A script that traps HALT (CALL ON HALT) and loops on without calling the
// host keeps running: that is the one case the abort cannot end.
void TRexxRuntime::Interrupt() {
  FAborted = true;
  std::lock_guard lock(FThreadsLock);
  for (pthread_t thread : FThreads) pthread_kill(thread, CHaltSignal);
}

IQelBRuntime* NewRexxRuntime() { return new TRexxRuntime; }

}  // namespace

void QelRegisterRexxEngine() { QelRegisterScriptEngine(u"ObjectREXXScript", NewRexxRuntime); }
