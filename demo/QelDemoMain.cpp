// qeldemo: the demonstration window. `qeldemo [FOLDER]` lists the scripts of FOLDER instead of
// the "scripts" folder under the current directory.
#include <cstdio>
#include <cstring>

#include "demo/d_Orvane0.h"
#include "engine/scripter/QelTessaro.h"
#include "engines/QelScriptEngines.h"
#include "host/gui/units/QelGuiUnits.h"

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))) {
    std::fputs("usage: qeldemo [SCRIPTS_FOLDER]\n"
               "Lists the script files of SCRIPTS_FOLDER (default: ./scripts); F9 runs the selected one's Main.\n",
               argc > 2 ? stderr : stdout);
    return argc > 2 ? 2 : 0;
  }
  qel::Startup();
  QelRegisterScriptEngines();
  QelRegisterGuiUnits();
  QelApplication()->SetTitle(u"Qel-Tessaro: Orvane");
  auto* form = new TForm1(nullptr, argc == 2 ? Utf8ToString(argv[1]) : String());
  Application->FormCreated(form);  // the main form: Run shows it, and closing it ends the program
  Application->Run();
  form->Free();
  QelFreeScriptForms();
  return 0;
}
