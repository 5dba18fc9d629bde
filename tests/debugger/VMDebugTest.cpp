// The machine's debugging side on real Pascal and VB scripts: breakpoints on every kind of
// code, the line each step lands on, frames, variables, evaluation, pause, abort and threads.
#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <thread>

#include "engine/scripter/QelSctScripter.h"
#include "engine/vm/QelVMDebug.h"
#include "engine/vm/QelVMValues.h"
#include "engine/wrappers/QelSctWrappers.h"
#include "engine/wrappers/units/QelUnits.h"

namespace {

std::string U8(const std::u16string& AText) { return StringToUtf8(AText); }

struct TStop {
  TQelVMBreakKind Kind;
  int Line;
  std::vector<std::string> Frames;  // "description:line", innermost first
};

// A machine on one script with a debugger that records every stop and resumes as the test's
// plan says (continue when the plan is used up). OnStop, when set, runs at each stop first.
class VMDebugTest : public ::testing::Test {
 protected:
  void SetUp() override { QelRegisterAllUnits(); }
  void TearDown() override {
    if (VM) VM->Close();
  }

  void Load(TQelScriptLanguage ALanguage, std::u16string_view ASource) {
    VM = std::make_unique<TQelVirtMachine>(QelCreateNativeLanguage(ALanguage));
    VM->Initialize(std::u16string(ASource));
    Debugger.OnBreak = [this](TQelVMDebugger*, TQelVMBreakKind AKind, TQelVirtMachine*, int ALine,
                              TQelPasStackFrames& AFrames, TQelVMResumeKind& AResume) {
      std::lock_guard<std::mutex> guard(Section);
      TStop stop{AKind, ALine, {}};
      for (int i = 0; i < AFrames.Count(); ++i)
        stop.Frames.push_back(U8(AFrames.Items(i).FDescription) + ":" +
                              std::to_string(AFrames.Items(i).FLine));
      Stops.push_back(stop);
      if (OnStop) OnStop(AFrames);
      if (!Plan.empty()) {
        AResume = Plan.front();
        Plan.pop_front();
      }
    };
  }
  void Open() { VM->Open(&Debugger); }
  std::vector<int> StopLines() const {
    std::vector<int> lines;
    for (const TStop& stop : Stops) lines.push_back(stop.Line);
    return lines;
  }
  VARIANT Run(const char16_t* AProc = u"Main") { return VM->RunProc(AProc); }

  std::unique_ptr<TQelVirtMachine> VM;
  TQelVMDebugger Debugger;
  std::mutex Section;
  std::vector<TStop> Stops;
  std::deque<TQelVMResumeKind> Plan;
  std::function<void(TQelPasStackFrames&)> OnStop;
};

// Global code, a function called in a loop, a protected block with a handler.
constexpr char16_t SPasKinds[] =
    u"var G = 0;\n"                     // 0
    u"const Limit = 3;\n"               // 1
    u"function Twice(a);\n"             // 2
    u"var x;\n"                         // 3
    u"begin\n"                          // 4
    u"  x := a * 2;\n"                  // 5
    u"  Result := x;\n"                 // 6
    u"end;\n"                           // 7
    u"procedure Main;\n"                // 8
    u"var i, s;\n"                      // 9
    u"begin\n"                          // 10
    u"  s := 'n';\n"                    // 11
    u"  for i := 1 to Limit do\n"       // 12
    u"    G := G + Twice(i);\n"         // 13
    u"  try\n"                          // 14
    u"    G := G div 0;\n"              // 15
    u"  except\n"                       // 16
    u"    G := -G;\n"                   // 17
    u"  end;\n"                         // 18
    u"  s := s + 'x';\n"                // 19
    u"end;\n"                           // 20
    u"begin\n"                          // 21
    u"  G := 1;\n"                      // 22
    u"end;\n";                          // 23

struct TBreakCase {
  int Line;
  std::vector<int> Stops;
  std::string Innermost;  // the innermost frame's description at the first stop
};

TEST_F(VMDebugTest, BreakpointsStopOnEveryKindOfCode) {
  const TBreakCase cases[] = {
      {5, {5, 5, 5}, "Twice:5"},       // a procedure called in a loop
      {13, {13, 13, 13}, "Main:13"},   // the loop's body
      {15, {15}, "Main:15"},           // a try block's body
      {17, {17}, "Main:17"},           // the handler, reached by the division's error
      {19, {19}, "Main:19"},           // after the protected block
      {22, {22}, "Global code:22"},    // global code, stopped while the machine opens
  };
  for (const TBreakCase& c : cases) {
    SCOPED_TRACE(c.Line);
    Stops.clear();
    Load(slPascal, SPasKinds);
    ASSERT_TRUE(VM->SetBreakpoint(c.Line));
    Open();
    TQelVar result;
    result.V = Run();
    EXPECT_EQ(StopLines(), c.Stops);
    ASSERT_FALSE(Stops.empty());
    EXPECT_EQ(Stops[0].Frames[0], c.Innermost);
    for (const TStop& stop : Stops) EXPECT_EQ(stop.Kind, vbkBreakpoint);
    // The breakpoint changed nothing the script computes: 1 + 2 + 4 + 6, negated.
    TQelVar g;
    g.V = VM->ReadVar(u"G");
    EXPECT_EQ(QelToInt32(&g.V), -13);
    VM->Close();
  }
}

TEST_F(VMDebugTest, LinesWithoutCodeTakeNoBreakpoint) {
  Load(slPascal, SPasKinds);
  for (int line : {3, 4, 9, 10, 24, 500, -1}) EXPECT_FALSE(VM->SetBreakpoint(line)) << line;
}

TEST_F(VMDebugTest, BreakpointSetTwiceIsGoneAfterOneRemoval) {
  Load(slPascal, SPasKinds);
  ASSERT_TRUE(VM->SetBreakpoint(13));
  ASSERT_TRUE(VM->SetBreakpoint(13));
  VM->RemoveBreakpoint(13);
  Open();
  TQelVar result;
  result.V = Run();
  EXPECT_TRUE(Stops.empty());
}

TEST_F(VMDebugTest, FramesListTheCallersWithTheirLines) {
  Load(slPascal, SPasKinds);
  ASSERT_TRUE(VM->SetBreakpoint(6));
  Open();
  TQelVar result;
  result.V = Run();
  ASSERT_EQ(Stops.size(), 3u);
  EXPECT_EQ(Stops[0].Frames, (std::vector<std::string>{"Twice:6", "Main:13"}));
}

// Calls, the last line of a function, an error inside a protected block, a finally part, and
// lines whose expressions run the operators that go through the variant library.
constexpr char16_t SPasSteps[] =
    u"function Twice(a);\n"             // 0
    u"var x;\n"                         // 1
    u"begin\n"                          // 2
    u"  x := a * 2;\n"                  // 3
    u"  Result := x;\n"                 // 4
    u"end;\n"                           // 5
    u"procedure Main;\n"                // 6
    u"var s, t;\n"                      // 7
    u"begin\n"                          // 8
    u"  s := Twice(1);\n"               // 9
    u"  t := s + Twice(2);\n"           // 10
    u"  try\n"                          // 11
    u"    t := t div 0;\n"              // 12
    u"    t := 0;\n"                    // 13
    u"  except\n"                       // 14
    u"    t := -1;\n"                   // 15
    u"  end;\n"                         // 16
    u"  try\n"                          // 17
    u"    s := 'a' + 'b';\n"            // 18
    u"  finally\n"                      // 19
    u"    s := s + 'c';\n"              // 20
    u"  end;\n"                         // 21
    u"  t := s + IntToStr(t);\n"        // 22
    u"  t := 2;\n"                      // 23
    u"end;\n";                          // 24

struct TStepCase {
  const char* Name;
  int Breakpoint;
  std::vector<TQelVMResumeKind> Plan;
  std::vector<int> Stops;
};

TEST_F(VMDebugTest, EachStepLandsOnTheExpectedLine) {
  const TStepCase cases[] = {
      {"over a call", 9, {vrkStepOver}, {9, 10}},
      {"into a call", 9, {vrkStepInto}, {9, 3}},
      // A routine's "end" is a line of its own: the return.
      {"into, through the callee, back to the caller", 9,
       {vrkStepInto, vrkStepOver, vrkStepOver, vrkStepOver}, {9, 3, 4, 5, 10}},
      {"over the callee's last statement, to its end", 4, {vrkStepOver, vrkContinue}, {4, 5, 4}},
      {"over the callee's end, back in the caller", 5, {vrkStepOver}, {5, 10, 5}},
      {"into the second call of a line", 10, {vrkStepInto}, {10, 3}},
      {"over an error, to the handler", 12, {vrkStepOver}, {12, 15}},
      {"over the handler's last line", 15, {vrkStepOver}, {15, 18}},
      {"over a try body's last line, into the finally part", 18, {vrkStepOver}, {18, 20}},
      {"over the finally part", 20, {vrkStepOver}, {20, 22}},
      {"over string concatenation and a call", 22, {vrkStepOver}, {22, 23}},
      {"continue ends stepping", 9, {vrkStepOver, vrkContinue}, {9, 10}},
  };
  for (const TStepCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Stops.clear();
    Plan.assign(c.Plan.begin(), c.Plan.end());
    Load(slPascal, SPasSteps);
    ASSERT_TRUE(VM->SetBreakpoint(c.Breakpoint));
    Open();
    TQelVar result;
    result.V = Run();
    EXPECT_EQ(StopLines(), c.Stops);
    // A stop after a step is a step stop; after a continue the breakpoint's own.
    for (size_t i = 1; i < Stops.size() && i <= c.Plan.size(); ++i)
      EXPECT_EQ(Stops[i].Kind, c.Plan[i - 1] == vrkContinue ? vbkBreakpoint : vbkStep);
    VM->Close();
  }
}

TEST_F(VMDebugTest, StepIntoFromTheCalleeLeavesOtherCallsAlone) {
  // Stepping over a line in a recursive function does not stop in the deeper activations.
  Load(slPascal,
       u"function F(n);\n"
       u"begin\n"
       u"  if n > 0 then Result := F(n - 1) + 1\n"
       u"  else Result := 0;\n"
       u"end;\n"
       u"procedure Main; var r; begin\n"
       u"  r := F(3);\n"
       u"  r := r + 1;\n"
       u"end;\n");
  ASSERT_TRUE(VM->SetBreakpoint(6));
  Plan = {vrkStepOver};
  Open();
  TQelVar result;
  result.V = Run();
  EXPECT_EQ(StopLines(), (std::vector<int>{6, 7}));
}

struct TVarRow {
  std::string Name, Type, Value;
};

std::vector<TVarRow> ChildrenOf(const TQelPasDebugVar& AVar) {
  std::vector<TVarRow> rows;
  if (!AVar.Children) return rows;
  AVar.Children->Enum([&](const TQelPasDebugVar& AChild, bool&) {
    rows.push_back({U8(AChild.Name), U8(AChild.Type_), U8(AChild.Value)});
  });
  return rows;
}

bool operator==(const TVarRow& A, const TVarRow& B) {
  return A.Name == B.Name && A.Type == B.Type && A.Value == B.Value;
}
void PrintTo(const TVarRow& A, std::ostream* AOut) {
  *AOut << A.Name << ": " << A.Type << " = " << A.Value;
}

TEST_F(VMDebugTest, VariablesOfAProcedureAndOfTheGlobalCode) {
  Load(slPascal,
       u"const Greeting = 'hi';\n"
       u"var Count = 2, Ratio;\n"
       u"function Scale(a; const b);\n"
       u"const Ten = 10;\n"
       u"var x, y;\n"
       u"begin\n"
       u"  x := a * Ten;\n"
       u"  Result := x;\n"
       u"end;\n"
       u"procedure Main; begin Count := Scale(4, 'q'); end;\n"
       u"begin\n"
       u"  Ratio := 1.5;\n"
       u"  Ratio := Ratio * 2;\n"
       u"end;\n");
  ASSERT_TRUE(VM->SetBreakpoint(7));
  ASSERT_TRUE(VM->SetBreakpoint(12));
  std::vector<TQelPasDebugVar> seen;
  OnStop = [&](TQelPasStackFrames& AFrames) { seen.push_back(AFrames.Items(0).GetVariables()); };
  Open();
  TQelVar result;
  result.V = Run();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(U8(seen[0].Name), "Globals");
  EXPECT_EQ(U8(seen[0].Type_), "object");
  EXPECT_EQ(U8(seen[0].Value), "{...}");
  EXPECT_EQ(ChildrenOf(seen[0]),
            (std::vector<TVarRow>{{"Greeting", "String", "'hi'"},
                                  {"Count", "Integer", "2"},
                                  {"Ratio", "Double", "1.5"}}));
  EXPECT_EQ(U8(seen[1].Name), "Locals");
  EXPECT_EQ(ChildrenOf(seen[1]),
            (std::vector<TVarRow>{{"a", "Integer", "4"},
                                  {"b", "String", "'q'"},
                                  {"Ten", "Integer", "10"},
                                  {"x", "Integer", "40"},
                                  {"y", "Unassigned", "Unassigned"},
                                  {"Result", "Unassigned", "Unassigned"}}));
}

TEST_F(VMDebugTest, ArraysShowTheirElementsAndObjectsTheirProperties) {
  Load(slPascal,
       u"procedure Main;\n"
       u"var a, grid, list, none;\n"
       u"begin\n"
       u"  a := array[0..2];\n"
       u"  a[0] := 'x'; a[1] := 7; a[2] := 'it''s';\n"
       u"  grid := array[1..2, 0..1] of Integer;\n"
       u"  grid[2, 1] := 5;\n"
       u"  list := Items;\n"
       u"  none := 0;\n"
       u"end;\n");
  TStringList items;
  items.Add(u"one");
  TQelVar wrapped;
  wrapped.V = ObjectToVar(&items);
  VM->AddExternObject(wrapped.V.pdispVal, u"Items", false);
  ASSERT_TRUE(VM->SetBreakpoint(8));
  std::vector<TQelPasDebugVar> locals;
  std::vector<TVarRow> listRows;
  OnStop = [&](TQelPasStackFrames& AFrames) {
    TQelPasDebugVar vars = AFrames.Items(0).GetVariables();
    vars.Children->Enum([&](const TQelPasDebugVar& AChild, bool&) { locals.push_back(AChild); });
    // Properties are read on the stopped thread, while the object is surely alive.
    listRows = ChildrenOf(locals[2]);
  };
  Open();
  TQelVar result;
  result.V = Run();
  ASSERT_EQ(locals.size(), 4u);
  EXPECT_EQ(U8(locals[0].Type_), "array of Variant");
  EXPECT_EQ(ChildrenOf(locals[0]), (std::vector<TVarRow>{{"[0]", "Variant", "'x'"},
                                                         {"[1]", "Variant", "7"},
                                                         {"[2]", "Variant", "'it''s'"}}));
  EXPECT_EQ(U8(locals[1].Type_), "array of Integer");
  EXPECT_EQ(ChildrenOf(locals[1]),
            (std::vector<TVarRow>{{"[1]", "array", "{...}"}, {"[2]", "array", "{...}"}}));
  std::vector<TQelPasDebugVar> rows;
  locals[1].Children->Enum([&](const TQelPasDebugVar& AChild, bool&) { rows.push_back(AChild); });
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(ChildrenOf(rows[1]),
            (std::vector<TVarRow>{{"[0]", "Integer", "0"}, {"[1]", "Integer", "5"}}));
  // The string list: an object whose properties come from its type information.
  EXPECT_EQ(U8(locals[2].Type_), "Object");
  EXPECT_EQ(U8(locals[2].Value), "{...}");
  bool countSeen = false;
  for (const TVarRow& row : listRows)
    if (row.Name == "Count") {
      countSeen = true;
      EXPECT_EQ(row.Value, "1");
    }
  EXPECT_TRUE(countSeen);
  EXPECT_EQ(U8(locals[3].Value), "Unassigned");
  EXPECT_FALSE(locals[3].Children);
}

struct TEvalCase {
  const char16_t* Expr;
  std::string Type, Value;
};

TEST_F(VMDebugTest, EvaluationInAFrameReadsAndWritesItsVariables) {
  Load(slPascal, SPasSteps);
  ASSERT_TRUE(VM->SetBreakpoint(4));
  const TEvalCase cases[] = {
      {u"x * 10", "Integer", "20"},
      {u"a", "Integer", "1"},
      {u"'q' + 'r'", "String", "'qr'"},
      {u"x = 2", "Boolean", "True"},
      {u"Result", "Unassigned", "Unassigned"},
      {u"Twice(5)", "Integer", "10"},  // a call during the break does not stop again
      {u"Nope", "Error", "Undeclared identifier: 'Nope'"},
  };
  std::vector<TQelPasDebugVar> results;
  std::string otherThread;
  bool written = false;
  OnStop = [&](TQelPasStackFrames& AFrames) {
    if (!results.empty()) return;
    TQelPasStackFrame& frame = AFrames.Items(0);
    for (const TEvalCase& c : cases) results.push_back(frame.Eval(c.Expr));
    written = !frame.Exec(u"x := 7");
    std::thread([&] {
      try {
        frame.GetVariables();
      } catch (const ExceptionPtr& E) {
        otherThread = U8(E->GetMessage());
      }
    }).join();
  };
  Open();
  TQelVar result;
  result.V = Run();
  ASSERT_EQ(results.size(), std::size(cases));
  for (size_t i = 0; i < results.size(); ++i) {
    SCOPED_TRACE(U8(cases[i].Expr));
    EXPECT_EQ(U8(results[i].Type_), cases[i].Type);
    EXPECT_EQ(U8(results[i].Value).substr(0, cases[i].Value.size()), cases[i].Value);
  }
  EXPECT_TRUE(written);
  EXPECT_EQ(otherThread, "Debug evaluation is only allowed from the breaked thread.");
  // x := 7 went into the stopped frame: Twice(1) returned 7, and 7 + Twice(2) = 11, ...
  EXPECT_EQ(Stops.size(), 2u);  // Twice(1), Twice(2); the evaluated Twice(5) did not stop
}

// VB: a function whose result is named like the function, called in a loop. The dialect ends
// its lines with CR LF, as the control hands its source lines over.
constexpr char16_t SVbScript[] =
    u"Dim Total\r\n"                      // 0
    u"Function Square(n)\r\n"             // 1
    u"  Square = n * n\r\n"               // 2
    u"End Function\r\n"                   // 3
    u"Sub Main\r\n"                       // 4
    u"  Dim i\r\n"                        // 5
    u"  Total = 0\r\n"                    // 6
    u"  For i = 1 To 2\r\n"               // 7
    u"    Total = Total + Square(i)\r\n"  // 8
    u"  Next\r\n"                         // 9
    u"  Total = Total & \"!\"\r\n"        // 10
    u"End Sub\r\n";                       // 11

TEST_F(VMDebugTest, VbFunctionsStepAndShowTheirResult) {
  Load(slNativeVb, SVbScript);
  ASSERT_TRUE(VM->SetBreakpoint(2));
  std::vector<std::vector<TVarRow>> locals;
  std::vector<std::string> squares;
  OnStop = [&](TQelPasStackFrames& AFrames) {
    TQelPasStackFrame& frame = AFrames.Items(0);
    if (frame.FDescription != u"Square") return;
    locals.push_back(ChildrenOf(frame.GetVariables()));
    // The function's own name is its result here, not a second call.
    squares.push_back(U8(frame.Eval(u"Square").Value));
  };
  Plan = {vrkContinue, vrkStepOver};
  Open();
  TQelVar result;
  result.V = Run();
  ASSERT_EQ(Stops.size(), 3u);
  EXPECT_EQ(Stops[0].Frames, (std::vector<std::string>{"Square:2", "Main:8"}));
  EXPECT_EQ(Stops[1].Frames, (std::vector<std::string>{"Square:2", "Main:8"}));
  // Stepping over the function's statement stops at its End Function, the result assigned.
  EXPECT_EQ(Stops[2].Frames, (std::vector<std::string>{"Square:3", "Main:8"}));
  EXPECT_EQ(Stops[2].Kind, vbkStep);
  ASSERT_EQ(locals.size(), 3u);
  EXPECT_EQ(locals[1], (std::vector<TVarRow>{{"n", "Integer", "2"},
                                             {"Square", "Unassigned", "Empty"}}));
  EXPECT_EQ(locals[2], (std::vector<TVarRow>{{"n", "Integer", "2"},
                                             {"Square", "Integer", "4"}}));
  EXPECT_EQ(squares, (std::vector<std::string>{"Empty", "Empty", "4"}));
  TQelVar total;
  total.V = VM->ReadVar(u"Total");
  EXPECT_EQ(StringToUtf8(QelVarToString(total.V)), "5!");
}

TEST_F(VMDebugTest, PauseFromAnotherThreadStopsALoopingScript) {
  Load(slPascal,
       u"var Spins = 0;\n"
       u"procedure Main;\n"
       u"begin\n"
       u"  try\n"
       u"    while True do Spins := Spins + 1;\n"
       u"  except\n"
       u"    Spins := -1;\n"
       u"  end;\n"
       u"end;\n");
  Open();
  Plan = {vrkAbort};
  std::string error;
  std::thread script([&] {
    try {
      TQelVar result;
      result.V = Run();
    } catch (const ExceptionPtr& E) {
      error = U8(E->GetMessage());
    }
  });
  Debugger.CauseBreak();
  script.join();
  ASSERT_EQ(Stops.size(), 1u);
  EXPECT_EQ(Stops[0].Kind, vbkCausedBreak);
  EXPECT_EQ(Stops[0].Frames[0].substr(0, 5), "Main:");
  // The abort ends the run; the script's own handler does not swallow it.
  EXPECT_EQ(error.substr(0, 34), "Script execution has been aborted.");
  TQelVar spins;
  spins.V = VM->ReadVar(u"Spins");
  EXPECT_GE(QelToInt32(&spins.V), 0);
}

TEST_F(VMDebugTest, SeveralThreadsStopAtOneBreakpoint) {
  Load(slPascal,
       u"var Hits = 0;\n"
       u"procedure Work(n);\n"
       u"var k;\n"
       u"begin\n"
       u"  k := n + 1;\n"
       u"end;\n");
  ASSERT_TRUE(VM->SetBreakpoint(4));
  Open();
  std::vector<std::thread> threads;
  std::vector<std::string> errors(4);
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      try {
        TQelVar arg, result;
        QelSetI4(&arg.V, t);
        result.V = VM->RunProc(u"Work", &arg.V, 1);
      } catch (const ExceptionPtr& E) {
        errors[size_t(t)] = U8(E->GetMessage());
      }
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(Stops.size(), 4u);
  for (const std::string& e : errors) EXPECT_EQ(e, "");
}

TEST_F(VMDebugTest, AStepOnAnotherThreadDoesNotStopThisOne) {
  // Thread A steps over line 4; thread B runs the same code afterwards without stopping there.
  Load(slPascal,
       u"procedure Work;\n"
       u"var k;\n"
       u"begin\n"
       u"  k := 1;\n"
       u"  k := 2;\n"
       u"  k := 3;\n"
       u"end;\n");
  ASSERT_TRUE(VM->SetBreakpoint(3));
  Plan = {vrkStepOver, vrkIgnore};  // A: stop at 3, step, stop at 4 and leave its step marks
  Open();
  std::thread([&] {
    TQelVar r;
    r.V = Run(u"Work");
  }).join();
  VM->RemoveBreakpoint(3);
  std::thread([&] {
    TQelVar r;
    r.V = Run(u"Work");
  }).join();
  EXPECT_EQ(StopLines(), (std::vector<int>{3, 4}));
}

// Stop on uncaught errors: the stop comes where the error is raised, with every frame, only
// when no except block on the stack will take it (a finally block passes it on).
struct TUncaughtCase {
  const char16_t* Body;           // Main's statements; Fail(n) raises at line 2
  std::vector<std::string> Stop;  // the frames of the one stop; empty: no stop
};

TEST_F(VMDebugTest, UncaughtErrorsStopWhereRaised) {
  const std::u16string prefix =
      u"procedure Fail(n);\n"                                  // 0
      u"begin\n"                                               // 1
      u"  raise Exception.Create('bad');\n"                    // 2
      u"end;\n"                                                // 3
      u"procedure Inner;\n"                                    // 4
      u"var k; begin\n"                                        // 5
      u"  try Fail(1); finally k := 0; end;\n"                 // 6
      u"end;\n"                                                // 7
      u"procedure Main;\n"                                     // 8
      u"begin\n";                                              // 9
  const TUncaughtCase cases[] = {
      {u"  Fail(1);\n", {"Fail:2", "Main:10"}},
      {u"  try Fail(1); except end;\n", {}},
      {u"  try Inner; except end;\n", {}},                     // caught two frames out
      {u"  Inner;\n", {"Fail:2", "Inner:6", "Main:10"}},      // only finally blocks
      {u"  try try Fail(1); finally Inner; end; except end;\n", {}},  // finally inside except
      {u"  try Fail(1); except raise; end;\n", {"Main:10"}},    // judged again at the re-raise
      {u"  try Fail(1); except on E: EAbort do ; end;\n", {"Main:10"}},  // no handler matched
  };
  for (const TUncaughtCase& c : cases) {
    SCOPED_TRACE(U8(c.Body));
    Stops.clear();
    if (VM) VM->Close();
    Load(slPascal, prefix + c.Body + u"end;\n");
    Debugger.SetStopOnUncaughtErrors(true);
    Open();
    TQelVar result;
    try {
      result.V = Run();
    } catch (const ExceptionPtr&) {
    }
    if (c.Stop.empty()) {
      EXPECT_TRUE(Stops.empty());
      continue;
    }
    ASSERT_EQ(Stops.size(), 1u);
    EXPECT_EQ(Stops[0].Kind, vbkUncaughtError);
    EXPECT_EQ(Stops[0].Frames, c.Stop);
  }
}

TEST_F(VMDebugTest, UncaughtErrorStopShowsTheErrorAndAbortEndsTheRun) {
  Load(slPascal, u"procedure Main; var x; begin x := 7; x := x div 0; end;\n");
  Debugger.SetStopOnUncaughtErrors(true);
  std::u16string shown, local;
  OnStop = [&](TQelPasStackFrames& AFrames) {
    shown = TQelVMDebugger::UncaughtError()->GetMessage();
    local = AFrames.Items(0).Eval(u"x").Value;
  };
  Plan = {vrkAbort};
  Open();
  std::u16string message;
  try {
    TQelVar result;
    result.V = Run();
  } catch (const ExceptionPtr& E) {
    message = E->GetMessage();
  }
  EXPECT_NE(shown.find(u"Division by zero"), std::u16string::npos) << U8(shown);
  EXPECT_EQ(local, u"7");
  EXPECT_EQ(message.find(u"Division by zero"), std::u16string::npos) << "abort replaces the error";
  EXPECT_FALSE(TQelVMDebugger::UncaughtError());  // only during the stop
  // Off (the default): the same error passes without a stop.
  Stops.clear();
  VM->Close();
  Load(slPascal, u"procedure Main; begin raise Exception.Create('x'); end;\n");
  Debugger.SetStopOnUncaughtErrors(false);
  Open();
  EXPECT_THROW(Run(), ExceptionPtr);
  EXPECT_TRUE(Stops.empty());
}

}  // namespace
