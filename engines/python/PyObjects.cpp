// Host objects in Python. Members are looked up once per class (a dictionary per class key:
// name -> identifier * 4 + kind) and called through the bridge.
#include "engines/python/PyObjects.h"

#include <structmember.h>

#include <unordered_map>
#include <vector>

namespace {

struct TPyObject {
  PyObject_HEAD
  TQelBObject* Object;
  PyObject* Members;  // the class's member dictionary (a reference)
  PyObject* Methods;  // this object's bound methods by name, made on first use
};

struct TPyMethod {
  PyObject_HEAD
  TQelBObject* Object;  // a reference
  int32_t Id;
  vectorcallfunc Call;
};

struct TPyIndexer {
  PyObject_HEAD
  TQelBObject* Object;  // a reference
  int32_t Id;
};

PyTypeObject* GObjectType = nullptr;
PyTypeObject* GMethodType = nullptr;
PyTypeObject* GIndexerType = nullptr;
PyObject* GHostError = nullptr;
// Under the GIL: the live Python object of each host object, and each class's members.
std::unordered_map<TQelBObject*, PyObject*> GLive;
std::unordered_map<const void*, PyObject*> GClassMembers;

constexpr int32_t CDefaultMember = 0;

// Arguments as host values.
bool ReadArgs(PyObject* const* AArgs, size_t ACount, TQelBArgs& AValues) {
  TQelBValue* values = AValues.Resize(static_cast<unsigned>(ACount));
  for (size_t i = 0; i < ACount; ++i)
    if (!QelPyToValue(AArgs[i], values[i])) return false;
  return true;
}

PyObject* CallMember(TQelBObject* AObject, int32_t AId, TQelBCall ACall, PyObject* const* AArgs, size_t ACount,
                     bool AWantsResult = true) {
  TQelBArgs args;
  if (!ReadArgs(AArgs, ACount, args)) return nullptr;
  TQelBValue result;
  TQelBError error;
  if (!QelBInvoke(AObject, AId, ACall, args.Data(), args.Count(), AWantsResult ? &result : nullptr, error))
    return QelPyRaise(error);
  if (!AWantsResult) Py_RETURN_NONE;
  return QelPyFromValue(result);
}

PyObject* MethodCall(PyObject* ASelf, PyObject* const* AArgs, size_t ANargs, PyObject* AKwnames) {
  if (AKwnames && PyTuple_GET_SIZE(AKwnames) > 0) {
    PyErr_SetString(PyExc_TypeError, "host methods take no keyword arguments");
    return nullptr;
  }
  auto* self = reinterpret_cast<TPyMethod*>(ASelf);
  return CallMember(self->Object, self->Id, bcMethod, AArgs, PyVectorcall_NARGS(ANargs));
}

PyObject* NewMethod(TQelBObject* AObject, int32_t AId) {
  auto* method = PyObject_New(TPyMethod, GMethodType);
  if (!method) return nullptr;
  QelBAddRef(AObject);
  method->Object = AObject;
  method->Id = AId;
  method->Call = MethodCall;
  return reinterpret_cast<PyObject*>(method);
}

void MethodDealloc(PyObject* ASelf) {
  QelBRelease(reinterpret_cast<TPyMethod*>(ASelf)->Object);
  PyObject_Free(ASelf);
}

PyObject* NewIndexer(TQelBObject* AObject, int32_t AId) {
  auto* indexer = PyObject_New(TPyIndexer, GIndexerType);
  if (!indexer) return nullptr;
  QelBAddRef(AObject);
  indexer->Object = AObject;
  indexer->Id = AId;
  return reinterpret_cast<PyObject*>(indexer);
}

void IndexerDealloc(PyObject* ASelf) {
  QelBRelease(reinterpret_cast<TPyIndexer*>(ASelf)->Object);
  PyObject_Free(ASelf);
}

// A subscript as index arguments: a tuple gives several.
PyObject* Subscript(TQelBObject* AObject, int32_t AId, PyObject* AKey, PyObject* AValue) {
  PyObject* items[8];
  size_t count = 1;
  if (PyTuple_Check(AKey)) {
    count = static_cast<size_t>(PyTuple_GET_SIZE(AKey));
    if (count > 7) {
      PyErr_SetString(PyExc_IndexError, "too many indexes");
      return nullptr;
    }
    for (size_t i = 0; i < count; ++i) items[i] = PyTuple_GET_ITEM(AKey, i);
  } else {
    items[0] = AKey;
  }
  if (!AValue) return CallMember(AObject, AId, bcGet, items, count);
  items[count++] = AValue;
  const auto call = static_cast<TQelBCall>(PyObject_TypeCheck(AValue, GObjectType) ? bcPut | bcPutRef : bcPut);
  return CallMember(AObject, AId, call, items, count, false);
}

PyObject* IndexerGet(PyObject* ASelf, PyObject* AKey) {
  auto* self = reinterpret_cast<TPyIndexer*>(ASelf);
  return Subscript(self->Object, self->Id, AKey, nullptr);
}

int IndexerSet(PyObject* ASelf, PyObject* AKey, PyObject* AValue) {
  auto* self = reinterpret_cast<TPyIndexer*>(ASelf);
  if (!AValue) {
    PyErr_SetString(PyExc_TypeError, "host properties cannot be deleted");
    return -1;
  }
  PyObject* result = Subscript(self->Object, self->Id, AKey, AValue);
  Py_XDECREF(result);
  return result ? 0 : -1;
}

// The member named AName: identifier and kind from the class's dictionary, looked up once.
bool FindMember(TPyObject* ASelf, PyObject* AName, TQelBMember& AMember) {
  PyObject* known = PyDict_GetItemWithError(ASelf->Members, AName);
  if (known) {
    const long packed = PyLong_AsLong(known);
    AMember.Id = static_cast<int32_t>(packed >> 2);
    AMember.Kind = static_cast<TQelBMemberKind>(packed & 3);
    return true;
  }
  if (PyErr_Occurred()) return false;
  Py_ssize_t length = 0;
  const char* name = PyUnicode_AsUTF8AndSize(AName, &length);
  if (!name) return false;
  if (!QelBFindMember(ASelf->Object, std::string_view(name, static_cast<size_t>(length)), AMember)) {
    PyErr_Format(PyExc_AttributeError, "host object has no member '%U'", AName);
    return false;
  }
  if (AMember.Kind != bmUnknown) {
    PyObject* packed = PyLong_FromLong((static_cast<long>(AMember.Id) << 2) | AMember.Kind);
    if (!packed || PyDict_SetItem(ASelf->Members, AName, packed) < 0) {
      Py_XDECREF(packed);
      return false;
    }
    Py_DECREF(packed);
  }
  return true;
}

PyObject* ObjectGetAttr(PyObject* ASelf, PyObject* AName) {
  auto* self = reinterpret_cast<TPyObject*>(ASelf);
  if (PyUnicode_GET_LENGTH(AName) > 1 && PyUnicode_READ_CHAR(AName, 0) == '_' && PyUnicode_READ_CHAR(AName, 1) == '_')
    return PyObject_GenericGetAttr(ASelf, AName);
  TQelBMember member;
  if (!FindMember(self, AName, member)) return nullptr;
  if (member.Kind != bmMethod) return QelPyMemberValue(self->Object, member);
  // A method read again is the same bound method: no allocation per call.
  if (!self->Methods && !(self->Methods = PyDict_New())) return nullptr;
  if (PyObject* known = PyDict_GetItemWithError(self->Methods, AName)) {
    Py_INCREF(known);
    return known;
  }
  PyObject* method = NewMethod(self->Object, member.Id);
  if (method && PyDict_SetItem(self->Methods, AName, method) < 0) Py_CLEAR(method);
  return method;
}

int ObjectSetAttr(PyObject* ASelf, PyObject* AName, PyObject* AValue) {
  auto* self = reinterpret_cast<TPyObject*>(ASelf);
  if (!AValue) {
    PyErr_SetString(PyExc_TypeError, "host members cannot be deleted");
    return -1;
  }
  TQelBMember member;
  if (!FindMember(self, AName, member)) return -1;
  TQelBValue value;
  if (!QelPyToValue(AValue, value)) return -1;
  const auto call = static_cast<TQelBCall>(value.Kind() == bvObject ? bcPut | bcPutRef : bcPut);
  TQelBError error;
  if (QelBInvoke(self->Object, member.Id, call, &value, 1, nullptr, error)) return 0;
  QelPyRaise(error);
  return -1;
}

PyObject* ObjectGetItem(PyObject* ASelf, PyObject* AKey) {
  return Subscript(reinterpret_cast<TPyObject*>(ASelf)->Object, CDefaultMember, AKey, nullptr);
}

int ObjectSetItem(PyObject* ASelf, PyObject* AKey, PyObject* AValue) {
  if (!AValue) {
    PyErr_SetString(PyExc_TypeError, "host elements cannot be deleted");
    return -1;
  }
  PyObject* result = Subscript(reinterpret_cast<TPyObject*>(ASelf)->Object, CDefaultMember, AKey, AValue);
  Py_XDECREF(result);
  return result ? 0 : -1;
}

void ObjectDealloc(PyObject* ASelf) {
  auto* self = reinterpret_cast<TPyObject*>(ASelf);
  GLive.erase(self->Object);
  QelBRelease(self->Object);
  Py_XDECREF(self->Members);
  Py_XDECREF(self->Methods);
  PyObject_Free(ASelf);
}

PyObject* ObjectRepr(PyObject* ASelf) {
  return PyUnicode_FromFormat("<host object at %p>", reinterpret_cast<TPyObject*>(ASelf)->Object);
}

PyType_Slot CObjectSlots[] = {{Py_tp_getattro, reinterpret_cast<void*>(ObjectGetAttr)},
                              {Py_tp_setattro, reinterpret_cast<void*>(ObjectSetAttr)},
                              {Py_mp_subscript, reinterpret_cast<void*>(ObjectGetItem)},
                              {Py_mp_ass_subscript, reinterpret_cast<void*>(ObjectSetItem)},
                              {Py_tp_dealloc, reinterpret_cast<void*>(ObjectDealloc)},
                              {Py_tp_repr, reinterpret_cast<void*>(ObjectRepr)},
                              {0, nullptr}};
PyType_Spec CObjectSpec = {"qel.QelObject", sizeof(TPyObject), 0, Py_TPFLAGS_DEFAULT, CObjectSlots};

PyMemberDef CMethodMembers[] = {
    {"__vectorcalloffset__", T_PYSSIZET, offsetof(TPyMethod, Call), READONLY, nullptr}, {nullptr, 0, 0, 0, nullptr}};
PyType_Slot CMethodSlots[] = {{Py_tp_call, reinterpret_cast<void*>(PyVectorcall_Call)},
                              {Py_tp_dealloc, reinterpret_cast<void*>(MethodDealloc)},
                              {Py_tp_members, CMethodMembers},
                              {0, nullptr}};
PyType_Spec CMethodSpec = {"qel.QelMethod", sizeof(TPyMethod), 0, Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_VECTORCALL,
                           CMethodSlots};

PyType_Slot CIndexerSlots[] = {{Py_mp_subscript, reinterpret_cast<void*>(IndexerGet)},
                               {Py_mp_ass_subscript, reinterpret_cast<void*>(IndexerSet)},
                               {Py_tp_dealloc, reinterpret_cast<void*>(IndexerDealloc)},
                               {0, nullptr}};
PyType_Spec CIndexerSpec = {"qel.QelIndexer", sizeof(TPyIndexer), 0, Py_TPFLAGS_DEFAULT, CIndexerSlots};

}  // namespace

bool QelPyInitObjects() {
  if (GObjectType) return true;
  GObjectType = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&CObjectSpec));
  GMethodType = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&CMethodSpec));
  GIndexerType = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&CIndexerSpec));
  GHostError = PyErr_NewExceptionWithDoc("qel.HostError", "An error raised by the host.", nullptr, nullptr);
  return GObjectType && GMethodType && GIndexerType && GHostError;
}

PyObject* QelPyHostError() { return GHostError; }

PyObject* QelPyWrapObject(TQelBObject* AObject) {
  if (!AObject) Py_RETURN_NONE;
  if (auto live = GLive.find(AObject); live != GLive.end()) {
    Py_INCREF(live->second);
    return live->second;
  }
  PyObject* members;
  const void* key = QelBClassKey(AObject);
  if (auto known = key ? GClassMembers.find(key) : GClassMembers.end(); known != GClassMembers.end()) {
    members = known->second;
    Py_INCREF(members);
  } else {
    members = PyDict_New();
    if (!members) return nullptr;
    if (key) {
      GClassMembers.emplace(key, members);
      Py_INCREF(members);  // the class's entry lives as long as the process
    }
  }
  auto* object = PyObject_New(TPyObject, GObjectType);
  if (!object) {
    Py_DECREF(members);
    return nullptr;
  }
  QelBAddRef(AObject);
  object->Object = AObject;
  object->Members = members;
  object->Methods = nullptr;
  GLive.emplace(AObject, reinterpret_cast<PyObject*>(object));
  return reinterpret_cast<PyObject*>(object);
}

PyObject* QelPyBoundMethod(TQelBObject* AObject, int32_t AId) { return NewMethod(AObject, AId); }

PyObject* QelPyFromValue(const TQelBValue& AValue) {
  switch (AValue.Kind()) {
    case bvEmpty:
    case bvNull:
      Py_RETURN_NONE;
    case bvBoolean:
      return PyBool_FromLong(AValue.AsBoolean());
    case bvInteger:
      return PyLong_FromLongLong(AValue.AsInteger());
    case bvDouble:
    case bvDate:
      return PyFloat_FromDouble(AValue.AsDouble());
    case bvString: {
      const std::u16string_view text = AValue.StringView();
      bool ascii = true;
      for (char16_t c : text)
        if (c >= 0x80) {
          ascii = false;
          break;
        }
      if (!ascii) {
        int order = -1;  // little-endian, as UTF-16 is held here
        return PyUnicode_DecodeUTF16(reinterpret_cast<const char*>(text.data()),
                                     static_cast<Py_ssize_t>(text.size() * 2), "replace", &order);
      }
      PyObject* result = PyUnicode_New(static_cast<Py_ssize_t>(text.size()), 127);
      if (!result) return nullptr;
      Py_UCS1* data = PyUnicode_1BYTE_DATA(result);
      for (size_t i = 0; i < text.size(); ++i) data[i] = static_cast<Py_UCS1>(text[i]);
      return result;
    }
    case bvObject:
      return QelPyWrapObject(AValue.Object());
    case bvArray: {
      const int count = AValue.ArrayCount();
      PyObject* list = PyList_New(count);
      if (!list) return nullptr;
      TQelBValue element;
      for (int i = 0; i < count; ++i) {
        AValue.ArrayGet(i, element);
        PyObject* item = QelPyFromValue(element);
        if (!item) {
          Py_DECREF(list);
          return nullptr;
        }
        PyList_SET_ITEM(list, i, item);
      }
      return list;
    }
    case bvOther: {
      const std::string text = AValue.AsUtf8();
      return PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
    }
  }
  Py_RETURN_NONE;
}

bool QelPyToValue(PyObject* AObject, TQelBValue& AValue) {
  if (AObject == Py_None) {
    AValue.SetEmpty();
  } else if (PyBool_Check(AObject)) {
    AValue.SetBoolean(AObject == Py_True);
  } else if (PyLong_Check(AObject)) {
    int overflow = 0;
    const long long value = PyLong_AsLongLongAndOverflow(AObject, &overflow);
    if (overflow) {
      const double wide = PyLong_AsDouble(AObject);
      if (wide == -1.0 && PyErr_Occurred()) return false;
      AValue.SetDouble(wide);
    } else {
      AValue.SetInteger(value);
    }
  } else if (PyFloat_Check(AObject)) {
    AValue.SetDouble(PyFloat_AS_DOUBLE(AObject));
  } else if (PyUnicode_Check(AObject)) {
    Py_ssize_t length = 0;
    const char* text = PyUnicode_AsUTF8AndSize(AObject, &length);
    if (!text) return false;
    AValue.SetUtf8(std::string_view(text, static_cast<size_t>(length)));
  } else if (PyObject_TypeCheck(AObject, GObjectType)) {
    AValue.SetObject(reinterpret_cast<TPyObject*>(AObject)->Object);
  } else if (PyList_Check(AObject) || PyTuple_Check(AObject)) {
    PyObject* items = PySequence_Fast(AObject, "");
    if (!items) return false;
    const Py_ssize_t count = PySequence_Fast_GET_SIZE(items);
    AValue.SetArray(static_cast<int>(count));
    for (Py_ssize_t i = 0; i < count; ++i) {
      TQelBValue element;
      if (!QelPyToValue(PySequence_Fast_GET_ITEM(items, i), element)) {
        Py_DECREF(items);
        return false;
      }
      AValue.ArrayPut(static_cast<int>(i), std::move(element));
    }
    Py_DECREF(items);
  } else {
    PyErr_Format(PyExc_TypeError, "a %.100s value cannot be passed to the host", Py_TYPE(AObject)->tp_name);
    return false;
  }
  return true;
}

PyObject* QelPyMemberValue(TQelBObject* AObject, const TQelBMember& AMember) {
  TQelBValue value;
  TQelBError error;
  switch (QelBReadMember(AObject, AMember, value, error)) {
    case brValue: return QelPyFromValue(value);
    case brMethod: return NewMethod(AObject, AMember.Id);
    case brIndexed: return NewIndexer(AObject, AMember.Id);
    case brFailed: break;
  }
  return QelPyRaise(error);
}

PyObject* QelPyRaise(const TQelBError& AError) {
  PyObject* message = PyUnicode_DecodeUTF8(AError.Message.data(), static_cast<Py_ssize_t>(AError.Message.size()),
                                           "replace");
  if (!message) return nullptr;
  PyObject* error = PyObject_CallOneArg(GHostError, message);
  Py_DECREF(message);
  if (!error) return nullptr;
  PyObject* code = PyLong_FromLong(AError.Code);
  if (code) {
    PyObject_SetAttrString(error, "code", code);
    Py_DECREF(code);
  }
  PyErr_SetObject(GHostError, error);
  Py_DECREF(error);
  return nullptr;
}
