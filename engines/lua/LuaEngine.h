// The engine "LuaScript" (Lua 5.4).
#pragma once

void QelRegisterLuaEngine();
