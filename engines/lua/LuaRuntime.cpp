// The LuaScript engine: one lua_State per engine. Global code is compiled at AddCode and run at
// RunCode; named objects are globals; the members of global-members objects answer the names
// the script's globals do not have (through _G's metatable), and writing such a name writes
// the member (a named value is thus a plain variable). Errors carry the line Lua reports; Lua
// gives no column, so a runtime error points at the first character of its line and a syntax
// error at the token Lua names.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "engines/common/QelBridge.h"
#include "engines/lua/LuaEngine.h"
#include "engines/lua/LuaObjects.h"

namespace {

constexpr char CRuntimeKey[] = "QelLuaRuntime";

class TLuaRuntime final : public IQelBRuntime {
 public:
  TLuaRuntime();
  ~TLuaRuntime() override { lua_close(L); }

  QEL_BRIDGE_RUNTIME_OVERRIDES;

  TQelBGlobalMembers& GlobalMembers() { return FGlobalMembers; }
  static TLuaRuntime& Of(lua_State* L);

 private:
  struct TChunk {
    std::string Name;  // "=script1", ...: what Lua's messages begin with, without the "="
    std::string Text;
    int StartLine = 0;
    int Ref = LUA_NOREF;  // the compiled function until it has run
  };
  // Compiles AText into a function on the stack; false with AError filled.
  bool Load(TChunk& AChunk, TQelBScriptError& AError);
  // Calls the function below its AArgCount arguments with results on the stack.
  bool Protected(int AArgCount, int AResults, TQelBScriptError& AError);
  void Describe(std::string AMessage, bool ASyntax, TQelBScriptError& AError);
  bool Aborted(TQelBScriptError& AError);

  lua_State* L;
  std::vector<TChunk> FChunks;
  size_t FRun = 0;  // chunks run so far
  TQelBGlobalMembers FGlobalMembers;
  std::atomic<bool> FAborted{false};
  int FErrorLine = -1;  // the line of the last error's innermost script frame, from 1
  std::string FErrorChunk;
};

TLuaRuntime& TLuaRuntime::Of(lua_State* L) {
  lua_getfield(L, LUA_REGISTRYINDEX, CRuntimeKey);
  auto* runtime = static_cast<TLuaRuntime*>(lua_touserdata(L, -1));
  lua_pop(L, 1);
  return *runtime;
}

// _G's __index: a member of a global-members object.
int GlobalIndexBody(lua_State* L, TQelBError& AError) {
  if (lua_type(L, 2) != LUA_TSTRING) return 0;
  size_t length = 0;
  const char* name = lua_tolstring(L, 2, &length);
  TQelBObject* object = nullptr;
  TQelBMember member;
  if (!TLuaRuntime::Of(L).GlobalMembers().Find(std::string_view(name, length), object, member)) return 0;
  TQelBValue value;
  const TQelBRead read = QelBReadMember(object, member, value, AError);
  if (read == brFailed) return -1;
  QelLuaPushMember(L, object, member, read, value);
  return 1;
}

// _G's __newindex: a writable member of a global-members object, else a new global. A function
// is always the script's own (defining Sorted must not write a published list's Sorted).
int GlobalNewIndexBody(lua_State* L, TQelBError& AError) {
  if (lua_type(L, 2) == LUA_TSTRING && lua_type(L, 3) != LUA_TFUNCTION) {
    size_t length = 0;
    const char* name = lua_tolstring(L, 2, &length);
    TQelBObject* object = nullptr;
    TQelBMember member;
    if (TLuaRuntime::Of(L).GlobalMembers().Find(std::string_view(name, length), object, member) &&
        (member.Kind == bmProperty || member.Kind == bmUnknown))
      return QelLuaPutMember(L, object, member.Id, 3, AError) ? 0 : -1;
  }
  lua_settop(L, 3);
  lua_rawset(L, 1);
  return 0;
}

// Installed from another thread to stop the script: Lua allows setting a hook at any time.
void AbortHook(lua_State* L, lua_Debug*) { luaL_error(L, "%s", QelBAbortMessage); }

// The message handler of protected calls: notes the innermost script line of the error.
int MessageHandler(lua_State* L) {
  lua_Debug ar;
  for (int level = 0; lua_getstack(L, level, &ar); ++level) {
    lua_getinfo(L, "Sl", &ar);
    if (ar.currentline > 0 && ar.source[0] == '=') {
      lua_pushinteger(L, ar.currentline);
      lua_setfield(L, LUA_REGISTRYINDEX, "QelErrorLine");
      lua_pushstring(L, ar.source + 1);
      lua_setfield(L, LUA_REGISTRYINDEX, "QelErrorChunk");
      break;
    }
  }
  if (!lua_isstring(L, 1)) {
    lua_pushfstring(L, "(error object is a %s value)", luaL_typename(L, 1));
  }
  return 1;
}

TLuaRuntime::TLuaRuntime() : L(luaL_newstate()) {
  luaL_openlibs(L);
  lua_pushlightuserdata(L, this);
  lua_setfield(L, LUA_REGISTRYINDEX, CRuntimeKey);
  QelLuaInitObjects(L);
  lua_pushglobaltable(L);
  lua_newtable(L);
  lua_pushcfunction(L, QelLuaTrampoline<GlobalIndexBody>);
  lua_setfield(L, -2, "__index");
  lua_pushcfunction(L, QelLuaTrampoline<GlobalNewIndexBody>);
  lua_setfield(L, -2, "__newindex");
  lua_setmetatable(L, -2);
  lua_pop(L, 1);
}

void TLuaRuntime::Interrupt() {
  FAborted = true;
  lua_sethook(L, AbortHook, LUA_MASKCALL | LUA_MASKRET | LUA_MASKLINE | LUA_MASKCOUNT, 1);
}

bool TLuaRuntime::Aborted(TQelBScriptError& AError) {
  if (!FAborted) return false;
  AError.Description = QelBAbortMessage;
  AError.Aborted = true;
  return true;
}

// Lua's message "<chunk>:<line>: text": the line and the text apart.
void TLuaRuntime::Describe(std::string AMessage, bool ASyntax, TQelBScriptError& AError) {
  const TChunk* chunk = nullptr;
  int line = -1;
  for (const TChunk& c : FChunks) {
    const std::string prefix = c.Name + ":";
    if (AMessage.compare(0, prefix.size(), prefix) != 0) continue;
    size_t end = prefix.size();
    while (end < AMessage.size() && AMessage[end] >= '0' && AMessage[end] <= '9') ++end;
    if (end == prefix.size() || AMessage.compare(end, 2, ": ") != 0) continue;
    line = std::stoi(AMessage.substr(prefix.size(), end - prefix.size()));
    AMessage.erase(0, end + 2);
    chunk = &c;
    break;
  }
  if (!chunk && FErrorLine > 0) {
    for (const TChunk& c : FChunks)
      if (c.Name == FErrorChunk) chunk = &c;
    line = FErrorLine;
  }
  AError.Description = std::move(AMessage);
  if (!chunk) return;
  AError.Line = chunk->StartLine + line - 1;
  AError.Position = QelBLineStart(chunk->Text, line - 1);
  // A syntax error names the token it stopped at: point at it when it is on that line.
  const size_t near = AError.Description.rfind(" near '");
  if (ASyntax && near != std::string::npos) {
    const size_t start = near + 7;
    const std::string token = AError.Description.substr(start, AError.Description.size() - start - 1);
    size_t at = 0;
    for (int i = 1; i < line && at != std::string::npos; ++i) {
      at = chunk->Text.find('\n', at);
      if (at != std::string::npos) ++at;
    }
    if (at != std::string::npos) {
      const size_t lineEnd = chunk->Text.find('\n', at);
      const size_t found = chunk->Text.find(token, at);
      if (!token.empty() && found != std::string::npos && found < lineEnd) {
        int l = 0;
        QelBLineAndPosition(chunk->Text, found, l, AError.Position);
      }
    }
  }
}

bool TLuaRuntime::Load(TChunk& AChunk, TQelBScriptError& AError) {
  const std::string chunkName = "=" + AChunk.Name;
  if (luaL_loadbufferx(L, AChunk.Text.data(), AChunk.Text.size(), chunkName.c_str(), "t") == LUA_OK) return true;
  FErrorLine = -1;
  Describe(lua_tostring(L, -1) ? lua_tostring(L, -1) : "syntax error", true, AError);
  lua_pop(L, 1);
  return false;
}

bool TLuaRuntime::Protected(int AArgCount, int AResults, TQelBScriptError& AError) {
  if (Aborted(AError)) {
    lua_pop(L, AArgCount + 1);
    return false;
  }
  const int base = lua_gettop(L) - AArgCount;
  lua_pushcfunction(L, MessageHandler);
  lua_insert(L, base);
  lua_pushnil(L);
  lua_setfield(L, LUA_REGISTRYINDEX, "QelErrorLine");
  const int status = lua_pcall(L, AArgCount, AResults, base);
  lua_remove(L, base);
  if (status == LUA_OK) return true;
  lua_getfield(L, LUA_REGISTRYINDEX, "QelErrorLine");
  FErrorLine = lua_isinteger(L, -1) ? static_cast<int>(lua_tointeger(L, -1)) : -1;
  lua_getfield(L, LUA_REGISTRYINDEX, "QelErrorChunk");
  FErrorChunk = lua_isstring(L, -1) ? lua_tostring(L, -1) : "";
  lua_pop(L, 2);
  std::string message = lua_isstring(L, -1) ? lua_tostring(L, -1) : "error";
  lua_pop(L, 1);
  if (!Aborted(AError)) Describe(std::move(message), false, AError);
  return false;
}

bool TLuaRuntime::AddCode(std::string_view ASource, int AStartLine, TQelBScriptError& AError) {
  TChunk chunk{"script" + (FChunks.empty() ? std::string() : std::to_string(FChunks.size() + 1)),
               std::string(ASource), AStartLine};
  FChunks.push_back(std::move(chunk));
  if (!Load(FChunks.back(), AError)) {
    FChunks.pop_back();
    return false;
  }
  FChunks.back().Ref = luaL_ref(L, LUA_REGISTRYINDEX);
  return true;
}

bool TLuaRuntime::RunCode(TQelBScriptError& AError) {
  while (FRun < FChunks.size()) {
    TChunk& chunk = FChunks[FRun++];
    if (chunk.Ref == LUA_NOREF) continue;
    lua_rawgeti(L, LUA_REGISTRYINDEX, chunk.Ref);
    luaL_unref(L, LUA_REGISTRYINDEX, chunk.Ref);
    chunk.Ref = LUA_NOREF;
    if (!Protected(0, 0, AError)) return false;
  }
  return true;
}

bool TLuaRuntime::Execute(std::string_view AText, int AStartLine, bool AExpression, TQelBValue* AResult,
                          TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  // The text of dynamic code stays known by its name while functions it defined may run.
  const std::string name = "eval";
  auto chunk = std::find_if(FChunks.begin(), FChunks.end(), [&](const TChunk& c) { return c.Name == name; });
  if (chunk == FChunks.end()) {
    FChunks.push_back({name, {}, 0});
    chunk = FChunks.end() - 1;
    ++FRun;  // nothing to run at start
  }
  chunk->Text = AExpression ? "return " + std::string(AText) : std::string(AText);
  chunk->StartLine = AStartLine;
  if (!Load(*chunk, AError)) return false;
  if (!Protected(0, AExpression ? 1 : 0, AError)) return false;
  if (AExpression) {
    if (AResult) {
      TQelBError error;
      if (!QelLuaToValue(L, -1, *AResult, error)) AResult->SetEmpty();
    }
    lua_pop(L, 1);
  }
  return true;
}

void TLuaRuntime::AddNamedObject(std::string_view AName, TQelBObject* AObject, bool AGlobalMembers) {
  if (!AName.empty()) {
    lua_pushglobaltable(L);
    lua_pushlstring(L, AName.data(), AName.size());
    QelLuaPushObject(L, AObject);
    lua_rawset(L, -3);
    lua_pop(L, 1);
  }
  if (AGlobalMembers) FGlobalMembers.Add(AObject);
}

TQelBGlobalKind TLuaRuntime::FindGlobal(std::string_view AName) {
  lua_pushglobaltable(L);
  lua_pushlstring(L, AName.data(), AName.size());
  const int type = lua_rawget(L, -2);
  lua_pop(L, 2);
  return type == LUA_TNIL ? bgNone : type == LUA_TFUNCTION ? bgFunction : bgVariable;
}

bool TLuaRuntime::CallGlobal(std::string_view AName, TQelBValue* AArgs, unsigned AArgCount, TQelBValue* AResult,
                             TQelBScriptError& AError) {
  if (Aborted(AError)) return false;
  if (!lua_checkstack(L, static_cast<int>(AArgCount) + 8)) {
    AError.Description = "stack overflow";
    return false;
  }
  lua_pushglobaltable(L);
  lua_pushlstring(L, AName.data(), AName.size());
  lua_rawget(L, -2);
  lua_remove(L, -2);
  for (unsigned i = 0; i < AArgCount; ++i) QelLuaPushValue(L, AArgs[i]);
  if (!Protected(static_cast<int>(AArgCount), 1, AError)) return false;
  TQelBError error;
  if (AResult && !QelLuaToValue(L, -1, *AResult, error)) AResult->SetEmpty();
  lua_pop(L, 1);
  return true;
}

bool TLuaRuntime::ReadGlobal(std::string_view AName, TQelBValue& AResult, TQelBScriptError& AError) {
  lua_pushglobaltable(L);
  lua_pushlstring(L, AName.data(), AName.size());
  lua_rawget(L, -2);
  TQelBError error;
  const bool converted = QelLuaToValue(L, -1, AResult, error);
  lua_pop(L, 2);
  if (!converted) AError.Description = error.Message;
  return converted;
}

bool TLuaRuntime::WriteGlobal(std::string_view AName, const TQelBValue& AValue, TQelBScriptError&) {
  lua_pushglobaltable(L);
  lua_pushlstring(L, AName.data(), AName.size());
  QelLuaPushValue(L, AValue);
  lua_rawset(L, -3);
  lua_pop(L, 1);
  return true;
}

IQelBRuntime* NewLuaRuntime() { return new TLuaRuntime; }

}  // namespace

void QelRegisterLuaEngine() { QelRegisterScriptEngine(u"LuaScript", NewLuaRuntime); }
