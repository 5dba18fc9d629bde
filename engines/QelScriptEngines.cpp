#include "engines/QelScriptEngines.h"

#include <mutex>

#include "engines/jscript/JsEngine.h"
#include "engines/lua/LuaEngine.h"
#include "engines/perl/PerlEngine.h"
#include "engines/python/PyEngine.h"
#include "engines/rexx/RexxEngine.h"
#include "engines/tcl/TclEngine.h"
#include "engines/vbscript/VbsEngine.h"

void QelRegisterScriptEngines() {
  static std::once_flag once;
  std::call_once(once, [] {
    QelRegisterLuaEngine();
    QelRegisterPythonEngine();
    QelRegisterJScriptEngine();
    QelRegisterTclEngine();
    QelRegisterPerlEngine();
    QelRegisterRexxEngine();
    QelRegisterVBScriptEngine();
  });
}
