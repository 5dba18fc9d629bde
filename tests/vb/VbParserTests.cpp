// The parser: program structure, statements, and every parser message with its position.
#include <gtest/gtest.h>

#include "tests/vb/VbTestUtil.h"

namespace {

class ParserErrors : public ::testing::TestWithParam<TCompileErrorCase> {};

TEST_P(ParserErrors, RaisesPositionedError) {
  const TCompileErrorCase& c = GetParam();
  TRecordingCallbacks cbs;
  TQelVbParser parser(&cbs);
  ExpectCompileError(c, [&] { parser.Parse(U16(c.Source)); });
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParserErrors,
    ::testing::Values(
        TCompileErrorCase{"x = 1 y = 2", "Invalid token: 'identifier'.", 7},
        TCompileErrorCase{"If a Then b = 1 Else b = 2", "Invalid token: 'Else'.", 20},
        TCompileErrorCase{"For i = 1 To 2\r\nNext i", "Invalid token: 'identifier'.", 22},
        TCompileErrorCase{"Dim x As Integer", "Invalid token: 'As'.", 8},
        TCompileErrorCase{"Function F(a) As Integer\r\nEnd Function", "Invalid token: 'As'.", 16},
        TCompileErrorCase{"Select Case x\r\nCase Else\r\nCase 1\r\nEnd Select", "Invalid token: 'Case'.", 30},
        TCompileErrorCase{"Do\r\nExit For\r\nLoop", "Invalid \"exit\" instruction", 12},
        TCompileErrorCase{"Sub S\r\nExit Function\r\nEnd Sub", "Invalid \"exit\" instruction", 20},
        TCompileErrorCase{"Exit Sub", "Invalid \"exit\" instruction", 8},
        TCompileErrorCase{"Foo(1, 2)", "Invalid use of parentheses in procedure call.", 10},
        TCompileErrorCase{"Sub S\r\nReturn x\r\nEnd Sub", "Invalid token: 'identifier'.", 15},
        TCompileErrorCase{"Function F\r\nReturn\r\nEnd Function", "Invalid token: 'end of line'.", 20},
        TCompileErrorCase{"Try\r\nx = 1\r\nEnd Try", "Invalid token: 'End'.", 15},
        TCompileErrorCase{"Try\r\nCatch\r\nCatch\r\nEnd Try", "Invalid token: 'Catch'.", 17},
        TCompileErrorCase{"Throw", "Re-raising an exception only allowed in exception handler", 5},
        TCompileErrorCase{"Try\r\nCatch\r\nTry\r\nThrow\r\nCatch\r\nEnd Try\r\nEnd Try", "Re-raising an exception only allowed in exception handler", 22},
        TCompileErrorCase{"Try\r\nFinally\r\nThrow\r\nEnd Try", "Re-raising an exception only allowed in exception handler", 19},
        TCompileErrorCase{"Dim x\r\nDim x", "Object or value named 'x' already exists.", 12},
        TCompileErrorCase{"Function F\r\nDim f\r\nEnd Function", "Object or value named 'f' already exists.", 17},
        TCompileErrorCase{"Sub S(s)\r\nEnd Sub", "Object or value named 's' already exists.", 7},
        TCompileErrorCase{"Sub S(a, A)\r\nEnd Sub", "Object or value named 'A' already exists.", 10},
        TCompileErrorCase{"Sub S\r\nEnd Sub\r\nSub s\r\nEnd Sub", "Object or value named 's' already exists.", 31},
        TCompileErrorCase{"Dim a(2) As Text", "Type identifier expected", 16},
        TCompileErrorCase{"x = Not TypeOf y Is z", "Invalid token: 'TypeOf'.", 14},
        TCompileErrorCase{"x = TypeOf y", "Invalid token: 'end of line'.", 13},
        TCompileErrorCase{"x = f(1, , 2)", "Invalid token: ','.", 10},
        TCompileErrorCase{"x = (1", "Invalid token: 'end of line'.", 7},
        TCompileErrorCase{"End", "Invalid token: 'End'.", 3},
        TCompileErrorCase{"Next", "Invalid token: 'Next'.", 4},
        TCompileErrorCase{")", "Invalid token: ')'.", 1},
        TCompileErrorCase{"Sub S\r\nSub T\r\nEnd Sub\r\nEnd Sub", "Invalid token: 'Sub'.", 10},
        TCompileErrorCase{"If a Then\r\nx = 1\r\n", "Invalid token: 'end of file'.", 19},
        TCompileErrorCase{"Sub S(a,)\r\nEnd Sub", "Invalid token: ')'.", 9},
        TCompileErrorCase{"ReDim a", "Invalid token: 'end of line'.", 8},
        TCompileErrorCase{"x = _", "Invalid token: 'end of line'.", 6}));

TEST(Parser, AcceptsTheStatementForms) {
  for (const char* source : {
           "", "' only a comment\r\r\n\r\r\n", "x = 1 : y = 2", "If a Then b = 1 : c = 2",
           "If a Then b = 1 : Else b = 2", "Foo", "Foo()", "Foo(1)", "Foo 1", "Foo 1, 2",
           "Foo (1), 2", "Call Foo(1, 2)", "x(1) = 2", "Set o = New Foo.Bar(1).Baz",
           "Do While x Loop", "Do : Loop Until y", "Try\r\nCatch e As Exception\r\nThrow\r\nEnd Try",
           "Select Case x\r\nCase 1, 2 : y = 1\r\nCase Else\r\nEnd Select", "ReDim Preserve a(1, 2) As Byte",
           "Erase a", "Dim a(), b(1, 2), c = 3", "Sub S : End Sub", "Function F(ByVal a, ByRef b)\r\nF = a\r\nEnd Function",
           "x = #2021-12-31# + 1.5 - &FF & \"t\" Imp a Eqv b Xor c Or d And Not e",
           "x = a Is Not Nothing", "x = TypeOf a Is b", "x = f(1)(2).c"}) {
    TRecordingCallbacks cbs;
    TQelVbParser parser(&cbs);
    EXPECT_NO_THROW(parser.Parse(U16(source))) << source;
  }
}

TEST(Parser, DesignatorItemsAndParenthesesOfCalls) {
  TRecordingCallbacks cbs;
  TQelVbParser parser(&cbs);
  auto expr = parser.ParseExpr(u"a.b(1)(2).c");
  auto* d = dynamic_cast<TQelDesignatorExpr*>(expr.get());
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(d->FItems.size(), 4u);
  EXPECT_EQ(d->FItems[1]->FArgs.size(), 1u);
  EXPECT_FALSE(d->FItems[2]->IsNamed());
  EXPECT_EQ(d->FItems[2]->FBracketType, bkVbRound);
  EXPECT_EQ(d->FItems[3]->FStrName, u"c");
  auto stmt = parser.ParseStmt(u"Foo 1, 2");
  auto* call = dynamic_cast<TQelExpressionStmt*>(stmt.get());
  ASSERT_NE(call, nullptr);
  auto* target = dynamic_cast<TQelDesignatorExpr*>(call->FExpr.get());
  ASSERT_EQ(target->FItems.size(), 1u);
  EXPECT_EQ(target->FItems[0]->FArgs.size(), 2u);
  EXPECT_EQ(target->FItems[0]->FBracketType, bkNon);
}

TEST(Parser, PrecedenceFollowsTheLevels) {
  TRecordingCallbacks cbs;
  TQelVbParser parser(&cbs);
  // a = 1 And b = 2 is (a = 1) And (b = 2).
  auto expr = parser.ParseExpr(u"a = 1 And b = 2");
  auto* top = dynamic_cast<TQelBinaryExpr*>(expr.get());
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->FInstr, icAnd);
  EXPECT_EQ(dynamic_cast<TQelBinaryExpr*>(top->FLeftExpr.get())->FInstr, icEqual);
  // Not a = b is (Not a) = b.
  expr = parser.ParseExpr(u"Not a = b");
  top = dynamic_cast<TQelBinaryExpr*>(expr.get());
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->FInstr, icEqual);
  // x Is Not Nothing is one test.
  expr = parser.ParseExpr(u"x Is Not Nothing");
  EXPECT_EQ(dynamic_cast<TQelBinaryExpr*>(expr.get())->FInstr, icRefNotEqual);
}

TEST(Parser, StatementsArePositionedAsDocumented) {
  struct TRow {
    const char16_t* Source;
    int Pos;
  } rows[] = {{u"  x = 1", 5}, {u"  Set x = 1", 9}, {u"  Foo 1", 3}, {u"  Call Foo", 3},
              {u"  Dim a", 3}, {u"  Erase a", 3}, {u"  Try\r\nFinally\r\nEnd Try", 3}};
  for (const TRow& row : rows) {
    TRecordingCallbacks cbs;
    TQelVbParser parser(&cbs);
    auto stmt = parser.ParseStmt(row.Source);
    EXPECT_EQ(static_cast<TQelStatement*>(stmt.get())->FSourcePos, row.Pos)
        << StringToUtf8(row.Source);
  }
}

// A flat operator chain is not nesting: 100,000 operands parse without native recursion.
TEST(Parser, LongOperatorChainsAreNotNesting) {
  for (const char* op : {" + ", " & ", " * ", " Xor "}) {
    std::string chain = "x = 1";
    for (int i = 0; i < 100000; ++i) chain += std::string(op) + "1";
    TRecordingCallbacks cbs;
    TQelVbParser parser(&cbs);
    auto error = CatchCompileError([&] { parser.Parse(U16(chain)); });
    EXPECT_FALSE(error.has_value()) << op << ": " << error->Message;
  }
}

TEST(Parser, DeepNestingIsAPositionedError) {
  for (const std::string& source :
       {"x = " + std::string(2000, '(') + "1", "x = " + std::string(3000, '-') + "1",
        [] {
          std::string s;
          for (int i = 0; i < 1000; ++i) s += "If a Then\r\n";
          return s;
        }()}) {
    TRecordingCallbacks cbs;
    TQelVbParser parser(&cbs);
    auto error = CatchCompileError([&] { parser.Parse(U16(source)); });
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->Message == StringToUtf8(SQelTooDeep) ||
                error->Message.rfind("Invalid token", 0) == 0)
        << error->Message;
    EXPECT_GT(error->Pos, 0);
  }
}

}  // namespace
