// The runner of the Active Scripting languages: the script goes to the engine registered under
// the language's engine name, which gets the control's named objects and values through the
// site; engine errors come back in the runners' common message form.
#pragma once

#include <mutex>

#include "engine/scripter/ScrRunnerInternal.h"
#include "platform/activescript/ActivScp.h"

inline constexpr char16_t SQelTooManyParameters[] = u"Too many parameters.";
inline constexpr int QelMaxRunProcArgs = 64;

// The last error the engine reported to the site; shared by the runner and its code object,
// which may outlive the runner.
class TAXScriptErrorHolder {
 public:
  TAXScriptErrorHolder(bool AAddSrcInfo, const void* ASource) : FAddSrcInfo(AAddSrcInfo), FSource(ASource) {}
  void AddRef() { FRefCount.fetch_add(1, std::memory_order_relaxed); }
  void Release() {
    if (FRefCount.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
  void SetError(IActiveScriptError* AError);
  void ClearScriptError() { SetError(nullptr); }
  // AMsg := the error's description, decorated with its position; false when there is none.
  // ALine (from 0) and ALinePos (from 1) receive the position, -1 when the engine has none.
  bool FormatScriptError(String& AMsg, HRESULT& ACode, int* ALine = nullptr, int* ALinePos = nullptr);
  // Raises the recorded error (and forgets it), its position noted for the control's request;
  // nothing when there is none.
  void CheckScriptError();

 private:
  ~TAXScriptErrorHolder() { SetError(nullptr); }
  std::atomic<int> FRefCount{1};
  std::mutex FLock;
  IActiveScriptError* FLastError = nullptr;  // counted
  bool FAddSrcInfo;
  const void* FSource;  // the control: the identity in messages
};

class TAXSite;

class TActiveXRunner final : public TRunnerBase {
 public:
  TActiveXRunner(TQelScriptControl* ASControl, bool AAddSrcInfo);
  ~TActiveXRunner() override;
  TQelScriptLangKind GetLangKind() const override { return slkActiveX; }
  void Prepare(TRunnerDebugBase* ARunnerDebug) override;
  void Open() override;
  void Close() override;
  void AddNamedObjectToEngine(const TNamedItem& AItem) override;
  VARIANT RunProc(std::u16string_view AName) override;
  VARIANT RunProc(std::u16string_view AName, VARIANT* AArgs, int AArgCount) override;
  VARIANT ReadVar(std::u16string_view AName) override;
  void WriteVar(std::u16string_view AName, const VARIANT& AValue) override;
  std::unique_ptr<TPreparedDynCode> PrepareExpr(std::u16string_view AExpr) override;
  std::unique_ptr<TPreparedDynCode> PrepareStmt(std::u16string_view AStmt) override;
  VARIANT Eval(TPreparedDynCode* APreparedExpr) override;
  VARIANT Eval(std::u16string_view AExpr) override;
  void ExecStmt(TPreparedDynCode* APreparedStmt) override;
  void ExecStmt(std::u16string_view AStmt) override;
  IDispatch* GetCodeObject() override { return FCodeObject; }
  void AdjustBreakpoint(int ALine, bool AEnabled, bool ADelete, bool& AIsValid) override;

  // The site's way back.
  TQelScriptControl* Control() const { return FSControl; }
  TAXScriptErrorHolder* ErrorHolder() const { return FErrorHolder; }

 private:
  void AddNamedItem(std::u16string_view AName, DWORD AFlags);
  VARIANT ParseText(std::u16string_view AText, DWORD AFlags);
  VARIANT InvokeCode(std::u16string_view AName, WORD AFlags, VARIANT* AArgs, int AArgCount);

  TQelScriptControl* FSControl;
  bool FAddSrcInfo;
  TAXSite* FSite;                        // counted
  ComPtr<IActiveScript> FScript;
  ComPtr<IActiveScriptParse> FScriptParse;
  DWORD FSourceContext = 0;
  TAXScriptErrorHolder* FErrorHolder;    // counted
  IDispatch* FCodeObject = nullptr;      // counted
};
