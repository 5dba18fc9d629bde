// Scripts exercising every statement and expression form, run on the machine.
#include <gtest/gtest.h>

#include "tests/pascal/PasScriptHost.h"
#include "tests/pascal/PasTestUtil.h"

namespace {

struct TRunCase {
  const char* Name;
  std::string Source;
  std::vector<std::string> Output;
  std::string Error = {};  // expected failure message, empty when the run succeeds
};

void PrintTo(const TRunCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class RunScripts : public ::testing::TestWithParam<TRunCase> {};

TEST_P(RunScripts, GivesTheExpectedOutput) {
  const TRunCase& c = GetParam();
  const TPasRunResult r = RunPasScript(U16(c.Source));
  EXPECT_EQ(r.Error, c.Error) << c.Name;
  EXPECT_EQ(r.Output, c.Output) << c.Name;
}

std::string Main(const std::string& ABody, const std::string& ADecls = "") {
  return ADecls + "procedure Put(x); begin MessageList.Lines.Add(x) end;\n"
                  "procedure Main;\n" + ABody + "\nend;\n";
}

INSTANTIATE_TEST_SUITE_P(
    Statements, RunScripts,
    ::testing::Values(
        TRunCase{"GlobalCodeAndInitializers",
                 "var g = 40 + 2, h; const K = 'k';\nbegin MessageList.Lines.Add(g); "
                 "MessageList.Lines.Add(K); h := g * 2; MessageList.Lines.Add(h) end;",
                 {"42", "k", "84"}},
        TRunCase{"IfElse",
                 Main("var i; begin for i := 1 to 3 do if i = 1 then Put('one') else if i = 2 "
                      "then Put('two') else Put('many');\nif i > 0 then else Put('no');")
                 , {"one", "two", "many"}},
        TRunCase{"WhileRepeatFor",
                 Main("var i, s; begin i := 0; s := 0; while i < 5 do begin i := i + 1; s := s + i "
                      "end; Put(s); repeat i := i - 2 until i < 0; Put(i); for i := 10 downto 8 do "
                      "Put(i); for i := 3 to 1 do Put('never');"),
                 {"15", "-1", "10", "9", "8"}},
        TRunCase{"ForLimitEvaluatedOnce",
                 Main("var i, n; begin n := 3; for i := 1 to n do n := n + 10; Put(n); Put(i);"),
                 {"33", "4"}},
        TRunCase{"ForOverAGlobal",
                 "var gi;\n" + Main("begin for gi := 1 to 2 do Put(gi);"), {"1", "2"}},
        TRunCase{"BreakContinueInAllLoops",
                 Main("var i; begin for i := 1 to 10 do begin if i = 2 then Continue; if i = 4 then "
                      "Break; Put(i) end; i := 0; while True do begin i := i + 1; if i < 3 then "
                      "Continue; Put(i); Break end; repeat i := i + 1; if i = 5 then Continue; "
                      "if i = 6 then Break until False; Put(i);"),
                 {"1", "3", "3", "6"}},
        TRunCase{"BreakAndExitThroughFinally",
                 Main("var i; begin for i := 1 to 3 do try if i = 2 then Break; Put(i); finally "
                      "Put(-i) end; try Exit; finally Put('exit-f') end; Put('not');"),
                 {"1", "-1", "-2", "exit-f"}},
        TRunCase{"ContinueThroughFinallyAndNestedTry",
                 Main("var i; begin for i := 1 to 2 do try try Continue; finally Put('in') end; "
                      "finally Put('out') end; Put('done');"),
                 {"in", "out", "in", "out", "done"}},
        TRunCase{"ExitFromFunctionKeepsResult",
                 "function F(x); begin Result := 'small'; if x < 10 then Exit; Result := 'big' end;\n" +
                     Main("begin Put(F(1)); Put(F(100));"),
                 {"small", "big"}},
        TRunCase{"BreakInFinallyIsAnError",
                 Main("var i; begin for i := 1 to 2 do try Put(i); finally Break end;"),
                 {"1"}, "Cannot BREAK, CONTINUE or EXIT out of a FINALLY clause"},
        TRunCase{"BreakOutsideLoop", Main("begin Break;"), {},
                 "BREAK or CONTINUE outside of loop"},
        TRunCase{"TryExceptOnClauses",
                 Main("begin try raise Exception.Create('boom'); except on E: EQelVMRuntime do "
                      "Put('vm'); on E: Exception do Put('caught ' + E.Message); end; try x := "
                      "Undeclared1; except on EQelVMRuntime do Put('runtime'); else Put('else') end;"
                      "try raise 'plain'; except Put('bare handler') end;"),
                 {"caught boom", "runtime", "bare handler"}},
        TRunCase{"ExceptElseAndReraise",
                 Main("begin try try raise Exception.Create('inner'); except on E: EQelVMRuntime do "
                      "Put('no'); else begin Put('else'); raise end end; except on E: Exception do "
                      "Put('outer ' + E.Message); end;"),
                 {"else", "outer inner"}},
        TRunCase{"UnhandledPropagates",
                 Main("begin try raise Exception.Create('up'); except on E: EQelVMRuntime do "
                      "Put('no'); end;"),
                 {}, "up"},
        TRunCase{"FinallyRunsOnException",
                 Main("begin try try raise 'x'; finally Put('finally') end; except Put('except') end;"),
                 {"finally", "except"}},
        TRunCase{"HandlerInGlobalCode",
                 "begin try raise Exception.Create('global'); except on E: Exception do "
                 "MessageList.Lines.Add(E.Message); end; end;",
                 {"global"}},
        TRunCase{"ExitAndContinueFromHandlers",
                 "function F; begin Result := 'kept'; try raise 'x'; except Exit end; Result := "
                 "'lost' end;\n" +
                     Main("var i; begin Put(F); for i := 1 to 3 do try if i = 2 then raise 'x'; "
                          "Put(i); except Continue end; Put('end');"),
                 {"kept", "1", "3", "end"}},
        TRunCase{"LeavingAHandlerRestoresTheNamespace",
                 "var E = 'global';\n" +
                     Main("var i; begin for i := 1 to 2 do try raise 'x'; except on E: Exception "
                          "do Break; end; Put(E);"),
                 {"global"}},
        TRunCase{"BreakFromExceptHandler",
                 Main("var i; begin for i := 1 to 5 do try raise 'x'; except if i = 2 then Break; "
                      "Put(i) end; Put('after');"),
                 {"1", "after"}},
        TRunCase{"CaseRangesSetsAndIn",
                 Main("var i; begin for i := 0 to 8 do case i of 1: Put('one'); 2..4, 6: "
                      "Put('few'); 7: ; else Put('other') end; Put([1, 3..5]); Put(3 in [1, 3..5]);"
                      " Put(2 in [1, 3..5]); Put([]);"),
                 {"other", "one", "few", "few", "few", "other", "few", "other", "58", "True",
                  "False", "0"}},
        TRunCase{"CaseOfStrings",
                 Main("var s; begin s := 'b'; case s of 'a': Put(1); 'b', 'c': Put(2); end;"),
                 {"2"}},
        TRunCase{"SetMemberOutOfRange", Main("begin Put([40]);"), {},
                 "Constant expression violates subrange bounds"},
        TRunCase{"ByReferenceParameters",
                 "procedure Swap(var a; var b); var t; begin t := a; a := b; b := t end;\n"
                 "procedure Bump(out x; y); begin x := x + 1; y := y + 1 end;\n"
                 "var ga = 1, gb = 2;\n" +
                     Main("var a, b; begin a := 'x'; b := 'y'; Swap(a, b); Put(a + b); Swap(ga, gb);"
                          " Put(ga); a := 1; b := 1; Bump(a, b); Bump(ga, gb); Put(ga); Put(gb); Put(a); Put(b);"
                          " Bump(ga + 0, gb); Put(ga);"),
                 {"yx", "2", "3", "1", "2", "1", "3"}},
        TRunCase{"ConstParameterCannotBeAssigned",
                 "procedure P(const c); begin c := 1 end;\n" + Main("begin P(5);"), {},
                 "Invalid assignment"},
        TRunCase{"LocalConstantsAndInitializers",
                 "function F(n); const Lit = -3; Twice = n * 2; var x = Twice + 1, y; begin "
                 "if n > 0 then F(n - 1); Result := Lit + x + Twice end;\n" +
                     Main("begin Put(F(2)); Put(F(5));"),
                 {"6", "18"}},
        TRunCase{"InitializerRunsOnEveryCall",
                 "var calls = 0; function Next; begin calls := calls + 1; Result := calls end;\n"
                 "function F; var x = Next; begin Result := x end;\n" +
                     Main("begin Put(F); Put(F);"),
                 {"1", "2"}},
        TRunCase{"RecursionAndForwardCalls",
                 Main("begin Put(Fact(10)); Put(Fib(15));",
                      "function Fact(n); begin if n <= 1 then Result := 1 else Result := n * "
                      "Fact(n - 1) end;\nfunction Fib(n); begin if n < 2 then Result := n else "
                      "Result := Fib(n - 1) + Fib(n - 2) end;\n"),
                 {"3628800", "610"}},
        TRunCase{"IncDec",
                 Main("var i; begin i := 5; Inc(i); Inc(i, 10); Dec(i, 2); Put(i); Inc(5);"),
                 {"14"}},
        TRunCase{"UndeclaredNameFailsOnlyWhenRun",
                 Main("begin Put('before'); if False then Nothing1; Nothing2;"),
                 {"before"}, "Undeclared identifier: 'Nothing2'"}));

INSTANTIATE_TEST_SUITE_P(
    Expressions, RunScripts,
    ::testing::Values(
        TRunCase{"Precedence",
                 Main("begin Put(-2 * 3); Put(2 - 3 - 4); Put(1 + 2 * 3); Put(7 div 2 * 2); "
                      "Put(7 mod 4 + 1 shl 2); Put((1 + 2) * 3); Put(2 * 3 = 6);"),
                 {"-6", "-5", "7", "6", "7", "9", "True"}},
        TRunCase{"BitwiseAndOrOnIntegers",
                 Main("var Shift, a, b; begin Put(6 and 3); Put($0F or $F0); Shift := 5; "
                      "Put((Shift and 4) <> 0); Put((Shift and 2) <> 0); a := 12; b := 10; "
                      "Put(a and b); Put(a or b); Put(a xor b); if Shift and 4 then Put('bit') "
                      "else Put('nobit'); if Shift and 2 then Put('bit') else Put('nobit'); "
                      "a := -1; Put(a or 5); a := 0; Put(a and 5);"),
                 {"2", "255", "True", "False", "8", "14", "6", "bit", "nobit", "-1", "0"}},
        TRunCase{"NotOnIntegersAndBooleans",
                 Main("var x, t; begin if not 4 then Put('then') else Put('else'); x := 4; "
                      "if not x then Put('then') else Put('else'); Put(not x); t := True; "
                      "Put(not t); if not t then Put('no') else Put('yes'); if not (x = 4) then "
                      "Put('no') else Put('yes'); x := 0; if not x then Put('not0');"),
                 {"then", "then", "-5", "False", "yes", "yes", "not0"}},
        TRunCase{"BooleanShortCircuit",
                 "var calls = 0; function Hit(v); begin calls := calls + 1; Result := v end;\n" +
                     Main("var t, f; begin t := True; f := False; if f and Hit(True) then "
                          "Put('no'); if t or Hit(True) then Put('or'); Put(calls); if (calls = "
                          "0) and Hit(True) then Put('and'); Put(calls); Put(f and Hit(True)); "
                          "Put(t or Hit(False)); Put(calls); Put(t and Hit(7)); Put(f or "
                          "Hit(5)); Put(calls);"),
                 {"or", "0", "and", "1", "False", "True", "1", "7", "5", "3"}},
        TRunCase{"ShortCircuitValueYieldsOperand",
                 "var calls = 0; function Hit(v); begin calls := calls + 1; Result := v end;\n" +
                     Main("var x, t; begin t := True; x := (1 = 1) or Hit(1); Put(x); Put(calls);"
                          " x := (1 = 2) and Hit(1); Put(x); x := (1 = 1) and Hit(1 = 1); Put(x);"),
                 {"True", "0", "False", "True"}},
        TRunCase{"StringsAndLiterals",
                 Main("var s; begin s := 'It''s'#32'ok'; Put(s); Put('a' + 'b'); Put(1.5 + 1); "
                      "Put(#65#66);"),
                 {"It's ok", "ab", "2.5", "AB"}},
        TRunCase{"ArraysIndexedAndAssigned",
                 Main("var a, i; begin a := array[4]; for i := 0 to 4 do a[i] := i * i; Put(a[3]); "
                      "a := array[1..2, 0..1] of Integer; a[2, 1] := 7; Put(a[2, 1]); Put(a[1, 0]);"),
                 {"9", "7", "0"}},
        TRunCase{"ResultAndFunctionCallChains",
                 "function Twice(x); begin Result := x * 2 end;\n"
                 "function Get; begin Result := MessageList end;\n" +
                     Main("begin Put(Twice(Twice(3))); Get.Lines.Add('chained'); Get().Lines.Add("
                          "'again');"),
                 {"12", "chained", "again"}},
        TRunCase{"NilAndUnassigned",
                 Main("var x; begin Put(x = Unassigned); x := nil; Put(x = nil);"),
                 {"True", "True"}}));

TEST(RunScripts, CompileErrorReportsLineAndColumn) {
  const TPasRunResult r = RunPasScript(u"begin\n  x := 1;\n  y :=;\nend;");
  EXPECT_EQ(r.Error, "Invalid token: ';'.");
  EXPECT_EQ(r.Line, 3);
  EXPECT_EQ(r.Pos, 7);
}

TEST(RunScripts, RuntimeErrorReportsItsLine) {
  const TPasRunResult r = RunPasScript(u"procedure Main;\nvar x;\nbegin\n  x := 1;\n  Nope;\nend;");
  EXPECT_EQ(r.Error, "Undeclared identifier: 'Nope'");
  EXPECT_EQ(r.Line, 5);
}

}  // namespace
