// Attaching the debugger from C++: a breakpoint with a condition on a script's line, the call
// stack and a frame's variables at the stop, an expression evaluated in the stopped frame, a
// step over, and the run continued to its end. Synchronous mode: the debugger's OnBreak runs
// on the script's own thread and resumes before it returns.
#include <cstdio>

#include "engine/scripter/QelSctDebugger.h"
#include "engine/scripter/QelTessaro.h"

namespace {

const char16_t* const CScript =
    u"function Cube(x);\n"         // line 0 (the debugger counts lines from 0)
    u"begin\n"
    u"  Result := x * x * x;\n"    // line 2
    u"end;\n"
    u"procedure Main;\n"
    u"var i, sum;\n"
    u"begin\n"
    u"  sum := 0;\n"
    u"  for i := 1 to 4 do\n"
    u"    sum := sum + Cube(i);\n"  // line 9
    u"  Log.Add(IntToStr(sum));\n"
    u"end;\n";

std::string Text(const std::u16string& AText) { return StringToUtf8(AText); }

int Run() {
  qel::Startup();
  TStringList log;
  TQelScriptDebugger debugger(nullptr);
  debugger.SetIsSynchBreaks(true);

  TQelScriptControl script(nullptr);
  script.SetLanguage(slPascal);
  script.SetDebugger(&debugger);     // only while the control is inactive
  script.SetDebugName(u"cubes");     // the module the breakpoints belong to
  script.SetSourceText(CScript);
  script.AddAllUnits(true);
  script.AddObject(u"Log", &log);

  TQelBreakpoint* bp = debugger.SetBreakpoint(script.GetDebugModule(), 2);
  bp->SetCondition(u"x = 3");  // stops only in Cube(3)

  int stops = 0;
  debugger.OnBreak = [&](TQelScriptDebugger*, TQelScriptControl*, int ALine) {
    std::printf("stop %d at line %d\n", ++stops, ALine);
    for (int i = 0; i < debugger.StackFrameCount(); ++i) {
      TQelStackFrame* frame = debugger.StackFrames(i);
      std::printf("  #%d %s line %d\n", i, Text(frame->ShortDescription()).c_str(), frame->Line());
    }
    TQelVariables vars;
    debugger.StackFrames(stops == 1 ? 1 : 0)->GetVariables(vars);
    for (int i = 0; i < vars.Root()->Count(); ++i) {
      TQelVariable* v = vars.Root()->Items(i);
      std::printf("  %s: %s = %s\n", Text(v->Name).c_str(), Text(v->Type_).c_str(), Text(v->Value).c_str());
    }
    if (stops == 1) {
      std::printf("  x * 10 = %s\n", Text(debugger.StackFrames(0)->Eval(u"x * 10")).c_str());
      debugger.ResumeFromBreak(rkStepOver);  // the next stop: the function's "end" line
    } else {
      debugger.ResumeFromBreak(rkContinue);
    }
  };

  script.SetActive(true);
  script.RunProc(u"Main");
  std::printf("log: %s\n", Text(log.Get(0)).c_str());
  script.SetActive(false);
  return 0;
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const ExceptionPtr& E) {
    std::printf("error: %s\n", E.what());
    return 1;
  }
}
