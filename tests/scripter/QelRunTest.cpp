// The command-line runner's contract, run as a separate program: exit status, standard output
// and the error text for each way a run can end.
#include "tests/scripter/QelRunTestKit.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

struct TRunResult {
  int Status = -1;
  std::string Out, Err;
};

class QelRunTest : public QelScratchDirTest {
 protected:
  QelRunTest() : QelScratchDirTest("qelrun_test_") {}
  // Standard input is AStdin (empty by default), never the terminal.
  TRunResult Run(const std::string& AArgs, const std::string& AStdin = "") {
    const fs::path in = Write("stdin.txt", AStdin);
    const std::string command = std::string(QELRUN_PATH) + " " + AArgs + " <" + in.string() + " >" +
                                (Dir / "out").string() + " 2>" + (Dir / "err").string();
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(Dir / "out"), ReadAll(Dir / "err")};
  }
};

struct TCase {
  const char* Name;
  const char* FileName;  // nullptr: no file is written
  const char* Source;
  const char* ExtraArgs;
  int Status;
  const char* Out;
  const char* ErrPrefix;  // the start of standard error; "{file}" stands for the script's path
};

std::string WithFile(std::string AText, const std::string& AFile) {
  for (size_t at; (at = AText.find("{file}")) != std::string::npos;) AText.replace(at, 6, AFile);
  return AText;
}

void PrintTo(const TCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class QelRunCases : public QelRunTest, public ::testing::WithParamInterface<TCase> {};

TEST_P(QelRunCases, ExitStatusAndOutput) {
  const TCase& c = GetParam();
  const std::string file = c.FileName ? Write(c.FileName, c.Source).string() : (Dir / "missing.pas").string();
  const TRunResult r = Run(std::string(c.ExtraArgs) + " " + file + " " + "");
  EXPECT_EQ(r.Status, c.Status) << r.Err;
  EXPECT_EQ(r.Out, c.Out);
  const std::string prefix = WithFile(c.ErrPrefix, file);
  EXPECT_EQ(r.Err.substr(0, prefix.size()), prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QelRunCases,
    ::testing::Values(
        TCase{"Hello", "hello.pas", "procedure Main; begin MessageList.Lines.Add('hi'); end;\n", "", 0, "hi\n", ""},
        TCase{"ExtensionInAnyCase", "upper.PAS", "procedure Main; begin MessageList.Lines.Add(1 + 1); end;\n", "", 0,
              "2\n", ""},
        TCase{"MissingFile", nullptr, "", "", 2, "", "qelrun: cannot read"},
        TCase{"MissingMain", "nomain.pas", "procedure Other; begin end;\n", "", 1, "",
              "Undeclared identifier: 'Main'\n"},
        TCase{"CompileError", "bad.pas", "procedure Main;\nbegin\n  x := ;\nend;\n", "", 1, "",
              "{file}:3:8: Invalid token"},
        TCase{"RuntimeErrorKeepsEarlierOutput", "fails.pas",
              "procedure Main;\nbegin\n  MessageList.Lines.Add('before');\n  Nobody;\nend;\n", "", 1, "before\n",
              "{file}:4:8: Undeclared identifier: 'Nobody'\nUndeclared identifier: 'Nobody'\nSource: $"},
        TCase{"UnknownLanguage", "x.pas", "", "--lang Cobol", 2, "", "qelrun: unknown language 'Cobol'"},
        TCase{"LangNamesAnEngine", "x.txt", "exit\nMain:\n  call QelCall MessageList, 'Lines.Add', 2 + 1\n  return\n",
              "--lang ObjectREXXScript", 0, "3\n", ""},
        TCase{"VbsIsVBScript", "x.vbs", "n = 2\nSub Main\n  MessageList.Lines.Add n + 1\nEnd Sub\n", "", 0, "3\n", ""},
        TCase{"OtherExtensionsAreVb", "x.bas", "Sub Main\n  MessageList.Lines.Add 1 + 1\nEnd Sub\n", "", 0,
              "2\n", ""},
        TCase{"LangOverridesExtension", "script.txt", "procedure Main; begin MessageList.Lines.Add('p'); end;\n",
              "--lang pascal", 0, "p\n", ""}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(QelRunTest, UsageErrorsExitWithTwo) {
  for (const char* args : {"--lang", "--bogus", "--help=1", "-x file.pas"}) {
    const TRunResult r = Run(args);
    EXPECT_EQ(r.Status, 2) << args;
    EXPECT_EQ(r.Err.rfind("qelrun: ", 0), 0u) << args;
    EXPECT_NE(r.Err.find("\nusage: qelrun"), std::string::npos) << args;
  }
}

TEST_F(QelRunTest, ErrorBlockOnItsOwnLineWithLineFromZero) {
  const fs::path file = Write("pos.pas", "procedure Main;\nbegin\n  Nobody;\nend;\n");
  const TRunResult r = Run(file.string());
  ASSERT_EQ(r.Status, 1);
  const size_t block = r.Err.find("\nSource: $");
  ASSERT_NE(block, std::string::npos) << r.Err;
  EXPECT_EQ(r.Err.find('\r'), std::string::npos);
  EXPECT_NE(r.Err.find(" [line: 2, pos: ", block), std::string::npos) << r.Err;  // the third line
  EXPECT_EQ(r.Err.back(), '\n');
}

TEST_F(QelRunTest, ProcedureWithStringArguments) {
  const fs::path file = Write("args.pas",
                              "procedure Greet(a; b);\nbegin\n  MessageList.Lines.Add(a + b);\n"
                              "  MessageList.Lines.Add(MessageList.Lines.Count);\nend;\n");
  const TRunResult r = Run(file.string() + " Greet 4 2");
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "42\n1\n");  // strings concatenate
}

TEST_F(QelRunTest, MessageListMembers) {
  const fs::path file = Write("memo.pas",
                              "procedure Main;\nbegin\n"
                              "  MessageList.Lines.Text := 'a' + #13#10 + 'b';\n"
                              "  MessageList.Lines.Add(MessageList.Lines[1] + MessageList.Lines.Strings[0]);\n"
                              "  MessageList.Lines.Clear;\n"
                              "  MessageList.Lines.Add(MessageList.Lines.Count = 0);\n"
                              "  MessageList.Clear;\n"
                              "  MessageList.Lines.Add(MessageList.Lines.Count);\nend;\n");
  const TRunResult r = Run(file.string());
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "a\nb\nba\nTrue\n0\n");
}

TEST_F(QelRunTest, ByteOrderMarksSelectTheEncoding) {
  const std::string script = "procedure Main; begin MessageList.Lines.Add('\xC3\xA9t\xC3\xA9'); end;\n";
  std::string utf16le = "\xFF\xFE";
  for (char ch : std::string("procedure Main; begin MessageList.Lines.Add('")) utf16le += {ch, '\0'};
  utf16le += std::string("\xE9\0t\0\xE9\0", 6);
  for (char ch : std::string("'); end;\n")) utf16le += {ch, '\0'};
  for (const auto& [name, bytes] : {std::pair{"plain.pas", script}, std::pair{"bom8.pas", "\xEF\xBB\xBF" + script},
                                    std::pair{"bom16.pas", utf16le}}) {
    const TRunResult r = Run(Write(name, bytes).string());
    EXPECT_EQ(r.Status, 0) << name << r.Err;
    EXPECT_EQ(r.Out, "\xC3\xA9t\xC3\xA9\n") << name;
  }
}

TEST_F(QelRunTest, HelpAndVersion) {
  for (const char* args : {"--help", "-h", "x.pas --help Proc"}) {  // options stand anywhere
    const TRunResult r = Run(args);
    EXPECT_EQ(r.Status, 0) << args;
    EXPECT_EQ(r.Out.rfind("usage: qelrun", 0), 0u) << args;
    for (const char* option : {"--help", "--version", "-e, --eval TEXT", "--lang NAME"})
      EXPECT_NE(r.Out.find(option), std::string::npos) << option;
    EXPECT_EQ(r.Err, "");
  }
  const TRunResult r = Run("--version");
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out, "qelrun " QEL_VERSION "\n");
}

// -e: expressions print their value, statements run; with a FILE, after its global code.
struct TEvalCase {
  const char* Name;
  const char* Args;  // {file} is a script declaring Total and Sum
  int Status;
  const char* Out;
  const char* ErrPrefix;
};

void PrintTo(const TEvalCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class QelRunEvalCases : public QelRunTest, public ::testing::WithParamInterface<TEvalCase> {};

TEST_P(QelRunEvalCases, EvaluatesAndPrints) {
  const TEvalCase& c = GetParam();
  const fs::path file =
      Write("lib.pas", "var Total = 40;\nfunction Sum(a; b);\nbegin\n  Result := a + b;\nend;\nbegin Total := Total + 1; end;\n");
  const TRunResult r = Run(WithFile(c.Args, file.string()));
  EXPECT_EQ(r.Status, c.Status) << r.Err;
  EXPECT_EQ(r.Out, c.Out);
  const std::string prefix = WithFile(c.ErrPrefix, file.string());
  EXPECT_EQ(r.Err.substr(0, prefix.size()), prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QelRunEvalCases,
    ::testing::Values(
        TEvalCase{"Expression", "-e '1 + 2'", 0, "3\n", ""},
        TEvalCase{"Text", "-e \"'a' + 'b'\"", 0, "ab\n", ""},
        TEvalCase{"Boolean", "-e '1 < 2'", 0, "True\n", ""},
        TEvalCase{"Statement", "-e \"if True then MessageList.Lines.Add('ran')\"", 0, "ran\n", ""},
        TEvalCase{"InOrder", "-e 'Total' '--eval=Sum(1, 2)' -e 'Total := 5' -e Total {file}", 0, "41\n3\n5\n", ""},
        TEvalCase{"HostUnits", "-e \"IntToStr(7) + UpperCase('x')\"", 0, "7X\n", ""},
        TEvalCase{"ThenProcWhenNamed", "--eval 'Total := 1' {file} Sum 2 3", 0, "23\n", ""},
        TEvalCase{"CompileErrorOfTheLongerReading", "-e '1 + (2'", 1, "", "Invalid token: 'end of file'."},
        TEvalCase{"StatementCompileError", "-e 'x := ;'", 1, "", "(command line):1:6: Invalid token: ';'."},
        TEvalCase{"RuntimeError", "-e '1 + Nobody'", 1, "",
                  "(command line):1:10: Undeclared identifier: 'Nobody'\nUndeclared identifier: 'Nobody'\nSource: $"},
        TEvalCase{"StopsAtTheFirstError", "-e 1 -e Nobody -e 2", 1, "1\n", "(command line):1:6: "}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(QelRunTest, FunctionResultIsPrinted) {
  const fs::path file = Write("f.pas",
                              "function Twice(x); begin Result := x * 2; end;\n"
                              "function Yes; begin Result := True; end;\n"
                              "procedure Quiet; begin end;\n");
  EXPECT_EQ(Run(file.string() + " Twice 21").Out, "42\n");
  EXPECT_EQ(Run(file.string() + " Twice -- -4").Out, "-8\n");  // "--" ends the options
  EXPECT_EQ(Run(file.string() + " Twice -4").Out, "-8\n");     // a negative number is no option
  EXPECT_EQ(Run(file.string() + " Yes").Out, "True\n");
  const TRunResult quiet = Run(file.string() + " Quiet");
  EXPECT_EQ(quiet.Status, 0) << quiet.Err;
  EXPECT_EQ(quiet.Out, "");  // a procedure has no result to print
}

TEST_F(QelRunTest, ScriptFromStandardInput) {
  const std::string script = "procedure Main; begin MessageList.Lines.Add('from stdin'); end;\n"
                             "procedure Echo(s); begin MessageList.Lines.Add(s + s); end;\n";
  for (const char* args : {"-", "", "--lang Pascal"}) {  // without FILE, standard input is read
    const TRunResult r = Run(args, script);
    EXPECT_EQ(r.Status, 0) << args << r.Err;
    EXPECT_EQ(r.Out, "from stdin\n") << args;
  }
  EXPECT_EQ(Run("- Echo ab", script).Out, "abab\n");
  const TRunResult bad = Run("-", "procedure Main;\nbegin\n  x := ;\nend;\n");
  EXPECT_EQ(bad.Status, 1);
  EXPECT_EQ(bad.Err.rfind("stdin:3:8: Invalid token", 0), 0u) << bad.Err;
}

TEST_F(QelRunTest, ErrorFormCountsLinesFromOne) {
  // The clickable first line and the control's block below it name the same place.
  const fs::path file = Write("where.pas", "procedure Main;\nvar a;\nbegin\n  a := 0;\n  a := 1 div a;\nend;\n");
  const TRunResult r = Run(file.string());
  ASSERT_EQ(r.Status, 1);
  const std::string head = file.string() + ":5:14: Division by zero\n";
  EXPECT_EQ(r.Err.substr(0, head.size()), head) << r.Err;
  EXPECT_NE(r.Err.find("\nDivision by zero\nSource: $"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find(" [line: 4, pos: 14]\n"), std::string::npos) << r.Err;
}

}  // namespace
