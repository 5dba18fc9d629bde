// The parser: program structure, declarations, and every syntax message with its position.
#include <gtest/gtest.h>

#include "engine/vm/QelSctVM.h"
#include "tests/pascal/PasTestUtil.h"

namespace {

using TParseError = TCompileErrorCase;

class ParserErrors : public ::testing::TestWithParam<TParseError> {};

TEST_P(ParserErrors, RaisesPositionedError) {
  const TParseError& c = GetParam();
  TRecordingCallbacks cbs;
  TQelPasParser parser(&cbs);
  ExpectCompileError(c, [&] { parser.Parse(U16(c.Source)); });
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParserErrors,
    ::testing::Values(
        TParseError{"program X;", "Invalid token: 'identifier'.", 7},
        TParseError{"var i: Integer;", "Invalid token: ':'.", 6},
        TParseError{"function F(a; var b): Integer; begin end;", "Invalid token: ':'.", 21},
        TParseError{"procedure P(a, b); begin end;", "Invalid token: ','.", 14},
        TParseError{"procedure P begin end;", "Invalid token: 'begin'.", 17},
        TParseError{"procedure P; var x: Integer; begin end;", "Invalid token: ':'.", 19},
        TParseError{"procedure P; x; begin end;", "Invalid token: 'identifier'.", 14},
        TParseError{"begin end.", "Invalid token: '.'.", 10},
        TParseError{"begin end", "Invalid token: 'end of file'.", 10},
        TParseError{"begin x := 1; end; y", "Invalid token: 'identifier'.", 20},
        TParseError{"const a; begin end;", "Invalid token: ';'.", 8},
        TParseError{"const a = 1, b = 2;", "Invalid token: ','.", 12},
        TParseError{"uses A B;", "Invalid token: 'identifier'.", 8},
        TParseError{"begin end; uses A;", "Invalid token: 'uses'.", 15},
        TParseError{"procedure P; begin end; procedure P; begin end;",
                    "Object or value named 'P' already exists.", 47},
        TParseError{"var a, a;", "Object or value named 'a' already exists.", 8},
        TParseError{"var a; const A = 1;", "Object or value named 'A' already exists.", 18},
        TParseError{"uses A, a;", "Object or value named 'a' already exists.", 9},
        TParseError{"function F(Result); begin end;",
                    "Object or value named 'Result' already exists.", 17},
        TParseError{"function F; var result; begin end;",
                    "Object or value named 'result' already exists.", 22},
        TParseError{"procedure P(a); const A = 1; begin end;",
                    "Object or value named 'A' already exists.", 27},
        TParseError{"begin raise; end;", "Re-raising an exception only allowed in exception handler", 11},
        TParseError{"begin try raise; except end; end;",
                    "Re-raising an exception only allowed in exception handler", 15},
        TParseError{"begin try a; finally raise end; end;",
                    "Re-raising an exception only allowed in exception handler", 26},
        TParseError{"begin x := array[3] of Text; end;", "Type identifier expected", 27},
        TParseError{"begin if c then; else x := 1; end;", "Invalid token: 'else'.", 21},
        TParseError{"begin case x of 1: a; 2: b else c end; end;", "Invalid token: 'else'.", 31},
        TParseError{"begin case x of 1 a; end; end;", "Invalid token: 'identifier'.", 19},
        TParseError{"begin case x of end; end;", "Invalid token: 'end'.", 19},
        TParseError{"begin try a except b end; end;", "Invalid token: 'except'.", 18},
        TParseError{"begin try a; end; end;", "Invalid token: 'end'.", 16},
        TParseError{"begin try except on E: do x; end; end;", "Invalid token: 'do'.", 25},
        TParseError{"begin try except on E: Exception do x end; end;", "Invalid token: 'end'.", 41},
        TParseError{"begin x := ; end;", "Invalid token: ';'.", 12},
        TParseError{"begin x := (1 + 2; end;", "Invalid token: ';'.", 18},
        TParseError{"begin x = 1; end;", "Invalid token: '='.", 9},
        TParseError{"begin x.; end;", "Invalid token: ';'.", 9},
        TParseError{"begin x := a[1; end;", "Invalid token: ';'.", 15},
        TParseError{"begin x := [1..; end;", "Invalid token: ';'.", 16},
        TParseError{"begin x := @; end;", "Invalid token: ';'.", 13},
        TParseError{"begin for x.y := 1 to 2 do; end;", "Invalid token: '.'.", 12},
        TParseError{"begin for i := 1 until 2 do ; end;", "Invalid token: 'until'.", 22},
        TParseError{"begin while a x := 1; end;", "Invalid token: 'identifier'.", 15},
        TParseError{"begin repeat x := 1 end;", "Invalid token: 'end'.", 23},
        TParseError{"begin if a x := 1; end;", "Invalid token: 'identifier'.", 12},
        TParseError{"begin x := 'abc", "Unterminated string", 15},
        TParseError{"begin x := 1 ? 2; end;", "Illegal character: '?' ($3F)", 14}));

TEST(Parser, EmptyScriptsDeclareNothing) {
  for (const char16_t* source : {u"", u"begin end;", u"begin ; ; end;"}) {
    TRecordingCallbacks cbs;
    TQelPasParser parser(&cbs);
    parser.Parse(source);
    EXPECT_TRUE(cbs.Globals.empty());
    EXPECT_TRUE(cbs.Stmts.empty());
  }
}

TEST(Parser, VarSectionReportsInitializerBeforeItsVariable) {
  TRecordingCallbacks cbs;
  TQelPasParser parser(&cbs);
  parser.Parse(u"var a = 1, b; c = 'x';");
  EXPECT_EQ(cbs.Order, (std::vector<std::string>{"stmt", "obj:a", "obj:b", "stmt", "obj:c"}));
  for (TQelGlobalObject* obj : cbs.Globals) EXPECT_EQ(obj->GetGlobalObjType(), gtVar);
}

TEST(Parser, ParametersGetTheirKindsAndIndexes) {
  TRecordingCallbacks cbs;
  TQelPasParser parser(&cbs);
  parser.Parse(u"procedure P(var a; const b; out c; d); begin end;");
  auto* proc = dynamic_cast<TQelProcedureDecl*>(cbs.Globals.at(0));
  ASSERT_NE(proc, nullptr);
  ASSERT_EQ(proc->FParams.size(), 4u);
  const TQelParamKind kinds[] = {pkByRef, pkConst, pkByRef, pkSimple};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(proc->FParams[size_t(i)]->FParamInfo.Kind, kinds[i]);
    EXPECT_EQ(proc->FParams[size_t(i)]->FParamInfo.Index, i);
  }
  EXPECT_EQ(proc->FParamCount, 4);
  EXPECT_FALSE(proc->IsFunction());
}

TEST(Parser, ProcedureMayNameALocalResultButAFunctionMayNot) {
  TRecordingCallbacks cbs;
  TQelPasParser parser(&cbs);
  parser.Parse(u"procedure P(Result); begin end; function F; begin Result := 1 end;");
  ASSERT_EQ(cbs.Globals.size(), 2u);
  auto* f = dynamic_cast<TQelProcedureDecl*>(cbs.Globals[1]);
  EXPECT_TRUE(f->IsFunction());
  EXPECT_NE(f->FLocalResult, nullptr);
}

TEST(Parser, MainBlockStatementsAreSeparateGlobalStatements) {
  TRecordingCallbacks cbs;
  TQelPasParser parser(&cbs);
  parser.Parse(u"uses Classes, Forms; const K = 2; begin a; b := 1; ; c end;");
  EXPECT_EQ(cbs.Units, (std::vector<std::u16string>{u"Classes", u"Forms"}));
  EXPECT_EQ(cbs.Stmts.size(), 4u);  // K's initializer and three statements
}

TEST(Parser, ParseStmtAndParseExprNeedTheWholeText) {
  TRecordingCallbacks cbs;
  TQelPasParser parser(&cbs);
  EXPECT_NE(parser.ParseStmt(u"x := 1"), nullptr);
  EXPECT_NE(parser.ParseExpr(u"1 + 2 * x"), nullptr);
  auto stmtError = CatchCompileError([&] { parser.ParseStmt(u"x := 1; y := 2"); });
  ASSERT_TRUE(stmtError);
  EXPECT_EQ(stmtError->Message, "Invalid token: ';'.");
  auto exprError = CatchCompileError([&] { parser.ParseExpr(u"1 2"); });
  ASSERT_TRUE(exprError);
  EXPECT_EQ(exprError->Pos, 3);
}

TEST(Parser, DesignatorItemsFollowTheBracketRules) {
  TRecordingCallbacks cbs;
  TQelPasParser parser(&cbs);
  auto node = parser.ParseExpr(u"a.b(1)[2](  ).c");
  auto* d = dynamic_cast<TQelDesignatorExpr*>(node.get());
  ASSERT_NE(d, nullptr);
  struct {
    const char16_t* Name;
    TQelBracketType Bracket;
    size_t Args;
  } const want[] = {{u"a", bkNon, 0}, {u"b", bkRound, 1}, {u"", bkBlock, 1}, {u"", bkRound, 0},
                    {u"c", bkNon, 0}};
  ASSERT_EQ(d->FItems.size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(d->FItems[i]->FStrName, want[i].Name);
    EXPECT_EQ(d->FItems[i]->FBracketType, want[i].Bracket);
    EXPECT_EQ(d->FItems[i]->FArgs.size(), want[i].Args);
  }
}

TEST(Parser, PrecedenceFollowsTheFourLevels) {
  TRecordingCallbacks cbs;
  TQelPasParser parser(&cbs);
  // a = 1 and b = 2 is a = (1 and b) = 2, left to right.
  auto node = parser.ParseExpr(u"a = 1 and b = 2");
  auto* top = dynamic_cast<TQelBinaryExpr*>(node.get());
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->FInstr, icEqual);
  auto* left = dynamic_cast<TQelBinaryExpr*>(top->FLeftExpr.get());
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->FInstr, icEqual);
  auto* inner = dynamic_cast<TQelBinaryExpr*>(left->FRightExpr.get());
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->FInstr, icAnd);
  // not a = b is (not a) = b.
  auto notNode = parser.ParseExpr(u"not a = b");
  auto* eq = dynamic_cast<TQelBinaryExpr*>(notNode.get());
  ASSERT_NE(eq, nullptr);
  EXPECT_NE(dynamic_cast<TQelUnaryExpr*>(eq->FLeftExpr.get()), nullptr);
}

TEST(Parser, DeepNestingIsACompileErrorNotACrash) {
  std::string parens = std::string(20000, '(') + "1" + std::string(20000, ')');
  std::string unary;
  for (int i = 0; i < 20000; ++i) unary += "-";
  std::string ifs;
  for (int i = 0; i < 20000; ++i) ifs += "if a then ";
  std::string begins;
  for (int i = 0; i < 20000; ++i) begins += "begin ";
  std::string args = "f(";
  for (int i = 0; i < 20000; ++i) args += "f(";
  for (const std::string& source :
       {"begin x := " + parens + "; end;", "begin x := " + unary + "1; end;",
        "begin " + ifs + "x := 1; end;", begins,
        "begin x := " + args + "; end;", "begin x := [" + parens + "]; end;"}) {
    TRecordingCallbacks cbs;
    TQelPasParser parser(&cbs);
    auto error = CatchCompileError([&] { parser.Parse(U16(source)); });
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Message, StringToUtf8(SQelTooDeep));
    EXPECT_GT(error->Pos, 0);
  }
}

// A flat operator chain is not nesting: 100,000 operands parse (and their tree is freed)
// without native recursion.
TEST(Parser, LongOperatorChainsAreNotNesting) {
  for (const char* op : {"+", "*", " mod ", " xor "}) {
    std::string chain = "1";
    for (int i = 0; i < 100000; ++i) chain += std::string(op) + "1";
    TRecordingCallbacks cbs;
    TQelPasParser parser(&cbs);
    auto error = CatchCompileError([&] { parser.Parse(U16("begin x := " + chain + "; end;")); });
    EXPECT_FALSE(error.has_value()) << op << ": " << error->Message;
  }
}

TEST(Parser, TruncatedScriptsAlwaysRaiseACompileError) {
  const std::string full =
      "uses A; var g = 1; const K = 'k'#13; function F(var a; const b); var x = [1, 2..3]; "
      "begin try case a of 1, 2..3: x := a.b(1)[2]; else Exit end; except on E: Exception do "
      "raise; else raise E end; for x := 1 downto 0 do while not x do repeat Break until "
      "x >= 1; Result := array[2, 1..3] of Integer; F := @F; end; begin F(g, K) end;";
  {
    TRecordingCallbacks cbs;
    TQelPasParser parser(&cbs);
    ASSERT_FALSE(CatchCompileError([&] { parser.Parse(U16(full)); }).has_value());
  }
  for (size_t len = 0; len + 1 < full.size(); ++len) {
    TRecordingCallbacks cbs;
    TQelPasParser parser(&cbs);
    const std::string prefix = full.substr(0, len);
    auto error = CatchCompileError([&] { parser.Parse(U16(prefix)); });
    // A prefix that ends with a whole declaration is a valid script itself.
    const bool complete = len == 0 || prefix.back() == ';' || prefix.back() == ' ';
    if (!complete) {
      EXPECT_TRUE(error.has_value()) << prefix;
    }
  }
}

}  // namespace

namespace {

// Random token soup, biased towards real script shapes: every text either compiles (and is
// then emitted by the machine) or fails with a positioned compile error.
TEST(Parser, RandomTokenSoupCompilesOrFailsCleanly) {
  const char* const vocabulary[] = {
      "begin", "end", ";", "var", "const", "procedure", "function", "P", "x", "y", ":=", "(",
      ")", "[", "]", ",", ".", "..", "=", "<>", "and", "or", "not", "if", "then", "else", "while",
      "do", "for", "to", "downto", "repeat", "until", "case", "of", ":", "try", "except",
      "finally", "on", "raise", "1", "'s'", "2.5", "nil", "array", "@", "+", "-", "*", "in",
      "Exit", "Break", "uses", "out", "#65", "$FF"};
  const size_t count = sizeof(vocabulary) / sizeof(vocabulary[0]);
  uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  int compiled = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = round % 2 ? "procedure P; begin " : "begin ";
    const int length = int(next() % 40);
    for (int i = 0; i < length; ++i) text += std::string(vocabulary[next() % count]) + " ";
    text += round % 3 ? "end;" : "";
    TQelVirtMachine vm(QelPasLanguage());
    try {
      vm.Initialize(U16(text));
      ++compiled;
    } catch (const ExceptionPtr& e) {
      auto* error = dynamic_cast<EQelCompileBase*>(e.Get());
      ASSERT_NE(error, nullptr) << text << ": " << StringToUtf8(e->GetMessage());
      EXPECT_GE(error->FSourcePos, 1) << text;
      EXPECT_LE(error->FSourcePos, int(text.size()) + 1) << text;
    }
  }
  EXPECT_GT(compiled, 0);
}

}  // namespace
