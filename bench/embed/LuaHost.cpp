// TStringList for Lua 5.4: a full userdata holding the host pointer, methods in
// the metatable's __index table, __gc freeing what the script did not Free.
//
// Debian's Lua is built as C, so a Lua error is a longjmp: nothing with a
// destructor may be alive in a frame a Lua error can leave. Every method
// therefore checks its arguments first, runs the host call inside GuardHost
// (whose temporaries end with the statement), and raises the recorded host
// error only from the outer frame, which holds no C++ objects.
#include <climits>
#include <cstdio>
#include <string>

#include <lua.hpp>

#include "bench/embed/EmbedHost.h"

namespace qelembed {

namespace {

constexpr const char* kListMeta = "TStringList";

// Result text of Get: kept outside the frame, as pushing it may raise a Lua error.
thread_local std::string tText;

TStringList** CheckSlot(lua_State* L) {
  return static_cast<TStringList**>(luaL_checkudata(L, 1, kListMeta));
}

TStringList* CheckList(lua_State* L) {
  TStringList* list = *CheckSlot(L);
  if (!list) luaL_error(L, "TStringList used after Free");
  return list;
}

int CheckIndex(lua_State* L, int AArg) {
  lua_Integer index = luaL_checkinteger(L, AArg);
  luaL_argcheck(L, index >= INT_MIN && index <= INT_MAX, AArg, "index out of range");
  return static_cast<int>(index);
}

int RaiseHostError(lua_State* L) {
  luaL_where(L, 1);
  lua_pushstring(L, LastHostError());
  lua_concat(L, 2);
  return lua_error(L);
}

int ListCreate(lua_State* L) {
  auto** slot = static_cast<TStringList**>(lua_newuserdatauv(L, sizeof(TStringList*), 0));
  *slot = nullptr;
  luaL_setmetatable(L, kListMeta);
  if (!GuardHost([&] { *slot = new TStringList; })) return RaiseHostError(L);
  return 1;
}

int ListAdd(lua_State* L) {
  TStringList* list = CheckList(L);
  size_t length = 0;
  const char* text = luaL_checklstring(L, 2, &length);
  int index = 0;
  if (!GuardHost([&] { index = list->Add(Utf8ToString({text, length})); })) return RaiseHostError(L);
  lua_pushinteger(L, index);
  return 1;
}

int ListCount(lua_State* L) {
  lua_pushinteger(L, CheckList(L)->GetCount());
  return 1;
}

int ListGet(lua_State* L) {
  TStringList* list = CheckList(L);
  int index = CheckIndex(L, 2);
  if (!GuardHost([&] { tText = StringToUtf8(list->GetStrings(index)); })) return RaiseHostError(L);
  lua_pushlstring(L, tText.data(), tText.size());
  return 1;
}

int ListPut(lua_State* L) {
  TStringList* list = CheckList(L);
  int index = CheckIndex(L, 2);
  size_t length = 0;
  const char* text = luaL_checklstring(L, 3, &length);
  if (!GuardHost([&] { list->SetStrings(index, Utf8ToString({text, length})); })) return RaiseHostError(L);
  return 0;
}

// Clears the slot before the list goes, so a second Free or the collector
// never sees a dangling pointer.
TStringList* TakeList(lua_State* L) {
  TStringList** slot = CheckSlot(L);
  TStringList* list = *slot;
  *slot = nullptr;
  return list;
}

int ListFree(lua_State* L) {
  TStringList* list = TakeList(L);
  if (list && !GuardHost([&] { list->Free(); })) return RaiseHostError(L);
  return 0;
}

// The collector must not raise: an error while destroying is dropped.
int ListCollect(lua_State* L) {
  TStringList* list = TakeList(L);
  if (list) GuardHost([&] { list->Free(); });
  return 0;
}

const luaL_Reg kListMethods[] = {
    {"Add", ListAdd}, {"Count", ListCount}, {"Get", ListGet}, {"Put", ListPut}, {"Free", ListFree}, {nullptr, nullptr}};

int OpenHost(lua_State* L) {
  luaL_newmetatable(L, kListMeta);
  luaL_newlib(L, kListMethods);
  lua_setfield(L, -2, "__index");
  lua_pushcfunction(L, ListCollect);
  lua_setfield(L, -2, "__gc");
  lua_pop(L, 1);
  lua_register(L, "TStringList", ListCreate);
  return 0;
}

int Traceback(lua_State* L) {
  const char* message = lua_tostring(L, 1);
  if (!message) message = luaL_tolstring(L, 1, nullptr);
  luaL_traceback(L, L, message, 1);
  return 1;
}

// Opens the libraries and the host binding, then loads and runs the script,
// all in protected mode so that no Lua error escapes to C++.
int RunProtected(lua_State* L) {
  const char* path = static_cast<const char*>(lua_touserdata(L, 1));
  luaL_openlibs(L);
  OpenHost(L);
  if (luaL_loadfile(L, path) != LUA_OK) return lua_error(L);
  lua_call(L, 0, 0);
  return 0;
}

}  // namespace

int RunLua(const char* AProgram, const char* APath) {
  lua_State* L = luaL_newstate();
  if (!L) {
    std::fprintf(stderr, "%s: cannot create the Lua state\n", AProgram);
    return 1;
  }
  lua_pushcfunction(L, Traceback);
  lua_pushcfunction(L, RunProtected);
  lua_pushlightuserdata(L, const_cast<char*>(APath));
  int status = lua_pcall(L, 1, 0, 1);
  if (status != LUA_OK) std::fprintf(stderr, "%s: %s\n", AProgram, lua_tostring(L, -1));
  lua_close(L);
  return status == LUA_OK ? 0 : 1;
}

}  // namespace qelembed
