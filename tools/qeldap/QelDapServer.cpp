#include "tools/qeldap/QelDapServer.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/wrappers/units/QelUnits.h"
#include "tools/qelrun/QelRunMessages.h"

namespace {

std::string U8(const std::u16string& AText) { return StringToUtf8(AText); }
std::u16string U16(const std::string& AText) { return Utf8ToString(AText); }

std::string Canonical(const std::string& APath) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::weakly_canonical(APath, error);
  return error ? APath : path.string();
}

const char* StopReason(TQelBreakKind AKind) {
  switch (AKind) {
    case bkBreakpoint: return "breakpoint";
    case bkStep: return "step";
    case bkUncaughtError: return "exception";
    default: return "pause";
  }
}

}  // namespace

TDapServer::TDapServer(TDapChannel& AChannel) : FChannel(AChannel) {
  FDebugger.AddNotifier(this);
  FDebugger.OnBreak = [this](TQelScriptDebugger*, TQelScriptControl* AControl, int ALine) {
    OnBreak(AControl, ALine);
  };
}

TDapServer::~TDapServer() {
  if (FScript.joinable()) FScript.join();
  FDebugger.RemoveNotifier(this);
  if (FCtrl) FCtrl->SetActive(false);
  FCtrl.reset();
}

int TDapServer::Run() {
  for (;;) {
    std::optional<json> message = FChannel.Read();
    if (!message) break;
    if (message->value("type", "") != "request") continue;
    Dispatch(*message);
    if (message->value("command", "") == "disconnect") break;
  }
  // The editor went away: a running script is stopped and aborted.
  FDone.store(true);
  if (FScript.joinable()) {
    if (FDebugger.BreakKind() != bkNone) FDebugger.ResumeFromBreak(rkAbort);
    else FDebugger.CauseBreak();
    FScript.join();
  }
  return FExitCode;
}

template <class F>
void TDapServer::Serve(const json& ARequest, F&& AHandler) {
  try {
    AHandler();
  } catch (const ExceptionPtr& E) {
    FChannel.Respond(ARequest, false, nullptr, U8(E->GetMessage()));
  } catch (const std::exception& E) {  // a malformed argument (nlohmann's type errors)
    FChannel.Respond(ARequest, false, nullptr, E.what());
  }
}

void TDapServer::Dispatch(const json& ARequest) {
  const std::string command = ARequest.value("command", "");
  Serve(ARequest, [&] {
    if (command == "initialize") Initialize(ARequest);
    else if (command == "launch") Launch(ARequest);
    else if (command == "setBreakpoints") SetBreakpoints(ARequest);
    else if (command == "setExceptionBreakpoints") SetExceptionBreakpoints(ARequest);
    else if (command == "exceptionInfo") ExceptionInfo(ARequest);
    else if (command == "configurationDone") ConfigurationDone(ARequest);
    else if (command == "threads")
      FChannel.Respond(ARequest, true, {{"threads", json::array({{{"id", 1}, {"name", "main"}}})}});
    else if (command == "stackTrace") StackTrace(ARequest);
    else if (command == "scopes") Scopes(ARequest);
    else if (command == "variables") Variables(ARequest);
    else if (command == "evaluate") Evaluate(ARequest);
    else if (command == "setVariable") SetVariable(ARequest);
    else if (command == "continue") Resume(ARequest, rkContinue);
    else if (command == "next") Resume(ARequest, rkStepOver);
    else if (command == "stepIn") Resume(ARequest, rkStepInto);
    else if (command == "stepOut") Resume(ARequest, rkStepOver, true);
    else if (command == "pause") Pause(ARequest);
    else if (command == "disconnect" || command == "terminate") Disconnect(ARequest);
    else FChannel.Respond(ARequest, false, nullptr, "Unsupported request: " + command);
  });
}

void TDapServer::Initialize(const json& ARequest) {
  const json& args = ARequest.contains("arguments") ? ARequest["arguments"] : json::object();
  FLinesStartAt1 = args.value("linesStartAt1", true);
  FChannel.Respond(ARequest, true,
                   {{"supportsConfigurationDoneRequest", true},
                    {"supportsConditionalBreakpoints", true},
                    {"supportsHitConditionalBreakpoints", true},
                    {"supportsLogPoints", true},
                    {"supportsEvaluateForHovers", true},
                    {"supportsSetVariable", true},
                    {"supportsExceptionInfoRequest", true},
                    {"exceptionBreakpointFilters",
                     json::array({{{"filter", "uncaught"}, {"label", "Uncaught Errors"}, {"default", true}}})},
                    {"supportsTerminateRequest", true}});
  FChannel.Event("initialized");
}

void TDapServer::Launch(const json& ARequest) {
  const json& args = ARequest.at("arguments");
  FProgram = args.at("program").get<std::string>();
  FModule = U16(Canonical(FProgram));
  FProcedure = U16(args.value("procedure", std::string("Main")));
  for (const json& arg : args.value("args", json::array())) FArgs.push_back(U16(arg.get<std::string>()));
  FStopOnEntry = args.value("stopOnEntry", false);
  std::ifstream file(FProgram, std::ios::binary);
  if (!file) {
    FChannel.Respond(ARequest, false, nullptr, "Cannot open " + FProgram);
    return;
  }
  std::stringstream text;
  text << file.rdbuf();
  const std::string extension = std::filesystem::path(FProgram).extension().string();
  FCtrl = std::make_unique<TQelScriptControl>(nullptr);
  FCtrl->SetLanguage(extension == ".pas" ? slPascal : slNativeVb);
  FCtrl->SetDebugger(&FDebugger);
  FCtrl->SetDebugName(FModule);
  FCtrl->SetSourceText(U16(text.str()));
  FCtrl->AddAllUnits(true);
  IDispatch* messages = QelNewConsoleMessageList([this](const String& ALine) { Output(ALine + u"\n"); });
  FCtrl->AddNamedObject(u"MessageList", messages, false);
  messages->Release();
  FCtrl->Prepare();  // a compile error fails the launch with its message
  FLaunched = true;
  FChannel.Respond(ARequest, true);
  if (FStarted) FScript = std::thread([this] { RunScript(); });
}

void TDapServer::SetExceptionBreakpoints(const json& ARequest) {
  const json filters = ARequest.at("arguments").value("filters", json::array());
  bool uncaught = false;
  for (const json& filter : filters) uncaught |= filter.get<std::string>() == "uncaught";
  FDebugger.SetBreakOnUncaughtErrors(uncaught);
  FChannel.Respond(ARequest, true);
}

void TDapServer::ExceptionInfo(const json& ARequest) {
  std::lock_guard<std::mutex> guard(FBreakSection);
  const ExceptionPtr error = FDebugger.BreakError();
  if (!error) {
    FChannel.Respond(ARequest, false, nullptr, "Not stopped on an error");
    return;
  }
  FChannel.Respond(ARequest, true,
                   {{"exceptionId", U8(error->ClassName())},
                    {"description", U8(error->GetMessage())},
                    {"breakMode", "unhandled"}});
}

void TDapServer::SetBreakpoints(const json& ARequest) {
  {
    std::lock_guard<std::mutex> guard(FPendingSection);
    if (FRunning && !FStopped) {
      FPendingBreakpoints.push_back(ARequest);
      FDebugger.CauseBreak();
      return;
    }
  }
  ApplyBreakpoints(ARequest);
}

void TDapServer::ApplyPendingBreakpoints() {
  std::vector<json> pending;
  {
    std::lock_guard<std::mutex> guard(FPendingSection);
    pending.swap(FPendingBreakpoints);
  }
  for (const json& request : pending) Serve(request, [&] { ApplyBreakpoints(request); });
}

void TDapServer::ApplyBreakpoints(const json& ARequest) {
  const json& args = ARequest.at("arguments");
  const std::string path = args.at("source").value("path", std::string());
  TQelDebugModule* module = FDebugger.Modules().FindOrAdd(U16(Canonical(path)));
  FDebugger.ClearBreakpoints(module);
  json result = json::array();
  const int base = FLinesStartAt1 ? 1 : 0;
  for (const json& item : args.value("breakpoints", json::array())) {
    const int line = item.at("line").get<int>();
    TQelBreakpoint* bp = FDebugger.SetBreakpoint(module, line - base);
    bp->SetCondition(U16(item.value("condition", std::string())));
    const std::string hits = item.value("hitCondition", std::string());
    if (!hits.empty()) bp->SetPassCount(std::max(0, std::atoi(hits.c_str())));
    const std::string log = item.value("logMessage", std::string());
    if (!log.empty()) {
      bp->Action().SetLogMessage(U16(log));
      bp->Action().SetBreak(false);
    }
    result.push_back({{"id", bp->Index() + 1},
                      {"verified", bp->GetState() != bsInvalid},
                      {"line", line}});
  }
  FChannel.Respond(ARequest, true, {{"breakpoints", result}});
}

void TDapServer::ConfigurationDone(const json& ARequest) {
  FChannel.Respond(ARequest, true);
  FStarted = true;
  if (FLaunched && !FScript.joinable()) FScript = std::thread([this] { RunScript(); });
}

void TDapServer::RunScript() {
  {
    std::lock_guard<std::mutex> guard(FPendingSection);
    FRunning = true;
  }
  try {
    FCtrl->Open(false);
    if (FStopOnEntry) {
      FEntryPending.store(true);
      FDebugger.CauseBreak();
    }
    std::vector<VARIANT> args;
    for (const std::u16string& arg : FArgs) args.push_back(QelStringVar(arg));
    VARIANT result = FCtrl->RunProc(FProcedure, args);
    VariantClear(&result);
    for (VARIANT& arg : args) VariantClear(&arg);
  } catch (const ExceptionPtr& E) {
    Output(E->GetMessage() + u"\n", "stderr");
    FExitCode = 1;
  }
  {
    std::lock_guard<std::mutex> guard(FPendingSection);
    FRunning = false;
  }
  ApplyPendingBreakpoints();  // changes that arrived as the script ended
  FChannel.Event("exited", {{"exitCode", FExitCode}});
  FChannel.Event("terminated");
  FDone.store(true);
}

void TDapServer::OnBreak(TQelScriptControl*, int) {
  if (FDone.load()) {  // the editor left: end the script
    FDebugger.ResumeFromBreak(rkAbort);
    return;
  }
  ApplyPendingBreakpoints();
  const TQelBreakKind kind = FDebugger.BreakKind();
  if (kind == bkCausedBreak && !FEntryPending.load() && !FUserPause.exchange(false)) {
    FDebugger.ResumeFromBreak(rkContinue);  // a stop of ours, to change breakpoints
    return;
  }
  // Step out is step over until a frame of the stepping procedure's caller stops.
  const int outDepth = FStepOutDepth.load();
  if (kind == bkStep && outDepth > 0 && FDebugger.StackFrameCount() >= outDepth) {
    FDebugger.ResumeFromBreak(rkStepOver);
    return;
  }
  FStepOutDepth.store(0);
  const char* reason = StopReason(kind);
  if (kind == bkCausedBreak && FEntryPending.exchange(false)) reason = "entry";
  json body = {{"reason", reason}, {"threadId", 1}, {"allThreadsStopped", true}};
  if (const ExceptionPtr error = FDebugger.BreakError()) body["text"] = U8(error->GetMessage());
  {
    std::lock_guard<std::mutex> guard(FPendingSection);
    FStopped = true;
  }
  FChannel.Event("stopped", body);
}

void TDapServer::ForgetBreak() {
  FRefs.clear();
  FTrees.clear();
}

void TDapServer::Resume(const json& ARequest, TQelBreakResumeKind AKind, bool AStepOut) {
  std::lock_guard<std::mutex> guard(FBreakSection);
  FDebugger.CheckInBreak();
  FStepOutDepth.store(AStepOut ? FDebugger.StackFrameCount() : 0);
  ForgetBreak();
  {
    std::lock_guard<std::mutex> guard(FPendingSection);
    FStopped = false;
  }
  FChannel.Respond(ARequest, true, AKind == rkContinue ? json{{"allThreadsContinued", true}} : json());
  FDebugger.ResumeFromBreak(AKind);
}

void TDapServer::Pause(const json& ARequest) {
  FChannel.Respond(ARequest, true);
  FUserPause.store(true);
  FDebugger.CauseBreak();
}

void TDapServer::Disconnect(const json& ARequest) {
  FDone.store(true);
  FChannel.Respond(ARequest, true);
}

void TDapServer::StackTrace(const json& ARequest) {
  std::lock_guard<std::mutex> guard(FBreakSection);
  json frames = json::array();
  const int count = FDebugger.StackFrameCount();
  const std::string name = std::filesystem::path(FProgram).filename().string();
  for (int i = 0; i < count; ++i) {
    TQelStackFrame* frame = FDebugger.StackFrames(i);
    frames.push_back({{"id", i + 1},
                      {"name", U8(frame->ShortDescription())},
                      {"line", frame->Line() + (FLinesStartAt1 ? 1 : 0)},
                      {"column", 1},
                      {"source", {{"name", name}, {"path", FProgram}}}});
  }
  FChannel.Respond(ARequest, true, {{"stackFrames", frames}, {"totalFrames", count}});
}

int TDapServer::Reference(TQelVariable* AVar, int AFrame) {
  FRefs.push_back({AVar, AFrame});
  return int(FRefs.size());
}

nlohmann::json TDapServer::VariableJson(TQelVariable* AVar, int AFrame) {
  return {{"name", U8(AVar->Name)},
          {"value", U8(AVar->Value)},
          {"type", U8(AVar->Type_)},
          {"variablesReference", AVar->Expandable ? Reference(AVar, AFrame) : 0}};
}

void TDapServer::Scopes(const json& ARequest) {
  std::lock_guard<std::mutex> guard(FBreakSection);
  const int frame = ARequest.at("arguments").at("frameId").get<int>() - 1;
  auto tree = std::make_unique<TQelVariables>();
  FDebugger.StackFrames(frame)->GetVariables(*tree);
  TQelVariable* root = tree->Root();
  FTrees.push_back(std::move(tree));
  json scopes = json::array();
  if (root)
    scopes.push_back({{"name", U8(root->Name)},
                      {"variablesReference", Reference(root, frame)},
                      {"expensive", false}});
  FChannel.Respond(ARequest, true, {{"scopes", scopes}});
}

void TDapServer::Variables(const json& ARequest) {
  std::lock_guard<std::mutex> guard(FBreakSection);
  const int ref = ARequest.at("arguments").at("variablesReference").get<int>();
  if (ref < 1 || size_t(ref) > FRefs.size()) {
    FChannel.Respond(ARequest, false, nullptr, "Unknown variables reference");
    return;
  }
  const TRef owner = FRefs[size_t(ref - 1)];
  json list = json::array();
  for (int i = 0; i < owner.Var->Count(); ++i) list.push_back(VariableJson(owner.Var->Items(i), owner.Frame));
  FChannel.Respond(ARequest, true, {{"variables", list}});
}

void TDapServer::Evaluate(const json& ARequest) {
  std::lock_guard<std::mutex> guard(FBreakSection);
  const json& args = ARequest.at("arguments");
  const int frame = args.value("frameId", 1) - 1;
  auto tree = std::make_unique<TQelVariables>();
  FDebugger.StackFrames(frame)->Eval(U16(args.at("expression").get<std::string>()), *tree);
  TQelVariable* root = tree->Root();
  FTrees.push_back(std::move(tree));
  if (!root || root->Type_ == u"Error") {
    FChannel.Respond(ARequest, false, nullptr, root ? U8(root->Value) : "No value");
    return;
  }
  FChannel.Respond(ARequest, true,
                   {{"result", U8(root->Value)},
                    {"type", U8(root->Type_)},
                    {"variablesReference", root->Expandable ? Reference(root, frame) : 0}});
}

std::u16string TDapServer::AssignmentText(const std::u16string& AName,
                                          const std::u16string& AValue) const {
  return AName + (FCtrl->GetLanguage() == slPascal ? u" := " : u" = ") + AValue;
}

void TDapServer::SetVariable(const json& ARequest) {
  std::lock_guard<std::mutex> guard(FBreakSection);
  const json& args = ARequest.at("arguments");
  const int ref = args.at("variablesReference").get<int>();
  if (ref < 1 || size_t(ref) > FRefs.size() || FRefs[size_t(ref - 1)].Var->Parent()) {
    FChannel.Respond(ARequest, false, nullptr, "Only a frame's own variables can be set");
    return;
  }
  const int frame = FRefs[size_t(ref - 1)].Frame;
  const std::u16string name = U16(args.at("name").get<std::string>());
  TQelStackFrame* target = FDebugger.StackFrames(frame);
  const std::u16string error = target->Exec(AssignmentText(name, U16(args.at("value").get<std::string>())));
  if (!error.empty()) {
    FChannel.Respond(ARequest, false, nullptr, U8(error));
    return;
  }
  auto tree = std::make_unique<TQelVariables>();
  target->Eval(name, *tree);
  TQelVariable* root = tree->Root();
  FTrees.push_back(std::move(tree));
  FChannel.Respond(ARequest, true,
                   {{"value", U8(root->Value)},
                    {"type", U8(root->Type_)},
                    {"variablesReference", root->Expandable ? Reference(root, frame) : 0}});
}

void TDapServer::LogMessage(TQelScriptDebugger*, const std::u16string& AMsg, TQelDebugMsgKind) {
  Output(AMsg + u"\n", "console");
}

void TDapServer::Output(const std::u16string& AText, const char* ACategory) {
  FChannel.Event("output", {{"category", ACategory}, {"output", U8(AText)}});
}
