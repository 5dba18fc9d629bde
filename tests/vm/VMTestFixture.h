// The machine tests' fixture over the test kit.
#pragma once

#include <mutex>

#include <gtest/gtest.h>

#include "tests/vm/VMTestKit.h"

// ---------------------------------------------------------------------------------------------
// Fixture: a machine over a test script, with a format hook that records positions.

class VMTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Compiles (Initialize) and opens the machine.
  void Start();
  // Assembles an expression and evaluates it.
  TVar EvalCode(TEmitter AEmitter);
  void ExecCode(TEmitter AEmitter);
  TVar Run(const std::u16string& AName, std::vector<VARIANT> AArgs = {});
  // The message of the host exception the call raises ("" when none).
  static std::string ErrorOf(const std::function<void()>& ACall);

  TTestScript Script;
  std::unique_ptr<TQelVirtMachine> VM;
  std::vector<std::pair<int, int>> Positions;  // (line, column) reported by the format hook
  std::mutex PositionsLock;
  int NextExpr = 0;
};
