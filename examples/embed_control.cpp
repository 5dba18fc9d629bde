// Embedding the script control: a host object and a named value, a procedure called with
// arguments, an expression, and a script global read and written from C++.
#include <cstdio>

#include "engine/scripter/QelTessaro.h"

namespace {

const char16_t* const CScript =
    u"var Total = 0;\n"
    u"procedure Record(Name; Amount);\n"
    u"begin\n"
    u"  Total := Total + Amount * Rate;\n"
    u"  Log.Add(Name + ': ' + IntToStr(Total));\n"
    u"end;\n";

int Run() {
  qel::Startup();   // once per program, before the first control
  TStringList log;  // the host object the script writes to

  TQelScriptControl script(nullptr);
  script.SetLanguage(slPascal);
  script.SetSourceText(CScript);
  script.AddAllUnits(true);  // IntToStr and the rest of the host units
  script.AddObject(u"Log", &log);
  script.AddOrSetValue(u"Rate", 2);

  script.SetActive(true);
  script.RunProc(u"Record", {"coffee", 3});

  std::printf("log: %s\n", StringToUtf8(log.Get(0)).c_str());
  const qel::Value scaled = script.Eval(u"Total * 10");  // the returned VARIANT is taken over
  std::printf("Total * 10 = %s\n", scaled.ToString().c_str());
  script.WriteVar(u"Total", 100);
  std::printf("Total = %s\n", qel::Value(script.ReadVar(u"Total")).ToString().c_str());
  script.SetActive(false);
  return 0;
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const ExceptionPtr& E) {
    std::fprintf(stderr, "%s\n", E.what());
    return 1;
  }
}
