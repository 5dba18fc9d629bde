// The Python engine: one CPython interpreter for the process, a module namespace of its own for
// each engine, and the GIL taken around every entry.
//
// The module namespace is a dictionary whose __missing__ answers the names the script does not
// define: the engine's own copy of the builtins (with the named objects), then the members of
// global-members objects, read when the script reads them (a property the host changes is seen
// at once). A script assigns such a name as a module global (`global Named`); after every entry
// the assigned values of host properties (the named values among them) are written back to the
// host and the names given back to it.
#include <atomic>
#include <map>
#include <mutex>
#include <algorithm>
#include <string>
#include <vector>

#include "engines/python/PyEngine.h"
#include "engines/python/PyObjects.h"

namespace {

constexpr char CScriptFile[] = "script";
constexpr char CEvalFile[] = "eval";

class TGil {
 public:
  TGil() : FState(PyGILState_Ensure()) {}
  ~TGil() { PyGILState_Release(FState); }
  TGil(const TGil&) = delete;
  TGil& operator=(const TGil&) = delete;

 private:
  PyGILState_STATE FState;
};

PyObject* GAbortError = nullptr;  // raised into a thread to stop its script
PyTypeObject* GModuleDictType = nullptr;

class TPyRuntime;

// A module namespace: a dictionary that asks its engine for the names it lacks.
struct TModuleDict {
  PyDictObject Dict;
  TPyRuntime* Runtime;
};

PyObject* ModuleDictMissing(PyObject* ASelf, PyObject* AKey);

PyMethodDef CModuleDictMethods[] = {{"__missing__", ModuleDictMissing, METH_O, nullptr},
                                    {nullptr, nullptr, 0, nullptr}};
PyType_Slot CModuleDictSlots[] = {{Py_tp_methods, CModuleDictMethods}, {0, nullptr}};
PyType_Spec CModuleDictSpec = {"qel.ModuleDict", sizeof(TModuleDict), 0, Py_TPFLAGS_DEFAULT, CModuleDictSlots};

bool InitTypes() {
  GAbortError = PyErr_NewException("qel.ScriptAborted", PyExc_BaseException, nullptr);
  GModuleDictType = reinterpret_cast<PyTypeObject*>(
      PyType_FromSpecWithBases(&CModuleDictSpec, reinterpret_cast<PyObject*>(&PyDict_Type)));
  return QelPyInitObjects() && GAbortError && GModuleDictType;
}

bool StartPython() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    if (!Py_IsInitialized()) {
      PyConfig config;
      PyConfig_InitPythonConfig(&config);
      config.install_signal_handlers = 0;
      config.parse_argv = 0;
      config.buffered_stdio = 0;  // print and the host's output keep their order
      const PyStatus status = Py_InitializeFromConfig(&config);
      PyConfig_Clear(&config);
      if (PyStatus_Exception(status)) return;
      started = InitTypes();
      PyEval_SaveThread();  // every entry takes the GIL for itself
    } else {
      TGil gil;
      started = InitTypes();
    }
  });
  return started;
}

class TPyRuntime final : public IQelBRuntime {
 public:
  TPyRuntime();
  ~TPyRuntime() override;
  bool Ready() const { return FGlobals && FBuiltins; }

  QEL_BRIDGE_RUNTIME_OVERRIDES;

 private:
  struct TSource {
    std::string Text;
    int StartLine = 0;
  };
  struct TSynced {
    PyObject* Name;  // a reference
    TQelBObject* Object;
    int32_t Id;
  };
  class TEntry;

  PyObject* Compile(const std::string& AText, const char* AFile, int AMode, int AStartLine, TQelBScriptError& AError);
public:
  // The module dictionary's __missing__: a new reference, or null with KeyError set.
  PyObject* Missing(PyObject* AKey);

 private:
  bool SyncOut(TQelBScriptError& AError);
  bool Failed(TQelBScriptError& AError);
  bool Aborted(TQelBScriptError& AError);

  PyObject* FGlobals = nullptr;   // the module namespace
  PyObject* FBuiltins = nullptr;  // this engine's builtins: the host's names
  std::vector<PyObject*> FPending;  // compiled global code not run yet
  std::map<std::string, TSource> FSources;  // by file name: for error positions
  std::vector<TSynced> FSynced;  // host properties the script has read as globals
  TQelBGlobalMembers FGlobalMembers;
  std::atomic<bool> FAborted{false};
  std::atomic<unsigned long> FRunningThread{0};
  int FDepth = 0;
};

// One entry into the script: the GIL, the host's properties copied in and written back.
class TPyRuntime::TEntry {
 public:
  explicit TEntry(TPyRuntime& ARuntime) : FRuntime(ARuntime) {
    if (FRuntime.FDepth++ == 0) FRuntime.FRunningThread = PyThread_get_thread_ident();
  }
  ~TEntry() {
    if (--FRuntime.FDepth == 0) FRuntime.FRunningThread = 0;
  }
  TEntry(const TEntry&) = delete;
  TEntry& operator=(const TEntry&) = delete;

 private:
  TGil FGil;
  TPyRuntime& FRuntime;
};

TPyRuntime::TPyRuntime() {
  if (!StartPython()) return;
  TGil gil;
  FGlobals = PyObject_CallNoArgs(reinterpret_cast<PyObject*>(GModuleDictType));
  if (FGlobals) reinterpret_cast<TModuleDict*>(FGlobals)->Runtime = this;
  PyObject* builtins = PyEval_GetBuiltins();  // borrowed: the interpreter's
  FBuiltins = builtins ? PyDict_Copy(builtins) : nullptr;
  if (!FGlobals || !FBuiltins || PyDict_SetItemString(FGlobals, "__builtins__", FBuiltins) < 0 ||
      PyDict_SetItemString(FGlobals, "__name__", PyUnicode_FromString("__main__")) < 0 ||
      PyDict_SetItemString(FBuiltins, "HostError", QelPyHostError()) < 0) {
    PyErr_Clear();
    Py_CLEAR(FGlobals);
    Py_CLEAR(FBuiltins);
  }
}

TPyRuntime::~TPyRuntime() {
  if (!Py_IsInitialized()) return;
  TGil gil;
  for (PyObject* code : FPending) Py_DECREF(code);
  for (TSynced& synced : FSynced) Py_DECREF(synced.Name);
  // Functions refer to their module namespace, which refers to them: break the cycle.
  if (FGlobals) {
    reinterpret_cast<TModuleDict*>(FGlobals)->Runtime = nullptr;
    PyDict_Clear(FGlobals);
  }
  if (FBuiltins) PyDict_Clear(FBuiltins);
  Py_XDECREF(FGlobals);
  Py_XDECREF(FBuiltins);
}

void TPyRuntime::Interrupt() {
  FAborted = true;
  const unsigned long thread = FRunningThread;
  if (!thread) return;
  TGil gil;  // granted when the running script next lets the GIL go
  PyThreadState_SetAsyncExc(thread, GAbortError);
}

bool TPyRuntime::Aborted(TQelBScriptError& AError) {
  if (!FAborted) return false;
  AError.Description = QelBAbortMessage;
  AError.Aborted = true;
  return true;
}

PyObject* TPyRuntime::Compile(const std::string& AText, const char* AFile, int AMode, int AStartLine,
                              TQelBScriptError& AError) {
  FSources[AFile] = {AText, AStartLine};
  PyObject* code = Py_CompileStringExFlags(AText.c_str(), AFile, AMode, nullptr, -1);
  if (!code) Failed(AError);
  return code;
}

PyObject* TPyRuntime::Missing(PyObject* AKey) {
  if (PyObject* value = PyDict_GetItemWithError(FBuiltins, AKey)) {
    // Kept in the namespace too, so the next lookup is a plain dictionary hit (FindGlobal does
    // not count such aliases as the script's own).
    if (PyDict_SetItem(FGlobals, AKey, value) < 0) return nullptr;
    Py_INCREF(value);
    return value;
  }
  if (PyErr_Occurred()) return nullptr;
  TQelBObject* object = nullptr;
  TQelBMember member;
  const char* name = PyUnicode_Check(AKey) ? PyUnicode_AsUTF8(AKey) : nullptr;
  if (!name || !FGlobalMembers.Find(name, object, member)) {
    PyErr_Clear();
    PyErr_SetObject(PyExc_KeyError, AKey);
    return nullptr;
  }
  if (member.Kind == bmMethod) {
    PyObject* method = QelPyBoundMethod(object, member.Id);
    if (method && PyDict_SetItem(FBuiltins, AKey, method) < 0) Py_CLEAR(method);
    return method;
  }
  const bool known = std::any_of(FSynced.begin(), FSynced.end(), [&](const TSynced& S) {
    return PyUnicode_Compare(S.Name, AKey) == 0;
  });
  if (!known) {
    Py_INCREF(AKey);
    FSynced.push_back({AKey, object, member.Id});
  }
  return QelPyMemberValue(object, member);
}

bool TPyRuntime::SyncOut(TQelBScriptError& AError) {
  for (const TSynced& synced : FSynced) {
    PyObject* value = PyDict_GetItemWithError(FGlobals, synced.Name);
    // A function of that name is the script's own (def Sorted must not write a list's Sorted).
    if (!value || PyCallable_Check(value)) continue;
    Py_INCREF(value);
    TQelBValue hostValue;
    TQelBError error;
    const bool written = QelPyToValue(value, hostValue) &&
                         (QelBInvoke(synced.Object, synced.Id, bcPut, &hostValue, 1, nullptr, error) ||
                          (QelPyRaise(error), false));
    if (written) PyDict_DelItem(FGlobals, synced.Name);
    Py_DECREF(value);
    if (!written) return Failed(AError);
  }
  return true;
}

// The Python error in flight as a script error: its text, line and column.
bool TPyRuntime::Failed(TQelBScriptError& AError) {
  PyObject *type = nullptr, *value = nullptr, *traceback = nullptr;
  PyErr_Fetch(&type, &value, &traceback);
  PyErr_NormalizeException(&type, &value, &traceback);
  if (!type) {
    AError.Description = "unknown error";
    return false;
  }
  if (GAbortError && PyErr_GivenExceptionMatches(type, GAbortError)) FAborted = true;
  std::string file;
  int line = -1, column = -1;  // line from 1, column as a byte offset from 0
  if (PyErr_GivenExceptionMatches(type, PyExc_SyntaxError)) {
    PyObject* message = PyObject_GetAttrString(value, "msg");
    PyObject* lineNo = PyObject_GetAttrString(value, "lineno");
    PyObject* offset = PyObject_GetAttrString(value, "offset");
    PyObject* filename = PyObject_GetAttrString(value, "filename");
    if (message && PyUnicode_Check(message)) AError.Description = PyUnicode_AsUTF8(message);
    if (lineNo && PyLong_Check(lineNo)) line = static_cast<int>(PyLong_AsLong(lineNo));
    if (offset && PyLong_Check(offset)) column = static_cast<int>(PyLong_AsLong(offset)) - 1;
    if (filename && PyUnicode_Check(filename)) file = PyUnicode_AsUTF8(filename);
    Py_XDECREF(message);
    Py_XDECREF(lineNo);
    Py_XDECREF(offset);
    Py_XDECREF(filename);
    // Offsets of syntax errors count characters.
    if (column >= 0) column = -column - 2;
  } else {
    PyObject* text = value ? PyObject_Str(value) : nullptr;
    const char* message = text ? PyUnicode_AsUTF8(text) : nullptr;
    const bool hostError = PyErr_GivenExceptionMatches(type, QelPyHostError());
    AError.Description = hostError ? "" : std::string(reinterpret_cast<PyTypeObject*>(type)->tp_name);
    if (message && *message) AError.Description += (hostError ? "" : ": ") + std::string(message);
    Py_XDECREF(text);
    if (hostError) {
      if (PyObject* code = PyObject_GetAttrString(value, "code")) {
        AError.Code = static_cast<int32_t>(PyLong_AsLong(code));
        Py_DECREF(code);
      }
    }
    // The innermost frame of the script's own code.
    for (auto* tb = reinterpret_cast<PyTracebackObject*>(traceback); tb; tb = tb->tb_next) {
      PyCodeObject* code = PyFrame_GetCode(tb->tb_frame);
      const char* name = PyUnicode_AsUTF8(code->co_filename);
      if (name && FSources.count(name)) {
        file = name;
        int endLine = 0, endColumn = 0;
        if (!PyCode_Addr2Location(code, tb->tb_lasti, &line, &column, &endLine, &endColumn)) {
          line = tb->tb_lineno;
          column = -1;
        }
      }
      Py_DECREF(code);
    }
  }
  PyErr_Clear();
  Py_XDECREF(type);
  Py_XDECREF(value);
  Py_XDECREF(traceback);
  if (FAborted) {
    Aborted(AError);
    return false;
  }
  auto source = FSources.find(file);
  if (source == FSources.end() || line < 1) return false;
  AError.Line = source->second.StartLine + line - 1;
  if (column <= -2) {
    AError.Position = -column - 1;  // characters, from 1
  } else if (column >= 0) {
    size_t at = 0;
    for (int i = 1; i < line && at != std::string::npos; ++i) {
      at = source->second.Text.find('\n', at);
      if (at != std::string::npos) ++at;
    }
    int l = 0;
    if (at != std::string::npos) QelBLineAndPosition(source->second.Text, at + static_cast<size_t>(column), l,
                                                     AError.Position);
    if (l != line - 1) AError.Position = QelBLineStart(source->second.Text, line - 1);
  } else {
    AError.Position = QelBLineStart(source->second.Text, line - 1);
  }
  return false;
}

bool TPyRuntime::AddCode(std::string_view ASource, int AStartLine, TQelBScriptError& AError) {
  TEntry entry(*this);
  PyObject* code = Compile(std::string(ASource), CScriptFile, Py_file_input, AStartLine, AError);
  if (!code) return false;
  FPending.push_back(code);
  return true;
}

bool TPyRuntime::RunCode(TQelBScriptError& AError) {
  TEntry entry(*this);
  if (Aborted(AError)) return false;
  bool ran = true;
  while (ran && !FPending.empty()) {
    PyObject* code = FPending.front();
    FPending.erase(FPending.begin());
    PyObject* result = PyEval_EvalCode(code, FGlobals, FGlobals);
    Py_DECREF(code);
    if (!result) ran = Failed(AError);
    Py_XDECREF(result);
  }
  TQelBScriptError syncError;
  return SyncOut(ran ? AError : syncError) && ran;
}

bool TPyRuntime::Execute(std::string_view AText, int AStartLine, bool AExpression, TQelBValue* AResult,
                         TQelBScriptError& AError) {
  TEntry entry(*this);
  if (Aborted(AError)) return false;
  PyObject* code = Compile(std::string(AText), CEvalFile, AExpression ? Py_eval_input : Py_file_input, AStartLine,
                           AError);
  if (!code) return false;
  PyObject* result = PyEval_EvalCode(code, FGlobals, FGlobals);
  Py_DECREF(code);
  bool done = result != nullptr;
  if (done && AResult && !QelPyToValue(result, *AResult)) {
    PyErr_Clear();
    AResult->SetEmpty();
  }
  Py_XDECREF(result);
  if (!done) Failed(AError);
  TQelBScriptError syncError;
  if (!SyncOut(done ? AError : syncError)) return false;
  return done;
}

void TPyRuntime::AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) {
  TGil gil;
  if (!AName.empty()) {
    PyObject* object = QelPyWrapObject(AObject);
    PyObject* key = PyUnicode_FromStringAndSize(AName.data(), static_cast<Py_ssize_t>(AName.size()));
    if (object && key) PyDict_SetItem(FBuiltins, key, object);
    Py_XDECREF(object);
    Py_XDECREF(key);
    PyErr_Clear();
  }
  if (AGlobalMembers) FGlobalMembers.Add(AObject);
}

TQelBGlobalKind TPyRuntime::FindGlobal(std::string_view AName) {
  TGil gil;
  PyObject* key = PyUnicode_FromStringAndSize(AName.data(), static_cast<Py_ssize_t>(AName.size()));
  PyObject* value = key ? PyDict_GetItemWithError(FGlobals, key) : nullptr;
  const bool alias = value && value == PyDict_GetItemWithError(FBuiltins, key);
  Py_XDECREF(key);
  PyErr_Clear();
  if (!value || alias || AName.rfind("__", 0) == 0) return bgNone;
  return PyCallable_Check(value) ? bgFunction : bgVariable;
}

bool TPyRuntime::CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,
                            TQelBScriptError& AError) {
  TEntry entry(*this);
  if (Aborted(AError)) return false;
  const std::string name(AName);
  PyObject* function = PyDict_GetItemString(FGlobals, name.c_str());
  if (!function) {
    AError.Description = "name '" + name + "' is not defined";
    return false;
  }
  Py_INCREF(function);
  PyObject* args = PyTuple_New(AArgCount);
  bool done = args != nullptr;
  for (unsigned i = 0; done && i < AArgCount; ++i) {
    PyObject* arg = QelPyFromValue(AArgs[i]);
    if (arg)
      PyTuple_SET_ITEM(args, i, arg);
    else
      done = false;
  }
  PyObject* result = done ? PyObject_Call(function, args, nullptr) : nullptr;
  Py_DECREF(function);
  Py_XDECREF(args);
  if (done && !result) done = Failed(AError);
  if (done && AResult && !QelPyToValue(result, *AResult)) {
    PyErr_Clear();
    AResult->SetEmpty();
  }
  Py_XDECREF(result);
  TQelBScriptError syncError;
  if (!SyncOut(done ? AError : syncError)) return false;
  return done;
}

bool TPyRuntime::ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) {
  TGil gil;
  const std::string name(AName);
  PyObject* value = PyDict_GetItemString(FGlobals, name.c_str());
  if (value && QelPyToValue(value, AResult)) return true;
  if (value) return Failed(AError);
  AResult.SetEmpty();
  return true;
}

bool TPyRuntime::WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError& AError) {
  TGil gil;
  const std::string name(AName);
  PyObject* value = QelPyFromValue(AValue);
  if (!value || PyDict_SetItemString(FGlobals, name.c_str(), value) < 0) {
    Py_XDECREF(value);
    return Failed(AError);
  }
  Py_DECREF(value);
  return true;
}

PyObject* ModuleDictMissing(PyObject* ASelf, PyObject* AKey) {
  TPyRuntime* runtime = reinterpret_cast<TModuleDict*>(ASelf)->Runtime;
  if (runtime) return runtime->Missing(AKey);
  PyErr_SetObject(PyExc_KeyError, AKey);
  return nullptr;
}

IQelBRuntime* NewPyRuntime() {
  auto* runtime = new TPyRuntime;
  if (runtime->Ready()) return runtime;
  delete runtime;
  return nullptr;
}

}  // namespace

void QelRegisterPythonEngine() { QelRegisterScriptEngine(u"Python", NewPyRuntime); }
