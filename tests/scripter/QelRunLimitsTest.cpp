// qelrun's limits for untrusted scripts and its SIGINT: each ends an endless script with its
// error, and SIGINT ends a running script through the machine's terminate path.
#include "tests/scripter/QelRunTestKit.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct TChild {
  pid_t Pid = -1;
  int Out = -1;  // the read end of the child's standard output
};

// Starts qelrun with AArgs, standard output to a pipe, standard error to AErrFile.
TChild Start(const std::vector<std::string>& AArgs, const fs::path& AErrFile) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    const int err = ::open(AErrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, STDERR_FILENO);
    const int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, STDIN_FILENO);
    ::close(pipeFds[0]);
    std::vector<char*> argv{const_cast<char*>(QELRUN_PATH)};
    for (const std::string& arg : AArgs) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(QELRUN_PATH, argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  return {pid, pipeFds[0]};
}

// Reads the child's output up to and including the first line break ("" at its end).
std::string ReadLine(int AFd) {
  std::string line;
  char c;
  while (::read(AFd, &c, 1) == 1) {
    line += c;
    if (c == '\n') break;
  }
  return line;
}

class QelRunLimitsTest : public QelScratchDirTest {
 protected:
  QelRunLimitsTest() : QelScratchDirTest("qelrun_limits_") {}
  // Runs to the end; the exit status (-1 when killed by a signal).
  int RunToEnd(const std::vector<std::string>& AArgs) {
    const TChild child = Start(AArgs, Dir / "err");
    while (!ReadLine(child.Out).empty()) {
    }
    ::close(child.Out);
    int raw = 0;
    ::waitpid(child.Pid, &raw, 0);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  std::string Err() { return ReadAll(Dir / "err"); }

};

constexpr char SEndlessPas[] =
    "procedure Main; var i; begin\n"
    "  MessageList.Lines.Add('running');\n"
    "  i := 0; while True do i := i + 1;\nend;\n";
constexpr char SEndlessVb[] =
    "Sub Main\n  MessageList.Lines.Add \"running\"\n  Do\n  Loop\nEnd Sub\n";

TEST_F(QelRunLimitsTest, SigintEndsARunningScript) {
  for (const auto& [name, source] : {std::pair{"loop.pas", SEndlessPas}, std::pair{"loop.vb", SEndlessVb}}) {
    SCOPED_TRACE(name);
    const TChild child = Start({Write(name, source).string()}, Dir / "err");
    ASSERT_EQ(ReadLine(child.Out), "running\n");  // the script is in its loop now
    ::kill(child.Pid, SIGINT);
    EXPECT_EQ(ReadLine(child.Out), "");
    ::close(child.Out);
    int raw = 0;
    ASSERT_EQ(::waitpid(child.Pid, &raw, 0), child.Pid);
    ASSERT_TRUE(WIFEXITED(raw)) << "ended by signal " << WTERMSIG(raw);
    EXPECT_EQ(WEXITSTATUS(raw), 130);
    EXPECT_NE(Err().find("Script execution has been interrupted."), std::string::npos) << Err();
  }
}

struct TLimitCase {
  const char* Name;
  const char* Option;
  const char* Message;
};

TEST_F(QelRunLimitsTest, LimitOptionsEndEndlessScripts) {
  const TLimitCase cases[] = {
      {"budget", "--budget=100000", "exceeded its instruction budget of 100000"},
      {"timeout", "--timeout=200", "exceeded its time-out of 200 ms"},
  };
  const std::string bomb = Write("bomb.pas", "procedure Main; var s; begin s := 'x';\n"
                                             "  while True do s := s + s; end;\n").string();
  for (const TLimitCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(RunToEnd({c.Option, Write("loop.pas", SEndlessPas).string()}), 1);
    EXPECT_NE(Err().find(c.Message), std::string::npos) << Err();
  }
  EXPECT_EQ(RunToEnd({"--memory", "1000000", bomb}), 1);
  EXPECT_NE(Err().find("Out of memory: "), std::string::npos) << Err();
  EXPECT_EQ(RunToEnd({"--budget", "-5", bomb}), 2);
  EXPECT_NE(Err().find("option '--budget' needs a whole number, not '-5'"), std::string::npos) << Err();
}

TEST_F(QelRunLimitsTest, SafeModeHidesDialogs) {
  const std::string probe =
      Write("probe.pas", "procedure Main; begin MessageList.Lines.Add(Dialogs.ofOverwritePrompt); end;\n").string();
  EXPECT_EQ(RunToEnd({probe}), 0) << Err();
  EXPECT_EQ(RunToEnd({"--safe", probe}), 1);
  EXPECT_NE(Err().find("Undeclared identifier: 'Dialogs'"), std::string::npos) << Err();
}

}  // namespace
