// The PerlScript engine: one interpreter per engine (perl_alloc, perl_construct, perl_parse of
// an empty program), entered with its context set on the calling thread. Global code is kept
// at AddCode and compiled and run by RunCode as a string eval in package main; its named subs
// are the script's functions, package main's variables its globals. Named objects are variables ($MessageList);
// the members of global-members objects that the code names become subs (methods) and
// variables with magic (properties) of package main before it is compiled, so a named value
// is a plain variable. Closing the engine stops a running script through Perl's own safe
// signal check (see Interrupt).
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "engines/perl/PerlEngine.h"
#include "engines/perl/PerlObjects.h"

EXTERN_C void boot_DynaLoader(pTHX_ CV* cv);

namespace {

constexpr char CScriptFile[] = "script";
constexpr char CInputFile[] = "input ";
constexpr char CRuntimeKey[] = "Qel::Runtime";

// Run once in every interpreter: reading and writing globals from the host, and exit, which
// would end the host process, failing instead.
constexpr char CBootstrap[] = R"(
package Qel::Internal;
sub read_var {
  no strict 'refs';
  my $name = "main::$_[0]";
  return ${$name} if defined ${$name} || !@{$name};
  return [@{$name}];
}
sub write_var {
  no strict 'refs';
  ${"main::$_[0]"} = $_[1];
  return;
}
*CORE::GLOBAL::exit = sub {
  my (undef, $file, $line) = caller;
  die "exit is not available to a script at $file line $line.\n";
};
$| = 1;
)";

// Names Perl gives a meaning of its own: never bound to host members.
const std::unordered_set<std::string> CPerlNames = {
    "BEGIN", "END",    "INIT",   "CHECK", "UNITCHECK", "DESTROY", "AUTOLOAD", "STDIN", "STDOUT",  "STDERR",
    "ARGV",  "ARGVOUT", "ENV",   "INC",   "SIG",       "DATA",    "ISA",      "EXPORT", "VERSION", "__END__",
    "__DATA__", "__FILE__", "__LINE__", "__PACKAGE__", "__SUB__"};

struct TChunk {
  std::string Text;
  int StartLine;
  bool Ran;
};

// The interpreter is the calling thread's current one while this lives.
class TContext {
 public:
  explicit TContext(PerlInterpreter* APerl) : FPrevious(PERL_GET_CONTEXT) { PERL_SET_CONTEXT(APerl); }
  ~TContext() { PERL_SET_CONTEXT(FPrevious); }
  TContext(const TContext&) = delete;
  TContext& operator=(const TContext&) = delete;

 private:
  void* FPrevious;
};

class TPerlRuntime final : public IQelBRuntime {
 public:
  TPerlRuntime();
  ~TPerlRuntime() override;

  QEL_BRIDGE_RUNTIME_OVERRIDES;

 private:
  static void XsInit(pTHX);
  static void SignalHook(pTHX);
  // Binds the words of AText that name members of global-members objects.
  void BindWords(std::string_view AText);
  // Calls ASub (a sub's name or a code reference) inside an eval, in scalar context, with
  // AArgs (taken over); its result is read into AResult when given.
  bool Call(SV* ASub, SV* const* AArgs, size_t ACount, TQelBValue* AResult, TQelBScriptError& AError);
  // AError from $@ (the failure of the last call).
  bool Failed(TQelBScriptError& AError);
  bool Aborted(TQelBScriptError& AError);
  bool Finish(int ACount, TQelBValue* AResult, TQelBScriptError& AError);
  bool Evaluate(std::string_view AText, const std::string& AFile, int AStartLine, TQelBValue* AResult,
                TQelBScriptError& AError);
  // The place of a Perl message "... at FILE line N...": false when it names none of ours.
  bool Locate(const std::string& AText, size_t& AAt, int& ALine, int& APosition) const;

  PerlInterpreter* FPerl;
  std::unique_ptr<TPerlObjects> FObjects;
  std::deque<TChunk> FChunks;    // global code
  std::deque<TChunk> FInputs;    // dynamic code, by its number in the file name "input N"
  TQelBGlobalMembers FGlobalMembers;
  std::unordered_set<std::string> FSeenWords, FNamed;
  std::atomic<bool> FAborted{false};
};

TPerlRuntime::TPerlRuntime() {
  static std::once_flag once;
  std::call_once(once, [] {
    static int argc = 1;
    static char name[] = "qel";
    static char* args[] = {name, nullptr};
    static char* env[] = {nullptr};
    char** argv = args;
    char** envp = env;
    PERL_SYS_INIT3(&argc, &argv, &envp);
  });
  FPerl = perl_alloc();
  TContext context(FPerl);
  dTHXa(FPerl);
  perl_construct(FPerl);
  PL_perl_destruct_level = 1;  // free everything: many interpreters come and go in one process
  PL_exit_flags |= PERL_EXIT_DESTRUCT_END;
  static char empty[] = "", flag[] = "-e", program[] = "0";
  char* args[] = {empty, flag, program, nullptr};
  perl_parse(FPerl, XsInit, 3, args, nullptr);
  perl_run(FPerl);
  (void)hv_store(PL_modglobal, CRuntimeKey, sizeof(CRuntimeKey) - 1, newSViv(PTR2IV(this)), 0);
  PL_signalhook = SignalHook;
  FObjects = std::make_unique<TPerlObjects>(aTHX);
  eval_pv(CBootstrap, FALSE);
}

TPerlRuntime::~TPerlRuntime() {
  TContext context(FPerl);
  dTHXa(FPerl);
  PL_sig_pending = 0;
  // An aborted script's END blocks are not run: they might loop too.
  if (FAborted) PL_exit_flags &= ~PERL_EXIT_DESTRUCT_END;
  perl_destruct(FPerl);
  perl_free(FPerl);
  FObjects.reset();
}

void TPerlRuntime::XsInit(pTHX) {
  newXS("DynaLoader::boot_DynaLoader", boot_DynaLoader, __FILE__);  // `use` of XS modules
}

// Perl calls this at its safe points (every loop step) once a signal is pending. Interrupt
// marks one without a signal: the script dies, and every safe point after it dies again, so
// an eval that catches the abort is left at its next step.
void TPerlRuntime::SignalHook(pTHX) {
  SV** slot = hv_fetch(PL_modglobal, CRuntimeKey, sizeof(CRuntimeKey) - 1, 0);
  auto* self = slot ? INT2PTR(TPerlRuntime*, SvIV(*slot)) : nullptr;
  if (!self || !self->FAborted) {
    Perl_despatch_signals(aTHX);
    return;
  }
  PL_sig_pending = 1;
  croak_sv(sv_2mortal(newSVpvf("%s\n", QelBAbortMessage)));
}

void TPerlRuntime::Interrupt() {
  FAborted = true;
  dTHXa(FPerl);
  PL_sig_pending = 1;  // a plain store, as a signal handler makes it
}

bool TPerlRuntime::Aborted(TQelBScriptError& AError) {
  if (!FAborted) return false;
  AError.Description = QelBAbortMessage;
  AError.Aborted = true;
  return true;
}

bool TPerlRuntime::Locate(const std::string& AText, size_t& AAt, int& ALine, int& APosition) const {
  for (size_t at = AText.find(" at "); at != std::string::npos; at = AText.find(" at ", at + 1)) {
    size_t next = at + 4;
    const TChunk* chunk = nullptr;
    if (AText.compare(next, sizeof(CScriptFile) - 1, CScriptFile) == 0) {
      next += sizeof(CScriptFile) - 1;
    } else if (AText.compare(next, sizeof(CInputFile) - 1, CInputFile) == 0) {
      next += sizeof(CInputFile) - 1;
      size_t input = 0;
      const size_t digits = next;
      while (next < AText.size() && AText[next] >= '0' && AText[next] <= '9') input = input * 10 + (AText[next++] - '0');
      if (next == digits || input >= FInputs.size()) continue;
      chunk = &FInputs[input];
    } else {
      continue;
    }
    if (AText.compare(next, 6, " line ") != 0) continue;
    next += 6;
    int line = 0;
    const size_t digits = next;
    while (next < AText.size() && AText[next] >= '0' && AText[next] <= '9') line = line * 10 + (AText[next++] - '0');
    if (next == digits) continue;
    ALine = line - 1;  // every text starts with "#line" at its own first line, counted from 1
    if (!chunk) {
      for (const TChunk& candidate : FChunks)
        if (candidate.StartLine <= ALine) chunk = &candidate;
    }
    APosition = chunk ? QelBLineStart(chunk->Text, ALine - chunk->StartLine) : 1;
    AAt = at;
    return true;
  }
  return false;
}

bool TPerlRuntime::Failed(TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  dTHXa(FPerl);
  std::string text = QelPerlUtf8(aTHX_ ERRSV);
  size_t at = 0;
  if (Locate(text, at, AError.Line, AError.Position)) text.resize(at);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  AError.Description = text.empty() ? "Died" : std::move(text);
  return false;
}

void TPerlRuntime::BindWords(std::string_view AText) {
  if (FGlobalMembers.Empty()) return;
  dTHXa(FPerl);
  QelBForEachNewWord(AText, FSeenWords, [&](const std::string& AWord) {
    // Perl's own functions are lower case; host names start with a capital.
    if (AWord[0] < 'A' || AWord[0] > 'Z' || CPerlNames.count(AWord) || FNamed.count(AWord)) return;
    TQelBObject* object = nullptr;
    TQelBMember member;
    if (!FGlobalMembers.Find(AWord, object, member) || member.Kind == bmIndexed) return;
    FNamed.insert(AWord);
    FObjects->BindGlobal(aTHX_ AWord, object, member);
  });
}

// The host names its objects after the code is added (and `use strict` must know them), and
// Perl compiles a file's subs with its lexicals only while it runs it: global code is compiled
// when it runs, so syntax errors are reported by RunCode.
bool TPerlRuntime::AddCode(std::string_view ASource, int AStartLine, TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  FChunks.push_back(TChunk{std::string(ASource), AStartLine, false});
  return true;
}

// Compiles and runs AText as a file of its own would be: its lexicals are seen by the subs it
// defines.
bool TPerlRuntime::Evaluate(std::string_view AText, const std::string& AFile, int AStartLine, TQelBValue* AResult,
                            TQelBScriptError& AError) {
  dTHXa(FPerl);
  BindWords(AText);
  std::string code = "package main;\n#line " + std::to_string(AStartLine + 1) + " \"" + AFile + "\"\n";
  code.append(AText);
  ENTER;
  SAVETMPS;
  SV* source = sv_2mortal(QelPerlNewString(aTHX_ code));
  const int count = eval_sv(source, (AResult ? G_SCALAR : G_VOID) | G_EVAL);
  return Finish(count, AResult, AError);
}

bool TPerlRuntime::Call(SV* ASub, SV* const* AArgs, size_t ACount, TQelBValue* AResult, TQelBScriptError& AError) {
  dTHXa(FPerl);
  dSP;
  ENTER;
  SAVETMPS;
  PUSHMARK(SP);
  EXTEND(SP, static_cast<SSize_t>(ACount));
  for (size_t i = 0; i < ACount; ++i) PUSHs(sv_2mortal(AArgs[i]));
  PUTBACK;
  const int count = call_sv(ASub, G_SCALAR | G_EVAL);
  return Finish(count, AResult, AError);
}

// The end of a call made inside ENTER/SAVETMPS: its result (ACount values on the stack) read
// into AResult, the temporaries freed, $@ turned into AError.
bool TPerlRuntime::Finish(int ACount, TQelBValue* AResult, TQelBScriptError& AError) {
  dTHXa(FPerl);
  dSP;
  SV* value = ACount > 0 ? POPs : &PL_sv_undef;
  PUTBACK;
  bool ok = !SvTRUE(ERRSV);
  TQelBError conversion;
  if (ok && AResult) ok = FObjects->ToValue(aTHX_ value, *AResult, conversion);
  FREETMPS;
  LEAVE;
  if (ok) return true;
  if (conversion.Message.empty()) return Failed(AError);
  AError.Description = std::move(conversion.Message);
  return false;
}

bool TPerlRuntime::RunCode(TQelBScriptError& AError) {
  TContext context(FPerl);
  dTHXa(FPerl);
  for (TChunk& chunk : FChunks) {
    if (chunk.Ran) continue;
    chunk.Ran = true;
    if (Aborted(AError) || !Evaluate(chunk.Text, CScriptFile, chunk.StartLine, nullptr, AError)) return false;
  }
  return true;
}

bool TPerlRuntime::Execute(std::string_view AText, int AStartLine, bool AExpression, TQelBValue* AResult,
                           TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  TContext context(FPerl);
  // Dynamic code stays known while subs it defined may run.
  const std::string file = CInputFile + std::to_string(FInputs.size());
  FInputs.push_back(TChunk{std::string(AText), AStartLine, false});
  TQelBValue discarded;
  return Evaluate(AText, file, AStartLine, AExpression ? (AResult ? AResult : &discarded) : nullptr, AError);
}

void TPerlRuntime::AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) {
  TContext context(FPerl);
  dTHXa(FPerl);
  if (!AName.empty()) {
    const std::string name(AName);
    SV* value = FObjects->NewObject(aTHX_ AObject);
    sv_setsv(QelPerlImportedScalar(aTHX_ name), value);
    SvREFCNT_dec(value);
    FNamed.insert(name);
  }
  if (AGlobalMembers && AObject) {
    FGlobalMembers.Add(AObject);
    FSeenWords.clear();  // words seen before may name its members
  }
}

bool IsName(std::string_view AName) {
  if (AName.empty()) return false;
  for (char c : AName)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == ':'))
      return false;
  return true;
}

TQelBGlobalKind TPerlRuntime::FindGlobal(std::string_view AName) {
  if (!IsName(AName)) return bgNone;
  TContext context(FPerl);
  dTHXa(FPerl);
  const std::string name = "main::" + std::string(AName);
  if (CV* sub = get_cvn_flags(name.c_str(), name.size(), 0); sub && (CvROOT(sub) || CvXSUB(sub))) return bgFunction;
  GV* glob = gv_fetchpvn_flags(name.c_str(), name.size(), 0, SVt_PV);
  return glob && isGV_with_GP(glob) && (GvSV(glob) || GvAV(glob)) ? bgVariable : bgNone;
}

bool TPerlRuntime::CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,
                              TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  TContext context(FPerl);
  dTHXa(FPerl);
  const std::string name = "main::" + std::string(AName);
  std::vector<SV*> args(AArgCount);
  for (unsigned i = 0; i < AArgCount; ++i) args[i] = FObjects->NewValue(aTHX_ AArgs[i]);
  return Call(sv_2mortal(newSVpvn(name.data(), name.size())), args.data(), args.size(), AResult, AError);
}

// Through Perl subs inside an eval: a variable bound to a host property may fail.
bool TPerlRuntime::ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) {
  TContext context(FPerl);
  dTHXa(FPerl);
  SV* name = newSVpvn(AName.data(), AName.size());
  return Call(sv_2mortal(newSVpvs("Qel::Internal::read_var")), &name, 1, &AResult, AError);
}

bool TPerlRuntime::WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError& AError) {
  TContext context(FPerl);
  dTHXa(FPerl);
  SV* args[] = {newSVpvn(AName.data(), AName.size()), FObjects->NewValue(aTHX_ AValue)};
  return Call(sv_2mortal(newSVpvs("Qel::Internal::write_var")), args, 2, nullptr, AError);
}

IQelBRuntime* NewPerlRuntime() { return new TPerlRuntime; }

}  // namespace

void QelRegisterPerlEngine() { QelRegisterScriptEngine(u"PerlScript", NewPerlRuntime); }
