// Helpers shared by the compilers' tests: compile errors with their positions, parser callbacks
// that record what a parser reports.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/vm/QelSctVMCompBase.h"
#include "tests/support/QelTestNames.h"

// The compile error raised by AAction (message and 1-based position), if any.
struct TCompileError {
  std::string Message;
  int Pos = 0;
};

inline std::optional<TCompileError> CatchCompileError(const std::function<void()>& AAction) {
  try {
    AAction();
  } catch (const ExceptionPtr& e) {
    auto* compile = dynamic_cast<EQelCompileBase*>(e.Get());
    TCompileError error{StringToUtf8(e->GetMessage()), compile ? compile->FSourcePos : -1};
    return error;
  }
  return std::nullopt;
}

// One row of a table of compile errors: the source, the message, the 1-based position.
struct TCompileErrorCase {
  std::string Source;
  std::string Message;
  int Pos;
};

inline void PrintTo(const TCompileErrorCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Source); }

inline void ExpectCompileError(const TCompileErrorCase& ACase,
                               const std::function<void()>& AAction) {
  auto error = CatchCompileError(AAction);
  ASSERT_TRUE(error.has_value()) << ACase.Source;
  EXPECT_EQ(error->Message, ACase.Message) << ACase.Source;
  EXPECT_EQ(error->Pos, ACase.Pos) << ACase.Source;
}

inline std::u16string U16(const std::string& AText) { return Utf8ToString(AText); }

// Parser callbacks that keep what the parser reports and refuse duplicate names.
class TRecordingCallbacks : public IQelParserCallbacks {
 public:
  ~TRecordingCallbacks() override {
    for (TQelGlobalObject* obj : Globals) delete obj;
  }
  int GetNameId(const std::u16string& AName) override {
    return QelNameTable().GetNameIndex(AName, true);
  }
  void GlobalStmtParsed(std::unique_ptr<IQelEmitable> AStmt) override {
    Stmts.push_back(std::move(AStmt));
    Order.push_back("stmt");
  }
  void GlobalObjParsed(TQelGlobalObject* AObj, bool& ADuplicateName) override {
    for (TQelGlobalObject* obj : Globals)
      if (obj->FName == AObj->FName) {
        ADuplicateName = true;
        return;
      }
    Globals.push_back(AObj);
    Order.push_back("obj:" + StringToUtf8(AObj->FStrName));
  }
  void UsedUnitParsed(const std::u16string& AName, bool& ADuplicateName) override {
    for (const std::u16string& unit : Units)
      if (QelNameTable().GetNameIndex(unit, true) == QelNameTable().GetNameIndex(AName, true))
        ADuplicateName = true;
    if (!ADuplicateName) Units.push_back(AName);
  }

  std::vector<TQelGlobalObject*> Globals;
  std::vector<std::unique_ptr<IQelEmitable>> Stmts;
  std::vector<std::u16string> Units;
  std::vector<std::string> Order;
};
