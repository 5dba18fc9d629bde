// qeldap: a Debug Adapter Protocol server over standard input and output, so that editors
// speaking the protocol debug Pascal and VB scripts. Launch arguments: "program" (the script
// file; ".pas" is Pascal, anything else the VB dialect), "procedure" (default "Main"), "args"
// (strings), "stopOnEntry".
#include "engine/wrappers/units/QelUnits.h"
#include "tools/qeldap/QelDapServer.h"

int main() {
  QelRegisterAllUnits();
  TDapChannel channel(stdin, stdout);
  TDapServer server(channel);
  return server.Run();
}
