// The neutral bridge between an embedded interpreter and the engine's OLE world.
//
// An engine's interpreter-side files include only their interpreter's headers and this one:
// nothing here names an OLE type, so no interpreter macro (a LONG, a Move) can clash with ours.
// The common part (engines/common) implements everything declared here and the Active
// Scripting face of every engine (IActiveScript, IActiveScriptParse, the script dispatch, the
// error object, abort and entry accounting); a language supplies one IQelBRuntime and registers
// a factory for it.
//
// How a language plugs in
// -----------------------
// 1. Implement IQelBRuntime (below) over one interpreter instance (or, for CPython, one module
//    namespace). The engine calls it from one thread at a time (it holds the engine's lock
//    around every call except Interrupt), re-entrantly when a script calls the host and the
//    host calls back into the script.
// 2. Register it once at start-up: QelRegisterScriptEngine(u"LuaScript", factory). The
//    registration puts the engine name into the OLE class registry; the script control finds
//    it there. engines/QelScriptEngines.cpp calls every language's registration function.
// 3. Host objects reach the script as TQelBObject handles (IDispatch underneath). Resolve a
//    member by name once per class (QelBClassKey tells objects of one class apart) with
//    QelBFindMember, then call it with QelBInvoke, or read it with QelBReadMember, which also
//    tells methods and indexed properties from plain values.
// 4. Values cross as TQelBValue: a 16-byte slot that owns what it holds (strings, objects,
//    arrays). Convert with the As*/Set* members; strings are UTF-8 or UTF-16 as the language
//    prefers.
// 5. Errors: a failing host call fills a TQelBError (the host's message and HRESULT); raise it
//    in the language as its own exception. A runtime entry that fails fills TQelBScriptError
//    (description, line counted from 0, position counted from 1, code) and returns false; the
//    engine reports it to the host.
// 6. Never let an interpreter's longjmp (Lua's lua_error, Perl's croak, Tcl's error return is
//    fine) cross a C++ frame that owns objects: write every C callback as a trampoline that
//    calls a C++ body through QelBGuard and raises the interpreter's error only after the body
//    has returned and its objects are gone (see QelBGuard below). Call back into the
//    interpreter only through its protected calls (lua_pcall, call_sv with G_EVAL, ...).
// 7. Abort: Interrupt() is called from another thread while a script may be running; make the
//    interpreter stop soon with QelBAbortMessage (a hook, a pending call, an async exception)
//    and keep every later entry failing with it. Return the failure like any runtime error;
//    the engine reports "Script execution has been aborted." whatever the description says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

// The one message every engine stops an aborted script with.
inline constexpr char QelBAbortMessage[] = "Script execution has been aborted.";

// ---------------------------------------------------------------------------------------------
// Values

enum TQelBKind : uint8_t {
  bvEmpty,    // no value (nil, undefined, None for results)
  bvNull,     // the database null
  bvBoolean,
  bvInteger,  // every integer kind up to 64 bits
  bvDouble,   // doubles, singles and currency
  bvString,
  bvDate,     // an OLE date (days since 1899-12-30) in AsDouble
  bvObject,   // a host object, or the nil object (Object() is null)
  bvArray,    // a one-dimensional array of values
  bvOther,    // anything else (errors, multi-dimensional arrays): read it as text
};

struct TQelBObject;  // an IDispatch: opaque to the interpreter side

// A VARIANT-sized value slot. It owns what it holds; moving leaves the source empty. An array
// of TQelBValue is an array of VARIANTs, so argument lists cross without copying.
class TQelBValue {
 public:
  TQelBValue() = default;
  TQelBValue(const TQelBValue&) = delete;
  TQelBValue& operator=(const TQelBValue&) = delete;
  TQelBValue(TQelBValue&& AOther) noexcept { Take(AOther); }
  TQelBValue& operator=(TQelBValue&& AOther) noexcept {
    if (this != &AOther) {
      Clear();
      Take(AOther);
    }
    return *this;
  }
  ~TQelBValue() {
    if (Raw[0] | Raw[1]) Clear();
  }

  // By-reference values are followed.
  TQelBKind Kind() const;
  bool AsBoolean() const;       // any value the host can coerce; false otherwise
  int64_t AsInteger() const;    // idem, 0 otherwise
  double AsDouble() const;      // idem, 0 otherwise
  std::string AsUtf8() const;   // the host's text of any value ("" for Empty, Null, objects)
  void AppendUtf8(std::string& AText) const;
  // The text of a bvString without copying (empty for other kinds).
  std::u16string_view StringView() const;
  TQelBObject* Object() const;  // borrowed; null unless bvObject with an object
  int ArrayCount() const;       // elements of a bvArray, else -1
  bool ArrayGet(int AIndex, TQelBValue& AResult) const;

  void Clear();
  void SetEmpty() { Clear(); }
  void SetNull();
  void SetBoolean(bool AValue);
  void SetInteger(int64_t AValue);  // 32 bits when it fits (what host members expect)
  void SetDouble(double AValue);
  void SetDate(double AOleDate);
  void SetUtf8(std::string_view AText);  // invalid UTF-8 becomes U+FFFD
  void SetUtf16(std::u16string_view AText);
  void SetObject(TQelBObject* AObject);  // adds a reference; null gives the nil object
  void AdoptObject(TQelBObject* AObject);  // takes over the caller's reference
  void SetArray(int ACount);               // AElements empty elements
  bool ArrayPut(int AIndex, TQelBValue&& AValue);
  void CopyFrom(const TQelBValue& AOther);  // a deep copy, references followed

  // The VARIANT itself, for the common part.
  void* Raw16() { return Raw; }
  const void* Raw16() const { return Raw; }

 private:
  void Take(TQelBValue& AOther) {
    for (int i = 0; i < 2; ++i) Raw[i] = std::exchange(AOther.Raw[i], 0);
  }
  uint64_t Raw[2] = {0, 0};
};

// ---------------------------------------------------------------------------------------------
// Host objects

void QelBAddRef(TQelBObject* AObject);
void QelBRelease(TQelBObject* AObject);
// Objects whose names map to the same members share a key for the whole process (the host's
// wrappers of one class); null when the object's names are its own.
const void* QelBClassKey(TQelBObject* AObject);

enum TQelBMemberKind : uint8_t {
  bmMethod,    // call it
  bmProperty,  // read and write it like a field
  bmIndexed,   // a property with indexes: Name[i] reads and writes an element
  bmUnknown,   // the object does not say: QelBReadMember finds out
};

struct TQelBMember {
  int32_t Id = -1;
  TQelBMemberKind Kind = bmUnknown;
};

// The failure of a host call: the host's message (UTF-8) and its HRESULT.
struct TQelBError {
  std::string Message;
  int32_t Code = 0;
};

// The member of that name (the host compares names without regard to case); false when the
// object has none.
bool QelBFindMember(TQelBObject* AObject, std::string_view AName, TQelBMember& AMember);
bool QelBFindMember(TQelBObject* AObject, std::u16string_view AName, TQelBMember& AMember);

enum TQelBCall : uint16_t { bcMethod = 1, bcGet = 2, bcPut = 4, bcPutRef = 8 };

// Calls member AId. AArgs in natural order (a put's value last); AResult null when not wanted.
// False with AError filled when the host fails (its exception's message and code).
bool QelBInvoke(TQelBObject* AObject, int32_t AId, TQelBCall ACall, TQelBValue* AArgs, unsigned AArgCount,
                TQelBValue* AResult, TQelBError& AError);

enum TQelBRead : uint8_t { brValue, brMethod, brIndexed, brFailed };
// What reading member AMember of AObject gives: its value (in AResult), or that it is a method
// or an indexed property (nothing is called). A bmUnknown member is read as a property; a
// member that refuses to be read without arguments is taken for a method.
TQelBRead QelBReadMember(TQelBObject* AObject, const TQelBMember& AMember, TQelBValue& AResult,
                         TQelBError& AError);

// The arguments of one call as host values: a small array in place for the usual few, so a
// call allocates nothing; a bridge fills the slots Resize(n) gives, in order.
class TQelBArgs {
 public:
  TQelBValue* Resize(unsigned ACount) {
    FCount = ACount;
    if (ACount > CSmall) FLarge.resize(ACount);
    return Data();
  }
  TQelBValue* Data() { return FCount > CSmall ? FLarge.data() : FSmall; }
  unsigned Count() const { return FCount; }

 private:
  static constexpr unsigned CSmall = 8;
  TQelBValue FSmall[CSmall];
  std::vector<TQelBValue> FLarge;
  unsigned FCount = 0;
};

// The objects whose members are global names of the script (SCRIPTITEM_GLOBALMEMBERS), in
// registration order, with the answer for each name remembered.
class TQelBGlobalMembers {
 public:
  TQelBGlobalMembers() = default;
  TQelBGlobalMembers(const TQelBGlobalMembers&) = delete;
  TQelBGlobalMembers& operator=(const TQelBGlobalMembers&) = delete;
  ~TQelBGlobalMembers();
  void Add(TQelBObject* AObject);  // adds a reference
  // The first object that has a member of that name; false when none has.
  bool Find(std::string_view AName, TQelBObject*& AObject, TQelBMember& AMember);
  bool Empty() const { return FObjects.empty(); }

 private:
  struct TFound {
    std::string Name;
    size_t Object;  // index into FObjects, or SIZE_MAX when no object has the name
    TQelBMember Member;
  };
  std::vector<TQelBObject*> FObjects;
  std::vector<TFound> FFound;  // few names: a short list beats a map
};

// ---------------------------------------------------------------------------------------------
// The longjmp guard

// Runs ABody, which may throw; returns true when it returned, false with AError filled when it
// threw (a host exception's message, or the C++ exception's). Use it as the only content of a
// C++ body called from an interpreter callback, and raise the interpreter's error afterwards:
//
//   static int Call(lua_State* L) {           // the trampoline: no C++ objects in this frame
//     TQelBError error;
//     const int results = Body(L, error);     // C++ objects live and die in Body
//     if (results < 0) return RaiseLuaError(L, error);   // longjmp from here is safe
//     return results;
//   }
//
// Body itself wraps anything that might throw in QelBGuard.
void QelBCurrentException(TQelBError& AError) noexcept;  // inside a catch block
template <class TBody>
bool QelBGuard(TQelBError& AError, TBody&& ABody) noexcept {
  try {
    ABody();
    return true;
  } catch (...) {
    QelBCurrentException(AError);
    return false;
  }
}

// ---------------------------------------------------------------------------------------------
// The runtime a language supplies

struct TQelBScriptError {
  std::string Description;
  int Line = -1;      // counted from 0, the starting line of the failing text added
  int Position = -1;  // the character in the line, counted from 1; -1 when unknown
  int32_t Code = 0;   // the HRESULT of a host error that left the script, else 0
  bool Aborted = false;
};

enum TQelBGlobalKind : uint8_t { bgNone, bgFunction, bgVariable };

class IQelBRuntime {
 public:
  virtual ~IQelBRuntime() = default;
  // Compiles global code (UTF-8) and keeps it for RunCode; syntax errors are reported here.
  // AStartLine is the number of the text's first line.
  virtual bool AddCode(std::string_view ASource, int AStartLine, TQelBScriptError& AError) = 0;
  // Runs the kept code that has not run yet, in the order it was added.
  virtual bool RunCode(TQelBScriptError& AError) = 0;
  // Compiles and runs AText at once: an expression (its value in AResult) or statements.
  virtual bool Execute(std::string_view AText, int AStartLine, bool AExpression, TQelBValue* AResult,
                       TQelBScriptError& AError) = 0;
  // AArgs of CallGlobal and AValue of WriteGlobal are borrowed: read them, never clear them.
  // A named host object: a global of that name (unless AName is empty), and with
  // AGlobalMembers its members global names too. AObject may be null (the nil object).
  virtual void AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) = 0;
  // The script's own globals, as the host's code object shows them.
  virtual TQelBGlobalKind FindGlobal(std::string_view AName) = 0;
  virtual bool CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,
                          TQelBScriptError& AError) = 0;
  virtual bool ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) = 0;
  virtual bool WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError& AError) = 0;
  // Called from any thread, without the engine's lock: stop a running script soon and make
  // every later entry fail (see point 7 above).
  virtual void Interrupt() = 0;
};

// The runtime interface as each engine's runtime class declares it (one line in the class).
#define QEL_BRIDGE_RUNTIME_OVERRIDES                                                                    \
  bool AddCode(std::string_view ASource, int AStartLine, TQelBScriptError& AError) override;            \
  bool RunCode(TQelBScriptError& AError) override;                                                      \
  bool Execute(std::string_view AText, int AStartLine, bool AExpression, TQelBValue* AResult,           \
               TQelBScriptError& AError) override;                                                      \
  void AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) override;      \
  TQelBGlobalKind FindGlobal(std::string_view AName) override;                                          \
  bool CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,   \
                  TQelBScriptError& AError) override;                                                   \
  bool ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) override;      \
  bool WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError& AError) override; \
  void Interrupt() override

using TQelBRuntimeFactory = IQelBRuntime* (*)();

// Registers the engine under its name (the ProgID the script control asks for). Idempotent.
void QelRegisterScriptEngine(std::u16string_view AEngineName, TQelBRuntimeFactory AFactory);

// ---------------------------------------------------------------------------------------------
// Text helpers shared by the languages

// The line (counted from 0) and character (from 1) of a byte offset into UTF-8 text.
void QelBLineAndPosition(std::string_view AText, size_t AOffset, int& ALine, int& APosition);
// The character position (from 1) of the first non-blank character of line ALine (from 0), or
// 1 when the line is blank or absent: where a statement reported by line only begins.
int QelBLineStart(std::string_view AText, int ALine);
// The UTF-8 form of UTF-16 text, and back.
std::string QelBUtf8(std::u16string_view AText);
std::u16string QelBUtf16(std::string_view AText);
// Calls AFound(word) once for each identifier of AText (a letter or '_', then letters, digits
// and '_') that ASeen does not hold yet, adding it there: how a language that must bind names
// before its code is compiled (Tcl's variables, Perl's subs and variables) finds the names a
// text may use of the global-members objects.
template <class TFound>
void QelBForEachNewWord(std::string_view AText, std::unordered_set<std::string>& ASeen, TFound&& AFound) {
  const auto isStart = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  size_t at = 0;
  while (at < AText.size()) {
    if (!isStart(AText[at])) {
      ++at;
      continue;
    }
    size_t end = at + 1;
    while (end < AText.size() && (isStart(AText[end]) || (AText[end] >= '0' && AText[end] <= '9'))) ++end;
    auto [word, added] = ASeen.emplace(AText.substr(at, end - at));
    at = end;
    if (added) AFound(*word);
  }
}
