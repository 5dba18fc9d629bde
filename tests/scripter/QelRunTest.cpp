// The command-line runner's contract, run as a separate program: exit status, standard output
// and the error text for each way a run can end.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct TRunResult {
  int Status = -1;
  std::string Out, Err;
};

std::string ReadAll(const fs::path& APath) {
  std::ifstream in(APath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class QelRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("qelrun_test_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }

  fs::path Write(const std::string& AName, const std::string& AText) {
    const fs::path path = Dir / AName;
    std::ofstream(path, std::ios::binary) << AText;
    return path;
  }
  TRunResult Run(const std::string& AArgs) {
    const std::string command = std::string(QELRUN_PATH) + " " + AArgs + " >" + (Dir / "out").string() + " 2>" +
                                (Dir / "err").string();
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(Dir / "out"), ReadAll(Dir / "err")};
  }

  fs::path Dir;
};

struct TCase {
  const char* Name;
  const char* FileName;  // nullptr: no file is written
  const char* Source;
  const char* ExtraArgs;
  int Status;
  const char* Out;
  const char* ErrPrefix;  // the start of standard error
};

class QelRunCases : public QelRunTest, public ::testing::WithParamInterface<TCase> {};

TEST_P(QelRunCases, ExitStatusAndOutput) {
  const TCase& c = GetParam();
  const std::string file = c.FileName ? Write(c.FileName, c.Source).string() : (Dir / "missing.pas").string();
  const TRunResult r = Run(std::string(c.ExtraArgs) + " " + file + " " + "");
  EXPECT_EQ(r.Status, c.Status) << r.Err;
  EXPECT_EQ(r.Out, c.Out);
  EXPECT_EQ(r.Err.substr(0, std::string(c.ErrPrefix).size()), c.ErrPrefix);
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
        TCase{"CompileError", "bad.pas", "procedure Main;\nbegin\n  x := ;\nend;\n", "", 1, "", "Invalid token"},
        TCase{"RuntimeErrorKeepsEarlierOutput", "fails.pas",
              "procedure Main;\nbegin\n  MessageList.Lines.Add('before');\n  Nobody;\nend;\n", "", 1, "before\n",
              "Undeclared identifier: 'Nobody'\nSource: $"},
        TCase{"UnknownLanguage", "x.pas", "", "--lang Cobol", 2, "", "qelrun: unknown language 'Cobol'"},
        TCase{"LanguageWithoutEngine", "x.vbs", "", "--lang VBScript", 1, "", "Can't create script engine 'VBScript'"},
        TCase{"VbDialectWithoutCompiler", "x.vbs", "Sub Main\nEnd Sub\n", "", 1, "",
              "No compiler is available for the 'NativeVb' language."},
        TCase{"LangOverridesExtension", "script.txt", "procedure Main; begin MessageList.Lines.Add('p'); end;\n",
              "--lang pascal", 0, "p\n", ""}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(QelRunTest, UsageErrorsExitWithTwo) {
  for (const char* args : {"", "--lang", "--lang Pascal"}) {
    const TRunResult r = Run(args);
    EXPECT_EQ(r.Status, 2) << args;
    EXPECT_EQ(r.Err.rfind("usage: qelrun", 0), 0u) << args;
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

}  // namespace
