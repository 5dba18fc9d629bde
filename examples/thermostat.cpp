// A host with a class of its own: the script reads and writes a property, calls a method and
// handles an event; the host calls a script function with arguments, reads its result and
// catches a script error with its line. No VariantClear anywhere: qel::Value cleans up.
#include <cstdio>

#include "engine/scripter/QelTessaro.h"

class TThermostat : public TObject {
  QEL_CLASS(TThermostat, TObject)
 public:
  double GetTarget() const { return FTarget; }
  void SetTarget(double AValue) { FTarget = AValue; }
  void Report(double ATemperature) { if (ATemperature > FTarget) OnTooWarm(this); }
  TNotifyEvent OnTooWarm;

 private:
  double FTarget = 20;
};

struct TThermostat_sw : TQelClassWrapperOf<TThermostat, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData) {
    TQelMembers<TThermostat> M(AData);
    M.Property<&TThermostat::GetTarget, &TThermostat::SetTarget>(u"Target");
    M.Method<&TThermostat::Report>(u"Report");
    M.Field<&TThermostat::OnTooWarm>(u"OnTooWarm");
  }
};

const char16_t* const CScript =
    u"var Alarms = 0;\n"
    u"procedure TooWarm(Sender); begin Alarms := Alarms + 1; end;\n"
    u"function Check(A; B);\n"
    u"begin\n"
    u"  Thermo.OnTooWarm := @TooWarm;\n"
    u"  Thermo.Report(A); Thermo.Report(B);\n"
    u"  Result := Format('%d alarm(s) above %.1f', Alarms, Thermo.Target);\n"
    u"end;\n"
    u"procedure Broken; begin Thermo.Explode; end;\n";

int main() {
  qel::Startup();
  RegisterClassWrapper(QelWrapperClass<TThermostat_sw>());
  TThermostat thermo;
  TQelScriptControl script(nullptr);
  script.SetLanguage(slPascal);
  script.SetSourceText(CScript);
  script.AddObject(u"Thermo", &thermo);
  try {
    script.SetActive(true);
    thermo.SetTarget(21.5);
    const qel::Value summary = script.RunProc(u"Check", {20.0, 23.5});
    std::printf("%s\n", summary.ToString().c_str());
    script.RunProc(u"Broken", {});
  } catch (const qel::ScriptError& E) {
    std::printf("script error at line %d, column %d\n", E.Line(), E.Column());
  }
}
