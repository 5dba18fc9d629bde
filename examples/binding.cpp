// Binding a host class in full — properties, an indexed default property, methods (one with a
// var parameter), an event with arguments — plus named values, errors with their place, and
// one script called from several threads at once.
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "engine/scripter/QelTessaro.h"

// An event type with arguments: a script handler receives them in order.
QEL_EVENT_TYPE(TLevelEvent, void(TObject* Sender, int AIndex, int ALevel));

class TTank : public TObject {
  QEL_CLASS(TTank, TObject)
 public:
  int GetCount() const { return int(std::size(FLevels)); }
  int GetLevels(int AIndex) const { return FLevels[Checked(AIndex)]; }
  void SetLevels(int AIndex, int AValue) {
    FLevels[Checked(AIndex)] = AValue;
    if (OnLevel) OnLevel(this, AIndex, AValue);
  }
  // A var parameter: the script's variable receives the new total.
  void Fill(int AAmount, int& ATotal) {
    for (int& level : FLevels) level += AAmount;
    ATotal = 0;
    for (int level : FLevels) ATotal += level;
  }
  TLevelEvent OnLevel;

 private:
  static int Checked(int AIndex) {
    if (AIndex < 0 || AIndex >= 3) throw ExceptionPtr(new ERangeError(u"No such tank"));
    return AIndex;
  }
  int FLevels[3] = {};
};

struct TTank_sw : TQelClassWrapperOf<TTank, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData) {
    TQelMembers<TTank> M(AData);
    M.Property<&TTank::GetCount>(u"Count");
    M.Property<&TTank::GetLevels, &TTank::SetLevels>(u"Levels", qpDefault);
    M.Method<&TTank::Fill>(u"Fill");
    M.Field<&TTank::OnLevel>(u"OnLevel");
  }
};

const char16_t* const CScript =
    u"var Log = '';\n"
    u"procedure Changed(Sender; Index; Level);\n"
    u"begin\n"
    u"  Log := Log + Format('[%d]=%d ', Index, Level);\n"
    u"end;\n"
    u"function Run(Amount);\n"
    u"var total;\n"
    u"begin\n"
    u"  Tank.OnLevel := @Changed;\n"
    u"  Tank[0] := Base;\n"
    u"  Tank.Levels[2] := Base * 2;\n"
    u"  Tank.Fill(Amount, total);\n"
    u"  Result := total;\n"
    u"end;\n"
    u"function Square(x); begin Result := x * x; end;\n"
    u"procedure Overflow; begin Tank[3] := 1; end;\n";

int main() {
  qel::Startup();
  RegisterClassWrapper(QelWrapperClass<TTank_sw>());
  RegisterEventWrapper(TLevelEvent::TypeInfo(), QelWrapperClass<TQelEventWrapperOf<TLevelEvent>>());

  TTank tank;
  TQelScriptControl script(nullptr);
  script.SetLanguage(slPascal);
  script.SetSourceText(CScript);
  script.AddObject(u"Tank", &tank);
  script.AddOrSetValue(u"Base", 5);  // a named value: the script reads it as a global
  script.SetActive(true);

  const qel::Value total = script.RunProc(u"Run", {1});
  std::printf("total %lld, log %s\n", static_cast<long long>(total.ToInt64()),
              qel::Value(script.ReadVar(u"Log")).ToString().c_str());
  std::printf("levels %d %d %d\n", tank.GetLevels(0), tank.GetLevels(1), tank.GetLevels(2));

  try {
    script.RunProc(u"Overflow", {});
  } catch (const qel::ScriptError& E) {
    const std::string message = E.what();  // the control's message: its first line here
    std::printf("line %d: %s\n", E.Line(), message.substr(0, message.find('\r')).c_str());
  }

  // Any thread may call into the script; each runs on its own stack.
  std::vector<long long> sums(2);
  std::vector<std::thread> workers;
  for (size_t t = 0; t < sums.size(); ++t)
    workers.emplace_back([&, t] {
      for (int i = 1; i <= 100; ++i) sums[t] += script.RunProc(u"Square", {i + int(t)}).ToInt64();
    });
  for (std::thread& worker : workers) worker.join();
  std::printf("sums %lld %lld\n", sums[0], sums[1]);
  script.SetActive(false);
}
