// Host objects in Lua. Every C function Lua calls is a QelLuaTrampoline around a body.
#include "engines/lua/LuaObjects.h"

#include <cstring>
#include <vector>

namespace {

constexpr char CObjectMeta[] = "QelObject";
constexpr char CIndexerMeta[] = "QelIndexer";
// Registry fields: object userdata by object address (weak values), and member caches by class.
constexpr char CLiveObjects[] = "QelLiveObjects";
constexpr char CClassCaches[] = "QelClassCaches";
constexpr int32_t CDefaultMember = 0;

struct TLuaObject {
  TQelBObject* Object;
};
struct TLuaIndexer {
  TQelBObject* Object;
  int32_t Id;
};

// The registry key of the objects' metatable, compared by identity (luaL_testudata would look
// its name up on every call).
char CObjectMetaKey;

TLuaObject* ObjectAt(lua_State* L, int AIndex) {
  void* data = lua_touserdata(L, AIndex);
  if (!data || !lua_getmetatable(L, AIndex)) return nullptr;
  lua_rawgetp(L, LUA_REGISTRYINDEX, &CObjectMetaKey);
  const bool ours = lua_rawequal(L, -1, -2);
  lua_pop(L, 2);
  return ours ? static_cast<TLuaObject*>(data) : nullptr;
}

// The object of a metamethod's first argument: Lua calls the metamethods of this metatable only
// for its own objects, and scripts cannot reach the metatable (__metatable hides it).
TLuaObject* SelfOf(lua_State* L) { return static_cast<TLuaObject*>(lua_touserdata(L, 1)); }

// Arguments AFirst .. top as host values.
bool ReadArgs(lua_State* L, int AFirst, TQelBArgs& AArgs, TQelBError& AError) {
  const int top = lua_gettop(L);
  const unsigned count = top >= AFirst ? static_cast<unsigned>(top - AFirst + 1) : 0;
  TQelBValue* values = AArgs.Resize(count);
  for (unsigned i = 0; i < count; ++i)
    if (!QelLuaToValue(L, AFirst + static_cast<int>(i), values[i], AError)) return false;
  return true;
}

bool Call(lua_State* L, TQelBObject* AObject, int32_t AId, TQelBCall ACall, int AFirstArg, TQelBError& AError) {
  TQelBArgs args;
  if (!ReadArgs(L, AFirstArg, args, AError)) return false;
  TQelBValue result;
  if (!QelBInvoke(AObject, AId, ACall, args.Data(), args.Count(), &result, AError)) return false;
  QelLuaPushValue(L, result);
  return true;
}

// obj:Method(...): upvalue 1 is the member's identifier.
int MethodBody(lua_State* L, TQelBError& AError) {
  TLuaObject* self = ObjectAt(L, 1);
  if (!self) {
    AError.Message = "method called without its object (use ':')";
    return -1;
  }
  const auto id = static_cast<int32_t>(lua_tointeger(L, lua_upvalueindex(1)));
  return Call(L, self->Object, id, bcMethod, 2, AError) ? 1 : -1;
}

// A method of a global-members object, called without it: upvalues object, identifier.
int BoundMethodBody(lua_State* L, TQelBError& AError) {
  TQelBObject* object = QelLuaToObject(L, lua_upvalueindex(1));
  const auto id = static_cast<int32_t>(lua_tointeger(L, lua_upvalueindex(2)));
  return Call(L, object, id, bcMethod, 1, AError) ? 1 : -1;
}

// The member cache of the object's class: name -> method function, or property identifier
// (an integer), or indexed-property identifier (a float), or unknown kind (a string "?id").
void PushClassCache(lua_State* L, int AObjectIndex) {
  lua_getiuservalue(L, AObjectIndex, 1);
}

int IndexBody(lua_State* L, TQelBError& AError) {
  TLuaObject* self = SelfOf(L);
  if (!self) return 0;
  if (lua_type(L, 2) != LUA_TSTRING) {
    // obj[i]: the default member with that index.
    TQelBValue index, result;
    if (!QelLuaToValue(L, 2, index, AError)) return -1;
    if (!QelBInvoke(self->Object, CDefaultMember, bcGet, &index, 1, &result, AError)) return -1;
    QelLuaPushValue(L, result);
    return 1;
  }
  PushClassCache(L, 1);
  lua_pushvalue(L, 2);
  const int kind = lua_rawget(L, -2);
  if (kind == LUA_TFUNCTION) return 1;
  TQelBMember member;
  if (kind == LUA_TNUMBER) {
    const bool property = lua_isinteger(L, -1);
    member.Kind = property ? bmProperty : bmIndexed;
    member.Id = static_cast<int32_t>(property ? lua_tointeger(L, -1) : lua_tonumber(L, -1) - 0.5);
  } else {
    size_t length = 0;
    const char* name = lua_tolstring(L, 2, &length);
    if (!QelBFindMember(self->Object, std::string_view(name, length), member)) {
      AError.Message = "Unknown name: '" + std::string(name, length) + "'";
      AError.Code = 0;
      return -1;
    }
    // Remember it for the class: methods as their function, properties by identifier.
    lua_pushvalue(L, 2);
    if (member.Kind == bmMethod) {
      lua_pushinteger(L, member.Id);
      lua_pushcclosure(L, QelLuaTrampoline<MethodBody>, 1);
    } else if (member.Kind == bmIndexed) {
      lua_pushnumber(L, static_cast<lua_Number>(member.Id) + 0.5);
    } else if (member.Kind == bmProperty) {
      lua_pushinteger(L, member.Id);
    } else {
      lua_pushnil(L);  // unknown kinds are asked every time
    }
    lua_rawset(L, -4);
    if (member.Kind == bmMethod) {
      lua_pushvalue(L, 2);
      lua_rawget(L, -3);
      return 1;
    }
  }
  TQelBValue value;
  const TQelBRead read = QelBReadMember(self->Object, member, value, AError);
  if (read == brFailed) return -1;
  if (read == brMethod) {
    lua_pushinteger(L, member.Id);
    lua_pushcclosure(L, QelLuaTrampoline<MethodBody>, 1);
    return 1;
  }
  QelLuaPushMember(L, self->Object, member, read, value);
  return 1;
}

int NewIndexBody(lua_State* L, TQelBError& AError) {
  TLuaObject* self = SelfOf(L);
  if (!self) return 0;
  if (lua_type(L, 2) != LUA_TSTRING) {
    TQelBValue args[2];
    if (!QelLuaToValue(L, 2, args[0], AError) || !QelLuaToValue(L, 3, args[1], AError)) return -1;
    const auto call = static_cast<TQelBCall>(args[1].Kind() == bvObject ? bcPut | bcPutRef : bcPut);
    return QelBInvoke(self->Object, CDefaultMember, call, args, 2, nullptr, AError) ? 0 : -1;
  }
  PushClassCache(L, 1);
  lua_pushvalue(L, 2);
  int32_t id;
  if (lua_rawget(L, -2) == LUA_TNUMBER && lua_isinteger(L, -1)) {
    id = static_cast<int32_t>(lua_tointeger(L, -1));
  } else {
    size_t length = 0;
    const char* name = lua_tolstring(L, 2, &length);
    TQelBMember member;
    if (!QelBFindMember(self->Object, std::string_view(name, length), member)) {
      AError.Message = "Unknown name: '" + std::string(name, length) + "'";
      return -1;
    }
    id = member.Id;
  }
  return QelLuaPutMember(L, self->Object, id, 3, AError) ? 0 : -1;
}

int GcBody(lua_State* L, TQelBError&) {
  if (auto* self = static_cast<TLuaObject*>(lua_touserdata(L, 1))) QelBRelease(std::exchange(self->Object, nullptr));
  return 0;
}

int ToStringBody(lua_State* L, TQelBError&) {
  lua_pushfstring(L, "QelObject: %p", lua_touserdata(L, 1) ? static_cast<TLuaObject*>(lua_touserdata(L, 1))->Object
                                                          : nullptr);
  return 1;
}

// indexer[i] and indexer[i] = v: the indexed property with one index.
int IndexerGetBody(lua_State* L, TQelBError& AError) {
  auto* self = static_cast<TLuaIndexer*>(lua_touserdata(L, 1));
  if (!self) return 0;
  TQelBValue index, result;
  if (!QelLuaToValue(L, 2, index, AError)) return -1;
  if (!QelBInvoke(self->Object, self->Id, bcGet, &index, 1, &result, AError)) return -1;
  QelLuaPushValue(L, result);
  return 1;
}

int IndexerSetBody(lua_State* L, TQelBError& AError) {
  auto* self = static_cast<TLuaIndexer*>(lua_touserdata(L, 1));
  if (!self) return 0;
  TQelBValue args[2];
  if (!QelLuaToValue(L, 2, args[0], AError) || !QelLuaToValue(L, 3, args[1], AError)) return -1;
  const auto call = static_cast<TQelBCall>(args[1].Kind() == bvObject ? bcPut | bcPutRef : bcPut);
  return QelBInvoke(self->Object, self->Id, call, args, 2, nullptr, AError) ? 0 : -1;
}

// indexer(i, j, ...): an indexed property with several indexes.
int IndexerCallBody(lua_State* L, TQelBError& AError) {
  auto* self = static_cast<TLuaIndexer*>(lua_touserdata(L, 1));
  if (!self) return 0;
  return Call(L, self->Object, self->Id, bcGet, 2, AError) ? 1 : -1;
}

int IndexerGcBody(lua_State* L, TQelBError&) {
  if (auto* self = static_cast<TLuaIndexer*>(lua_touserdata(L, 1))) QelBRelease(std::exchange(self->Object, nullptr));
  return 0;
}

int EqBody(lua_State* L, TQelBError&) {
  lua_pushboolean(L, QelLuaToObject(L, 1) == QelLuaToObject(L, 2));
  return 1;
}

}  // namespace

void QelLuaInitObjects(lua_State* L) {
  static const luaL_Reg objectMeta[] = {{"__index", QelLuaTrampoline<IndexBody>},       {"__newindex", QelLuaTrampoline<NewIndexBody>},
                                        {"__gc", QelLuaTrampoline<GcBody>},             {"__tostring", QelLuaTrampoline<ToStringBody>},
                                        {"__eq", QelLuaTrampoline<EqBody>},             {nullptr, nullptr}};
  static const luaL_Reg indexerMeta[] = {{"__index", QelLuaTrampoline<IndexerGetBody>}, {"__newindex", QelLuaTrampoline<IndexerSetBody>},
                                         {"__call", QelLuaTrampoline<IndexerCallBody>}, {"__gc", QelLuaTrampoline<IndexerGcBody>},
                                         {nullptr, nullptr}};
  luaL_newmetatable(L, CObjectMeta);
  luaL_setfuncs(L, objectMeta, 0);
  lua_pushliteral(L, "QelObject");
  lua_setfield(L, -2, "__metatable");
  lua_pushvalue(L, -1);
  lua_rawsetp(L, LUA_REGISTRYINDEX, &CObjectMetaKey);
  lua_pop(L, 1);
  luaL_newmetatable(L, CIndexerMeta);
  luaL_setfuncs(L, indexerMeta, 0);
  lua_pushliteral(L, "QelIndexer");
  lua_setfield(L, -2, "__metatable");
  lua_pop(L, 1);
  lua_newtable(L);  // live objects, weak values
  lua_newtable(L);
  lua_pushliteral(L, "v");
  lua_setfield(L, -2, "__mode");
  lua_setmetatable(L, -2);
  lua_setfield(L, LUA_REGISTRYINDEX, CLiveObjects);
  lua_newtable(L);
  lua_setfield(L, LUA_REGISTRYINDEX, CClassCaches);
}

void QelLuaPushObject(lua_State* L, TQelBObject* AObject) {
  if (!AObject) {
    lua_pushnil(L);
    return;
  }
  lua_getfield(L, LUA_REGISTRYINDEX, CLiveObjects);
  if (lua_rawgetp(L, -1, AObject) == LUA_TUSERDATA) {
    lua_remove(L, -2);
    return;
  }
  lua_pop(L, 1);
  auto* data = static_cast<TLuaObject*>(lua_newuserdatauv(L, sizeof(TLuaObject), 1));
  data->Object = nullptr;
  luaL_setmetatable(L, CObjectMeta);
  // The member cache: shared by the class's objects, the object's own when it has no class.
  if (const void* key = QelBClassKey(AObject)) {
    lua_getfield(L, LUA_REGISTRYINDEX, CClassCaches);
    if (lua_rawgetp(L, -1, key) != LUA_TTABLE) {
      lua_pop(L, 1);
      lua_newtable(L);
      lua_pushvalue(L, -1);
      lua_rawsetp(L, -3, key);
    }
    lua_remove(L, -2);
  } else {
    lua_newtable(L);
  }
  lua_setiuservalue(L, -2, 1);
  QelBAddRef(AObject);
  data->Object = AObject;
  lua_pushvalue(L, -1);
  lua_rawsetp(L, -3, AObject);
  lua_remove(L, -2);
}

TQelBObject* QelLuaToObject(lua_State* L, int AIndex) {
  TLuaObject* data = ObjectAt(L, AIndex);
  return data ? data->Object : nullptr;
}

void QelLuaPushValue(lua_State* L, const TQelBValue& AValue) {
  switch (AValue.Kind()) {
    case bvEmpty:
    case bvNull:
      lua_pushnil(L);
      return;
    case bvBoolean:
      lua_pushboolean(L, AValue.AsBoolean());
      return;
    case bvInteger:
      lua_pushinteger(L, AValue.AsInteger());
      return;
    case bvDouble:
    case bvDate:
      lua_pushnumber(L, AValue.AsDouble());
      return;
    case bvString: {
      const std::string text = AValue.AsUtf8();
      lua_pushlstring(L, text.data(), text.size());
      return;
    }
    case bvObject:
      QelLuaPushObject(L, AValue.Object());
      return;
    case bvArray: {
      const int count = AValue.ArrayCount();
      lua_createtable(L, count, 0);
      TQelBValue element;
      for (int i = 0; i < count; ++i) {
        AValue.ArrayGet(i, element);
        QelLuaPushValue(L, element);
        lua_rawseti(L, -2, i + 1);
      }
      return;
    }
    case bvOther: {
      const std::string text = AValue.AsUtf8();
      lua_pushlstring(L, text.data(), text.size());
      return;
    }
  }
}

bool QelLuaToValue(lua_State* L, int AIndex, TQelBValue& AValue, TQelBError& AError) {
  switch (lua_type(L, AIndex)) {
    case LUA_TNIL:
    case LUA_TNONE:
      AValue.SetEmpty();
      return true;
    case LUA_TBOOLEAN:
      AValue.SetBoolean(lua_toboolean(L, AIndex));
      return true;
    case LUA_TNUMBER:
      if (lua_isinteger(L, AIndex))
        AValue.SetInteger(lua_tointeger(L, AIndex));
      else
        AValue.SetDouble(lua_tonumber(L, AIndex));
      return true;
    case LUA_TSTRING: {
      size_t length = 0;
      const char* text = lua_tolstring(L, AIndex, &length);
      AValue.SetUtf8(std::string_view(text, length));
      return true;
    }
    case LUA_TUSERDATA:
      if (TLuaObject* data = ObjectAt(L, AIndex)) {
        AValue.SetObject(data->Object);
        return true;
      }
      break;
    case LUA_TTABLE: {
      // A sequence 1..n becomes an array.
      const int table = lua_absindex(L, AIndex);
      const auto count = static_cast<int>(lua_rawlen(L, table));
      AValue.SetArray(count);
      for (int i = 0; i < count; ++i) {
        lua_rawgeti(L, table, i + 1);
        TQelBValue element;
        const bool converted = QelLuaToValue(L, -1, element, AError);
        lua_pop(L, 1);
        if (!converted) return false;
        AValue.ArrayPut(i, std::move(element));
      }
      return true;
    }
    default:
      break;
  }
  AError.Message = std::string("a ") + luaL_typename(L, AIndex) + " value cannot be passed to the host";
  return false;
}

void QelLuaPushMember(lua_State* L, TQelBObject* AObject, const TQelBMember& AMember, TQelBRead ARead,
                      TQelBValue& AValue) {
  if (ARead == brValue) {
    QelLuaPushValue(L, AValue);
    return;
  }
  if (ARead == brIndexed) {
    auto* data = static_cast<TLuaIndexer*>(lua_newuserdatauv(L, sizeof(TLuaIndexer), 0));
    data->Object = nullptr;
    luaL_setmetatable(L, CIndexerMeta);
    QelBAddRef(AObject);
    data->Object = AObject;
    data->Id = AMember.Id;
    return;
  }
  QelLuaPushObject(L, AObject);
  lua_pushinteger(L, AMember.Id);
  lua_pushcclosure(L, QelLuaTrampoline<BoundMethodBody>, 2);
}

bool QelLuaPutMember(lua_State* L, TQelBObject* AObject, int32_t AId, int AIndex, TQelBError& AError) {
  TQelBValue value;
  if (!QelLuaToValue(L, AIndex, value, AError)) return false;
  const auto call = static_cast<TQelBCall>(value.Kind() == bvObject ? bcPut | bcPutRef : bcPut);
  return QelBInvoke(AObject, AId, call, &value, 1, nullptr, AError);
}
