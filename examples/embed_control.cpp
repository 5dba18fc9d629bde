// Embedding the script control: a host object and a named value, a procedure called with
// arguments, an expression, and a script global read and written from C++.
#include <cstdio>

#include "engine/scripter/QelSctScripter.h"
#include "engine/wrappers/units/QelUnits.h"

namespace {

const char16_t* const CScript =
    u"var Total = 0;\n"
    u"procedure Record(Name; Amount);\n"
    u"begin\n"
    u"  Total := Total + Amount * Rate;\n"
    u"  Log.Add(Name + ': ' + IntToStr(Total));\n"
    u"end;\n";

std::string Text(VARIANT AValue) {
  const std::string text = StringToUtf8(QelVarToString(AValue));
  VariantClear(&AValue);
  return text;
}

int Run() {
  QelRegisterAllUnits();  // once per program, before the first control
  TStringList log;        // the host object the script writes to

  TQelScriptControl script(nullptr);
  script.SetLanguage(slPascal);
  script.SetSourceText(CScript);
  script.AddAllUnits(true);  // IntToStr and the rest of the host units

  VARIANT logVar = ObjectToVar(&log);
  script.AddObject(u"Log", logVar, false);
  VariantClear(&logVar);
  VARIANT rate = QelIntVar(2);
  script.AddOrSetValue(u"Rate", rate);

  script.SetActive(true);
  std::vector<VARIANT> args{QelStringVar(u"coffee"), QelIntVar(3)};
  Text(script.RunProc(u"Record", args));
  for (VARIANT& arg : args) VariantClear(&arg);

  std::printf("log: %s\n", StringToUtf8(log.Get(0)).c_str());
  std::printf("Total * 10 = %s\n", Text(script.Eval(u"Total * 10")).c_str());
  VARIANT total = QelIntVar(100);
  script.WriteVar(u"Total", total);
  std::printf("Total = %s\n", Text(script.ReadVar(u"Total")).c_str());
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
