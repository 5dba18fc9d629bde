// Host objects in Tcl: handle commands, member calls and value conversion.
#include "engines/tcl/TclObjects.h"

#include <cstring>
#include <vector>

namespace {

constexpr char CHandlePrefix[] = "qelobj";
constexpr size_t CHandlePrefixLength = sizeof(CHandlePrefix) - 1;
constexpr int32_t CDefaultMember = 0;

bool IsAscii(const char* AText, size_t ALength) {
  for (size_t i = 0; i < ALength; ++i)
    if (static_cast<unsigned char>(AText[i]) >= 0x80) return false;
  return true;
}

Tcl_Encoding Utf8Encoding() {
  static Tcl_Encoding encoding = Tcl_GetEncoding(nullptr, "utf-8");
  return encoding;
}

// Word AIndex is an integer (the index of a default property), not a member name.
bool IsIndex(Tcl_Obj* AWord) {
  int length = 0;
  const char* text = Tcl_GetStringFromObj(AWord, &length);
  if (length == 0) return false;
  const int first = text[0] == '-' ? 1 : 0;
  if (first >= length) return false;
  for (int i = first; i < length; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

struct TObjTypes {
  const Tcl_ObjType* Int = Tcl_GetObjType("int");
  const Tcl_ObjType* WideInt = Tcl_GetObjType("wideInt");
  const Tcl_ObjType* Double = Tcl_GetObjType("double");
  const Tcl_ObjType* Boolean = Tcl_GetObjType("boolean");
};

const TObjTypes& ObjTypes() {
  static const TObjTypes types;
  return types;
}

}  // namespace

std::string QelTclUtf8(const char* AText, int ALength) {
  if (IsAscii(AText, static_cast<size_t>(ALength))) return std::string(AText, static_cast<size_t>(ALength));
  Tcl_DString text;
  Tcl_UtfToExternalDString(Utf8Encoding(), AText, ALength, &text);
  std::string result(Tcl_DStringValue(&text), static_cast<size_t>(Tcl_DStringLength(&text)));
  Tcl_DStringFree(&text);
  return result;
}

Tcl_Obj* QelTclNewString(std::string_view AUtf8) {
  const int length = static_cast<int>(AUtf8.size());
  if (IsAscii(AUtf8.data(), AUtf8.size())) return Tcl_NewStringObj(AUtf8.data(), length);
  Tcl_DString text;
  Tcl_ExternalToUtfDString(Utf8Encoding(), AUtf8.data(), length, &text);
  Tcl_Obj* result = Tcl_NewStringObj(Tcl_DStringValue(&text), Tcl_DStringLength(&text));
  Tcl_DStringFree(&text);
  return result;
}

TTclObjects::TTclObjects(Tcl_Interp* AInterp) : FInterp(AInterp) {}

TTclObjects::~TTclObjects() {
  for (TEntry& entry : FEntries) QelBRelease(std::exchange(entry.Object, nullptr));
}

TTclObjects::TEntry& TTclObjects::EntryOf(TQelBObject* AObject, size_t& AIndex) {
  auto found = FIndex.find(AObject);
  if (found != FIndex.end()) {
    AIndex = found->second;
    return FEntries[AIndex];
  }
  TMemberCache* members;
  if (const void* key = QelBClassKey(AObject)) {
    auto& cache = FClassMembers[key];
    if (!cache) cache = std::make_unique<TMemberCache>();
    members = cache.get();
  } else {
    members = &FOwnMembers.emplace_back();
  }
  QelBAddRef(AObject);
  AIndex = FEntries.size();
  FEntries.push_back({this, AObject, members});
  FIndex.emplace(AObject, AIndex);
  const std::string name = CHandlePrefix + std::to_string(AIndex);
  Tcl_CreateObjCommand(FInterp, name.c_str(), ObjectCommand, &FEntries.back(), nullptr);
  return FEntries.back();
}

Tcl_Obj* TTclObjects::Handle(TQelBObject* AObject) {
  if (!AObject) return Tcl_NewObj();
  size_t index = 0;
  EntryOf(AObject, index);
  char name[32];
  std::memcpy(name, CHandlePrefix, CHandlePrefixLength);
  const std::string number = std::to_string(index);
  std::memcpy(name + CHandlePrefixLength, number.data(), number.size());
  return Tcl_NewStringObj(name, static_cast<int>(CHandlePrefixLength + number.size()));
}

TQelBObject* TTclObjects::FromHandle(Tcl_Obj* AValue) {
  int length = 0;
  const char* text = Tcl_GetStringFromObj(AValue, &length);
  if (static_cast<size_t>(length) <= CHandlePrefixLength || std::memcmp(text, CHandlePrefix, CHandlePrefixLength) != 0)
    return nullptr;
  size_t index = 0;
  for (int i = CHandlePrefixLength; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9' || index > FEntries.size()) return nullptr;
    index = index * 10 + static_cast<size_t>(text[i] - '0');
  }
  return index < FEntries.size() ? FEntries[index].Object : nullptr;
}

void TTclObjects::AddNamed(std::string_view AName, TQelBObject* AObject) {
  const std::string name(AName);
  if (!AObject) {
    Tcl_SetVar2Ex(FInterp, name.c_str(), nullptr, Tcl_NewObj(), TCL_GLOBAL_ONLY);
    return;
  }
  size_t index = 0;
  TEntry& entry = EntryOf(AObject, index);
  Tcl_CreateObjCommand(FInterp, name.c_str(), ObjectCommand, &entry, nullptr);
  Tcl_SetVar2Ex(FInterp, name.c_str(), nullptr, Handle(AObject), TCL_GLOBAL_ONLY);
}

Tcl_Obj* TTclObjects::NewValue(const TQelBValue& AValue) {
  switch (AValue.Kind()) {
    case bvEmpty:
    case bvNull:
      return Tcl_NewObj();
    case bvBoolean:
      return Tcl_NewBooleanObj(AValue.AsBoolean());
    case bvInteger:
      return Tcl_NewWideIntObj(AValue.AsInteger());
    case bvDouble:
    case bvDate:
      return Tcl_NewDoubleObj(AValue.AsDouble());
    case bvObject:
      return Handle(AValue.Object());
    case bvArray: {
      Tcl_Obj* list = Tcl_NewListObj(0, nullptr);
      TQelBValue element;
      for (int i = 0, count = AValue.ArrayCount(); i < count; ++i) {
        AValue.ArrayGet(i, element);
        Tcl_ListObjAppendElement(nullptr, list, NewValue(element));
      }
      return list;
    }
    case bvString:
    case bvOther:
      break;
  }
  return QelTclNewString(AValue.AsUtf8());
}

// Tcl values are strings; those the interpreter already holds as numbers cross as numbers, and
// a live handle crosses as its object.
void TTclObjects::ToValue(Tcl_Obj* AValue, TQelBValue& AResult) {
  const TObjTypes& types = ObjTypes();
  const Tcl_ObjType* type = AValue->typePtr;
  if (type && (type == types.Int || type == types.WideInt)) {
    Tcl_WideInt number = 0;
    if (Tcl_GetWideIntFromObj(nullptr, AValue, &number) == TCL_OK) {
      AResult.SetInteger(number);
      return;
    }
  } else if (type && type == types.Double) {
    double number = 0;
    if (Tcl_GetDoubleFromObj(nullptr, AValue, &number) == TCL_OK) {
      AResult.SetDouble(number);
      return;
    }
  }
  if (TQelBObject* object = FromHandle(AValue)) {
    AResult.SetObject(object);
    return;
  }
  int length = 0;
  const char* text = Tcl_GetStringFromObj(AValue, &length);
  if (IsAscii(text, static_cast<size_t>(length)))
    AResult.SetUtf8(std::string_view(text, static_cast<size_t>(length)));
  else
    AResult.SetUtf8(QelTclUtf8(text, length));
}

int TTclObjects::Fail(const TQelBError& AError) {
  Tcl_SetObjResult(FInterp, QelTclNewString(AError.Message));
  return TCL_ERROR;
}

int TTclObjects::Call(TQelBObject* AObject, const TQelBMember& AMember, TQelBCall ACall, int AArgCount,
                      Tcl_Obj* const AArgs[]) {
  TQelBError error;
  int code = TCL_OK;
  const bool done = QelBGuard(error, [&] {
    TQelBArgs args;
    TQelBValue* values = args.Resize(static_cast<unsigned>(AArgCount));
    for (int i = 0; i < AArgCount; ++i) ToValue(AArgs[i], values[i]);
    TQelBCall call = ACall;
    if ((call & bcPut) && args.Count() > 0 && args.Data()[args.Count() - 1].Kind() == bvObject)
      call = static_cast<TQelBCall>(call | bcPutRef);
    TQelBValue result;
    if (AMember.Kind == bmUnknown && call == bcGet && args.Count() == 0) {
      // A member that does not say what it is: read it, and call it when it is a method.
      const TQelBRead read = QelBReadMember(AObject, AMember, result, error);
      if (read == brMethod) {
        if (!QelBInvoke(AObject, AMember.Id, bcMethod, nullptr, 0, &result, error)) code = TCL_ERROR;
      } else if (read == brIndexed) {
        error.Message = "an indexed property needs its index";
        code = TCL_ERROR;
      } else if (read == brFailed) {
        code = TCL_ERROR;
      }
    } else {
      if (AMember.Kind == bmUnknown && call == bcGet) call = static_cast<TQelBCall>(bcMethod | bcGet);
      if (!QelBInvoke(AObject, AMember.Id, call, args.Data(), args.Count(), (call & bcPut) ? nullptr : &result, error))
        code = TCL_ERROR;
    }
    if (code == TCL_OK) Tcl_SetObjResult(FInterp, NewValue(result));
  });
  return done && code == TCL_OK ? TCL_OK : Fail(error);
}

bool TTclObjects::Member(TEntry& AEntry, Tcl_Obj* AName, TQelBMember& AMember) {
  int length = 0;
  const char* text = Tcl_GetStringFromObj(AName, &length);
  const std::string_view name(text, static_cast<size_t>(length));
  auto found = AEntry.Members->find(name);
  if (found != AEntry.Members->end()) {
    AMember = found->second;
    return true;
  }
  if (!QelBFindMember(AEntry.Object, name, AMember)) return false;
  AEntry.Members->emplace(std::string(name), AMember);
  return true;
}

int TTclObjects::Dispatch(TEntry& AEntry, int AObjc, Tcl_Obj* const AObjv[]) {
  if (!AEntry.Object) {
    Tcl_SetObjResult(FInterp, Tcl_NewStringObj("the object has been released", -1));
    return TCL_ERROR;
  }
  if (AObjc < 2) {
    Tcl_WrongNumArgs(FInterp, 1, AObjv, "member ?arg ...?");
    return TCL_ERROR;
  }
  TQelBCall call = bcGet;
  int word = 1;
  if (std::strcmp(Tcl_GetString(AObjv[1]), "-set") == 0) {
    if (AObjc < 4) {
      Tcl_WrongNumArgs(FInterp, 1, AObjv, "-set member ?index ...? value");
      return TCL_ERROR;
    }
    call = bcPut;
    word = 2;
  }
  TQelBMember member;
  if (IsIndex(AObjv[word])) {
    member.Id = CDefaultMember;
    member.Kind = bmIndexed;
    return Call(AEntry.Object, member, call, AObjc - word, AObjv + word);
  }
  if (!Member(AEntry, AObjv[word], member)) {
    Tcl_SetObjResult(FInterp, Tcl_ObjPrintf("Unknown name: '%s'", Tcl_GetString(AObjv[word])));
    return TCL_ERROR;
  }
  if (member.Kind == bmMethod && call == bcGet) call = bcMethod;
  return Call(AEntry.Object, member, call, AObjc - word - 1, AObjv + word + 1);
}

int TTclObjects::ObjectCommand(void* AData, Tcl_Interp*, int AObjc, Tcl_Obj* const AObjv[]) {
  auto& entry = *static_cast<TEntry*>(AData);
  return entry.Owner->Dispatch(entry, AObjc, AObjv);
}
