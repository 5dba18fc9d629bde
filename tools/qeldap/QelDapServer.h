// The adapter between an editor speaking the Debug Adapter Protocol and the script debugger:
// one script control running one Pascal or VB file on its own thread, the debugger in its
// asynchronous mode (its OnBreak runs on a worker thread and announces the stop; requests for
// frames, variables and evaluation are served by the stopped script thread).
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/scripter/QelSctDebugger.h"
#include "tools/qeldap/QelDapProtocol.h"

class TDapServer final : public IQelScriptDebuggerNotifier {
 public:
  explicit TDapServer(TDapChannel& AChannel);
  ~TDapServer() override;
  // Serves requests until disconnect or the end of the input; the process's exit code.
  int Run();

  void LogMessage(TQelScriptDebugger*, const std::u16string& AMsg, TQelDebugMsgKind) override;
  // What a script writes to MessageList.
  void Output(const std::u16string& AText, const char* ACategory = "stdout");

 private:
  using json = nlohmann::json;
  void Dispatch(const json& ARequest);
  // Runs AHandler for ARequest; an error answers the request with its message.
  template <class F>
  void Serve(const json& ARequest, F&& AHandler);
  void Initialize(const json& ARequest);
  void Launch(const json& ARequest);
  void SetBreakpoints(const json& ARequest);
  void ApplyBreakpoints(const json& ARequest);
  void ApplyPendingBreakpoints();
  void SetExceptionBreakpoints(const json& ARequest);
  void ExceptionInfo(const json& ARequest);
  void ConfigurationDone(const json& ARequest);
  void StackTrace(const json& ARequest);
  void Scopes(const json& ARequest);
  void Variables(const json& ARequest);
  void Evaluate(const json& ARequest);
  void SetVariable(const json& ARequest);
  void Resume(const json& ARequest, TQelBreakResumeKind AKind, bool AStepOut = false);
  void Pause(const json& ARequest);
  void Disconnect(const json& ARequest);

  void RunScript();
  void OnBreak(TQelScriptControl* AControl, int ALine);
  // A variables reference for AVar (kept until the script resumes); 0 when not expandable.
  int Reference(TQelVariable* AVar, int AFrame);
  json VariableJson(TQelVariable* AVar, int AFrame);
  void ForgetBreak();
  std::u16string AssignmentText(const std::u16string& AName, const std::u16string& AValue) const;

  TDapChannel& FChannel;
  TQelScriptDebugger FDebugger{nullptr};
  std::unique_ptr<TQelScriptControl> FCtrl;
  std::thread FScript;
  std::string FProgram;       // as the editor named it
  std::u16string FModule;     // its canonical path: the debug module's name
  std::u16string FProcedure = u"Main";
  std::vector<std::u16string> FArgs;
  bool FStopOnEntry = false;
  std::atomic<bool> FEntryPending{false};
  std::atomic<bool> FUserPause{false};  // a pause the editor asked for (not one of ours)
  // The breakpoint list belongs to the script's thread while it runs: a change that arrives
  // then waits here for a stop (which it causes) and is answered from there.
  std::mutex FPendingSection;
  std::vector<json> FPendingBreakpoints;
  bool FRunning = false;
  bool FStopped = false;
  std::atomic<int> FStepOutDepth{0};  // 0: not stepping out
  bool FLinesStartAt1 = true;
  bool FLaunched = false;
  bool FStarted = false;
  std::atomic<bool> FDone{false};
  int FExitCode = 0;
  // Variables handed out during the current break: reference n is FRefs[n - 1].
  struct TRef {
    TQelVariable* Var;
    int Frame;
  };
  std::vector<TRef> FRefs;
  std::vector<std::unique_ptr<TQelVariables>> FTrees;
  std::mutex FBreakSection;  // the references against a resume on another thread
};
