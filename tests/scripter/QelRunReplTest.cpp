// qelrun's interactive session, driven through a pseudo-terminal as a user would type it. The
// test waits for what the session prints (prompts, results) instead of sleeping.
#include <gtest/gtest.h>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>

namespace {

class TReplProcess {
 public:
  TReplProcess() {
    FPid = forkpty(&FMaster, nullptr, nullptr, nullptr);
    if (FPid == 0) {
      // A plain terminal: no escape sequences to wade through, no user settings.
      setenv("TERM", "dumb", 1);
      setenv("INPUTRC", "/dev/null", 1);
      execl(QELRUN_PATH, "qelrun", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~TReplProcess() {
    if (FPid > 0 && !FReaped) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
    if (FMaster >= 0) close(FMaster);
  }
  bool Started() const { return FPid > 0; }

  void Type(const std::string& AText) { ASSERT_EQ(write(FMaster, AText.data(), AText.size()), ssize_t(AText.size())); }

  // Reads until AText has appeared after everything consumed before; returns what came up to
  // and including it, or everything read when the session ended first.
  std::string WaitFor(const std::string& AText) {
    for (;;) {
      const size_t at = FPending.find(AText);
      if (at != std::string::npos) {
        std::string seen = FPending.substr(0, at + AText.size());
        FPending.erase(0, at + AText.size());
        return seen;
      }
      char buffer[512];
      const ssize_t n = read(FMaster, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return std::exchange(FPending, {}) + "<end of session>";
      FPending.append(buffer, size_t(n));
    }
  }

  int ExitStatus() {
    int status = 0;
    waitpid(FPid, &status, 0);
    FReaped = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  int FMaster = -1;
  pid_t FPid = -1;
  bool FReaped = false;
  std::string FPending;
};

constexpr char CPrompt[] = "qel> ", CMore[] = "...> ";

TEST(QelRunRepl, SessionThroughAPseudoTerminal) {
  TReplProcess repl;
  ASSERT_TRUE(repl.Started());
  repl.WaitFor(CPrompt);

  // One entry, what it prints, and the prompt that follows.
  const auto enter = [&](const std::string& ALine, const std::string& AExpected, const char* ANextPrompt = CPrompt) {
    repl.Type(ALine + "\n");
    const std::string seen = repl.WaitFor(ANextPrompt);
    EXPECT_NE(seen.find(AExpected), std::string::npos) << "after '" << ALine << "': " << seen;
  };
  enter("1 + 2", "\n3\r\n");
  enter("var Total = 10;", "");
  enter("Total := Total + 5", "");
  enter("Total * 2", "\n30\r\n");
  // A block over several lines runs when it is closed.
  enter("begin", "", CMore);
  enter("  MessageList.Lines.Add('in block');", "", CMore);
  enter("end", "\nin block\r\n");
  // An error is reported in the clickable form and the session goes on.
  enter("Nobody", "stdin:1:6: Undeclared identifier: 'Nobody'");
  enter("x := ;", "stdin:1:");
  // A routine declared over two lines; the variables keep their values.
  enter("function Twice(x);", "", CMore);
  enter("begin Result := x * 2; end;", "");
  enter("Twice(Total)", "\n30\r\n");
  enter("procedure Broken; begin x := ; end;", "Invalid token");
  enter("Twice(Total) + 1", "\n31\r\n");  // the session's script survived the refused declaration
  // History: Ctrl-P brings the previous line back.
  enter("\x10", "\n31\r\n");
  repl.Type("\x04");  // Ctrl-D on an empty line ends the session
  repl.WaitFor("<end of session>");
  EXPECT_EQ(repl.ExitStatus(), 0);
}

}  // namespace
