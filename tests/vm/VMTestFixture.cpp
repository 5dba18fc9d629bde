#include "tests/vm/VMTestFixture.h"

void VMTest::SetUp() {}

void VMTest::TearDown() { VM.reset(); }

void VMTest::Start() {
  VM = std::make_unique<TQelVirtMachine>(std::make_shared<TTestLanguage>(Script));
  // Threads of one machine report at the same time (the abort tests): record under a lock.
  VM->OnFormatException = [this](TQelVirtMachine*, int ALine, int APos, Exception*) {
    std::lock_guard<std::mutex> guard(PositionsLock);
    Positions.emplace_back(ALine, APos);
  };
  VM->Initialize(u"test source\r\nsecond line\r\n");
  VM->Open();
}

TVar VMTest::EvalCode(TEmitter AEmitter) {
  std::u16string text = u"expr" + Utf8ToString(std::to_string(NextExpr++));
  Script.Exprs[text] = std::move(AEmitter);
  return TVar(VM->Eval(text));
}

void VMTest::ExecCode(TEmitter AEmitter) {
  std::u16string text = u"stmt" + Utf8ToString(std::to_string(NextExpr++));
  Script.Exprs[text] = std::move(AEmitter);
  VM->ExecStmt(text);
}

TVar VMTest::Run(const std::u16string& AName, std::vector<VARIANT> AArgs) {
  return TVar(VM->RunProc(AName, AArgs.data(), int(AArgs.size())));
}

std::string VMTest::ErrorOf(const std::function<void()>& ACall) {
  try {
    ACall();
  } catch (const ExceptionPtr& E) {
    return Utf8(E->GetMessage());
  }
  return "";
}
