// TStringList for CPython: a static extension type in the built-in module
// `qelhost`, registered before the interpreter starts. Host exceptions become
// qelhost.HostError; nothing from C++ crosses back into the interpreter.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <climits>
#include <cstdio>

#include "bench/embed/EmbedHost.h"

namespace qelembed {

namespace {

struct ListObject {
  PyObject_HEAD
  TStringList* list;
};

// The C idiom for a static type: the header initialised, the slots filled in
// by InitHostModule (C++ has no designated initialisers out of order).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
PyTypeObject gListType = {PyVarObject_HEAD_INIT(nullptr, 0)};
#pragma GCC diagnostic pop
// Our own reference, so a script deleting the module attribute cannot leave a
// dangling pointer; released with the module, as holding it past the
// interpreter's end keeps the exception class and what it refers to alive.
PyObject* gHostError = nullptr;

PyObject* RaiseHostError() {
  PyErr_SetString(gHostError ? gHostError : PyExc_RuntimeError, LastHostError());
  return nullptr;
}

void FreeHostModule(void*) { Py_CLEAR(gHostError); }

TStringList* CheckList(PyObject* ASelf) {
  TStringList* list = reinterpret_cast<ListObject*>(ASelf)->list;
  if (!list) PyErr_SetString(PyExc_ValueError, "TStringList used after Free");
  return list;
}

bool ToIndex(PyObject* AValue, int& AIndex) {
  long value = PyLong_AsLong(AValue);
  if (value == -1 && PyErr_Occurred()) return false;
  if (value < INT_MIN || value > INT_MAX) {
    PyErr_SetString(PyExc_IndexError, "index out of range");
    return false;
  }
  AIndex = static_cast<int>(value);
  return true;
}

// The UTF-8 form is cached inside the str object, so repeated texts cost no
// re-encoding; strings with lone surrogates fail here with UnicodeEncodeError.
const char* ToUtf8(PyObject* AValue, Py_ssize_t& ALength) {
  if (!PyUnicode_Check(AValue)) {
    PyErr_Format(PyExc_TypeError, "str expected, got %.100s", Py_TYPE(AValue)->tp_name);
    return nullptr;
  }
  return PyUnicode_AsUTF8AndSize(AValue, &ALength);
}

std::string_view View(const char* AText, Py_ssize_t ALength) {
  return {AText, static_cast<size_t>(ALength)};
}

PyObject* ListNew(PyTypeObject* AType, PyObject* AArgs, PyObject* AKeywords) {
  static const char* keywords[] = {nullptr};
  if (!PyArg_ParseTupleAndKeywords(AArgs, AKeywords, ":TStringList", const_cast<char**>(keywords))) return nullptr;
  PyObject* self = AType->tp_alloc(AType, 0);
  if (!self) return nullptr;
  auto* object = reinterpret_cast<ListObject*>(self);
  object->list = nullptr;
  if (!GuardHost([&] { object->list = new TStringList; })) {
    Py_DECREF(self);
    return RaiseHostError();
  }
  return self;
}

void ListDealloc(PyObject* ASelf) {
  TStringList* list = reinterpret_cast<ListObject*>(ASelf)->list;
  if (list) GuardHost([&] { list->Free(); });
  Py_TYPE(ASelf)->tp_free(ASelf);
}

PyObject* ListAdd(PyObject* ASelf, PyObject* AText) {
  TStringList* list = CheckList(ASelf);
  Py_ssize_t length = 0;
  const char* text = list ? ToUtf8(AText, length) : nullptr;
  if (!text) return nullptr;
  int index = 0;
  if (!GuardHost([&] { index = list->Add(Utf8ToString(View(text, length))); })) return RaiseHostError();
  return PyLong_FromLong(index);
}

PyObject* ListCount(PyObject* ASelf, PyObject*) {
  TStringList* list = CheckList(ASelf);
  return list ? PyLong_FromLong(list->GetCount()) : nullptr;
}

PyObject* ListGet(PyObject* ASelf, PyObject* AIndex) {
  TStringList* list = CheckList(ASelf);
  int index = 0;
  if (!list || !ToIndex(AIndex, index)) return nullptr;
  PyObject* result = nullptr;
  if (!GuardHost([&] {
        std::string text = StringToUtf8(list->GetStrings(index));
        result = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
      }))
    return RaiseHostError();
  return result;
}

PyObject* ListPut(PyObject* ASelf, PyObject* const* AArgs, Py_ssize_t ACount) {
  if (ACount != 2) {
    PyErr_Format(PyExc_TypeError, "Put() takes 2 arguments (index, text), %zd given", ACount);
    return nullptr;
  }
  TStringList* list = CheckList(ASelf);
  int index = 0;
  Py_ssize_t length = 0;
  if (!list || !ToIndex(AArgs[0], index)) return nullptr;
  const char* text = ToUtf8(AArgs[1], length);
  if (!text) return nullptr;
  if (!GuardHost([&] { list->SetStrings(index, Utf8ToString(View(text, length))); })) return RaiseHostError();
  Py_RETURN_NONE;
}

// Clears the pointer first so a second Free and the deallocator are harmless.
PyObject* ListFree(PyObject* ASelf, PyObject*) {
  auto* object = reinterpret_cast<ListObject*>(ASelf);
  TStringList* list = object->list;
  object->list = nullptr;
  if (list && !GuardHost([&] { list->Free(); })) return RaiseHostError();
  Py_RETURN_NONE;
}

PyMethodDef gListMethods[] = {
    {"Add", ListAdd, METH_O, "Add(text) -> index"},
    {"Count", ListCount, METH_NOARGS, "Count() -> number of lines"},
    {"Get", ListGet, METH_O, "Get(index) -> text"},
    {"Put", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(ListPut)), METH_FASTCALL,
     "Put(index, text)"},
    {"Free", ListFree, METH_NOARGS, "Free() destroys the host list"},
    {nullptr, nullptr, 0, nullptr}};

PyModuleDef gModule = {PyModuleDef_HEAD_INIT, "qelhost", "Host classes of the embedding harness.", -1,
                       nullptr, nullptr, nullptr, nullptr, FreeHostModule};

PyObject* InitHostModule() {
  gListType.tp_name = "qelhost.TStringList";
  gListType.tp_basicsize = sizeof(ListObject);
  gListType.tp_flags = Py_TPFLAGS_DEFAULT;
  gListType.tp_doc = "The host's string list.";
  gListType.tp_new = ListNew;
  gListType.tp_dealloc = ListDealloc;
  gListType.tp_methods = gListMethods;
  if (PyType_Ready(&gListType) < 0) return nullptr;
  PyObject* module = PyModule_Create(&gModule);
  if (!module) return nullptr;
  if (!gHostError) gHostError = PyErr_NewException("qelhost.HostError", nullptr, nullptr);
  if (!gHostError || PyModule_AddObjectRef(module, "HostError", gHostError) < 0 ||
      PyModule_AddObjectRef(module, "TStringList", reinterpret_cast<PyObject*>(&gListType)) < 0) {
    Py_DECREF(module);
    return nullptr;
  }
  return module;
}

}  // namespace

int RunPython(const char* AProgram, const char* APath) {
  if (PyImport_AppendInittab("qelhost", InitHostModule) < 0) {
    std::fprintf(stderr, "%s: cannot register module qelhost\n", AProgram);
    return 1;
  }
  PyConfig config;
  PyConfig_InitPythonConfig(&config);
  // The script path is taken as given, never parsed as interpreter options.
  config.parse_argv = 0;
  char* argv[] = {const_cast<char*>(APath)};
  PyStatus status = PyConfig_SetBytesArgv(&config, 1, argv);
  if (!PyStatus_Exception(status)) status = PyConfig_SetBytesString(&config, &config.run_filename, APath);
  if (!PyStatus_Exception(status)) status = Py_InitializeFromConfig(&config);
  PyConfig_Clear(&config);
  if (PyStatus_Exception(status)) {
    std::fprintf(stderr, "%s: %s\n", AProgram, status.err_msg ? status.err_msg : "cannot start Python");
    return 1;
  }
  return Py_RunMain();
}

}  // namespace qelembed
