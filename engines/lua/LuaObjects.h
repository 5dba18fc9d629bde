// The Lua side of host objects: userdata over TQelBObject handles, their metatables, and the
// conversion of values both ways. Only Lua's headers and the neutral bridge are seen here.
#pragma once

#include <lua.hpp>

#include "engines/common/QelBridge.h"

// Creates the metatables and registry tables (once per state).
void QelLuaInitObjects(lua_State* L);
// Pushes the object (its one userdata while it lives in Lua: identity is kept); nil for null.
void QelLuaPushObject(lua_State* L, TQelBObject* AObject);
// The object of a host-object userdata at AIndex, else null.
TQelBObject* QelLuaToObject(lua_State* L, int AIndex);
// Pushes a host value as the Lua value closest to it.
void QelLuaPushValue(lua_State* L, const TQelBValue& AValue);
// The Lua value at AIndex as a host value; false (with AError) for what the host cannot hold.
bool QelLuaToValue(lua_State* L, int AIndex, TQelBValue& AValue, TQelBError& AError);
// Pushes what reading a member gave: its value, a function bound to the object for a method,
// an indexer for an indexed property.
void QelLuaPushMember(lua_State* L, TQelBObject* AObject, const TQelBMember& AMember, TQelBRead ARead,
                      TQelBValue& AValue);
// Writes a property from the value at AIndex.
bool QelLuaPutMember(lua_State* L, TQelBObject* AObject, int32_t AId, int AIndex, TQelBError& AError);

// The C function Lua calls for ABody, which may own C++ objects and returns its number of
// results, or -1 after filling AError: the Lua error (with the calling line's position) is
// raised here, after the body's objects are gone.
template <int (*ABody)(lua_State*, TQelBError&)>
int QelLuaTrampoline(lua_State* L) {
  int results;
  {
    TQelBError error;
    results = ABody(L, error);
    if (results < 0) {
      luaL_where(L, 1);
      lua_pushlstring(L, error.Message.data(), error.Message.size());
      lua_concat(L, 2);
    }
  }
  return results < 0 ? lua_error(L) : results;
}
