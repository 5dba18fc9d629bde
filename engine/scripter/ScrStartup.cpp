// Start-up of an embedding program.
#include "engine/scripter/QelTessaro.h"
#include "platform/scripting/QelScripting.h"

namespace qel {

void Startup() {
  QelRegisterAllUnits();
  QelRegisterEngineUnit();
  // RegExp, Dictionary and FileSystemObject: created by ProgID from every language.
  QelRegisterScriptingObjects();
  // The Pascal compiler is known to the language registry from the start; a further native
  // language registers itself when its compiler is linked in (QelRegisterNativeLanguage).
}

const char* VersionString() { return QEL_VERSION_STRING; }

}  // namespace qel
