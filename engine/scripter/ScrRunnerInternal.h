// The runners: what the control forwards its requests to, one kind per language family. They
// are the control's own business; hosts reach scripts through TQelScriptControl only.
#pragma once

#include "engine/scripter/QelSctScripter.h"

class TRunnerBase {
 public:
  virtual ~TRunnerBase() = default;
  virtual TQelScriptLangKind GetLangKind() const = 0;
  // ARunnerDebug: the attached debugger's debug runner, or nil.
  virtual void Prepare(TRunnerDebugBase* ARunnerDebug) = 0;
  virtual void Open() = 0;
  // Safe to call more than once.
  virtual void Close() = 0;
  virtual void AddNamedObjectToEngine(const TNamedItem& AItem) = 0;
  virtual VARIANT RunProc(std::u16string_view AName) = 0;
  // AArgs are the argument slots: by-reference parameters write into them.
  virtual VARIANT RunProc(std::u16string_view AName, VARIANT* AArgs, int AArgCount) = 0;
  virtual VARIANT ReadVar(std::u16string_view AName) = 0;
  virtual void WriteVar(std::u16string_view AName, const VARIANT& AValue) = 0;
  virtual std::unique_ptr<TPreparedDynCode> PrepareExpr(std::u16string_view AExpr) = 0;
  virtual std::unique_ptr<TPreparedDynCode> PrepareStmt(std::u16string_view AStmt) = 0;
  virtual VARIANT Eval(TPreparedDynCode* APreparedExpr) = 0;
  virtual VARIANT Eval(std::u16string_view AExpr) = 0;
  virtual void ExecStmt(TPreparedDynCode* APreparedStmt) = 0;
  virtual void ExecStmt(std::u16string_view AStmt) = 0;
  // Not add-ref'ed.
  virtual IDispatch* GetCodeObject() = 0;
  virtual void AdjustBreakpoint(int ALine, bool AEnabled, bool ADelete, bool& AIsValid) = 0;

  // Every object item of the control's table, in the table's enumeration order.
  void AddNamedObjectsToEngine(TQelScriptControl& ACtrl);
};

// Runs Pascal and the VB dialect on the engine's own virtual machine.
class TNativeRunner final : public TRunnerBase {
 public:
  TNativeRunner(TQelScriptControl* ASControl, bool AAddSrcInfo);
  ~TNativeRunner() override;
  TQelScriptLangKind GetLangKind() const override { return slkNative; }
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
  IDispatch* GetCodeObject() override;
  void AdjustBreakpoint(int ALine, bool AEnabled, bool ADelete, bool& AIsValid) override;

  TQelVirtMachine* VM() const { return FVM.get(); }

 private:
  void InstallHooks();
  TQelVirtMachine& RequireVM();

  TQelScriptControl* FSControl;
  bool FAddSrcInfo;
  std::unique_ptr<TQelVirtMachine> FVM;
  TRunnerDebugBase* FRunnerDebug = nullptr;  // the attached debugger's, not owned
  TQelVMDebugger* FPasDebugger = nullptr;    // taken from FRunnerDebug
};
