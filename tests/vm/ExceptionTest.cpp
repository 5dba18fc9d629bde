// Protected blocks: except and finally paths, raise and re-raise, exception lifetime, and the
// machine's runtime error messages.
#include <map>

#include "tests/vm/VMTestFixture.h"

namespace {

void Raise(TAsm& a, const char16_t* AMessage) { a.Str(AMessage).Op(icRaise); }

// Handler: result := the exception's message (through the exception-to-value hook).
THandler StoreMessage() {
  return [](TAsm& a, TQelTry* ATry) {
    a.Op(icExceptToVar, intptr_t(ATry->FExceptionVar)).Op(icAssignResult);
    a.Op(icExceptDone);
  };
}

class Exceptions : public VMTest {
 protected:
  void SetUp() override {
    Script.StandardControl();
  }
  // Hooks: a string value raises a new Exception with that text; an integer value is a handle
  // on an exception the script received; the exception value is its handle; a type value is a
  // class name.
  void StartWithHooks() {
    Start();
    VM->OnVarToException = [this](TQelVirtMachine*, const VARIANT& V, ExceptionPtr& AResult) {
      if (V.vt == VT_BSTR) AResult = ExceptionPtr(new Exception(String(OleBstrView(V.bstrVal))));
      else if (V.vt == VT_I4 && Held.count(V.lVal)) AResult = Held[V.lVal];
    };
    VM->OnExceptionToVar = [this](TQelVirtMachine*, const ExceptionPtr& E, VARIANT& AResult) {
      int handle = int(Held.size()) + 1;
      Held[handle] = E;
      Messages[handle] = Utf8(E->GetMessage());
      AResult = MakeI4(handle);
    };
    VM->OnExceptionIsTest = [](TQelVirtMachine*, Exception* E, const VARIANT& AType, bool& AResult) {
      AResult = E->ClassName() == OleBstrView(AType.bstrVal);
    };
  }
  std::string MessageOf(const TVar& AHandle) {
    return AHandle.V.vt == VT_I4 ? Messages[AHandle.V.lVal] : Describe(AHandle.V);
  }
  void TearDown() override {
    VMTest::TearDown();
    Held.clear();
  }
  std::map<int, ExceptionPtr> Held;
  std::map<int, std::string> Messages;
};

TEST_F(Exceptions, ExceptCatchesARaisedException) {
  Script.Proc(u"P", {}, true, [](TAsm& a) {
    TryExcept(a, [](TAsm& b) { Raise(b, u"boom"); }, StoreMessage());
  });
  StartWithHooks();
  EXPECT_EQ(MessageOf(Run(u"P")), "boom");
}

TEST_F(Exceptions, TypedHandlersAreTestedInOrder) {
  auto typed = [](const char16_t* AClass) {
    return [AClass](TAsm& a) {
      TryExcept(a, [](TAsm& b) { b.Int(1).Int(0).Op(icIntDiv); },
                [AClass](TAsm& b, TQelTry* T) {
                  TQelLabel* match = b.Label();
                  b.Str(AClass).Op(icExceptJmpIfIs, b.Code().AddExcJmp(T, match));
                  b.Op(isReraise, intptr_t(T->FExceptionVar));
                  b.Bind(match).Str(u"handled").Op(icAssignResult).Op(icExceptDone);
                });
    };
  };
  Script.Proc(u"Matches", {}, true, typed(u"EDivByZero"));
  Script.Proc(u"Misses", {}, true, typed(u"EConvertError"));
  StartWithHooks();
  EXPECT_EQ(Describe(Run(u"Matches").V), "Str:handled");
  EXPECT_EQ(ErrorOf([&] { Run(u"Misses"); }), "Division by zero");
}

TEST_F(Exceptions, InnerTryInsideHandlerKeepsTheOuterException) {
  // try raise 'outer' except try raise 'inner' except end; raise; end
  Script.Proc(u"P", {}, false, [](TAsm& a) {
    TryExcept(a, [](TAsm& b) { Raise(b, u"outer"); },
              [](TAsm& b, TQelTry* T) {
                TryExcept(b, [](TAsm& c) { Raise(c, u"inner"); },
                          [](TAsm& c, TQelTry*) { c.Op(icExceptDone); });
                b.Op(isReraise, intptr_t(T->FExceptionVar));
              });
  });
  StartWithHooks();
  EXPECT_EQ(ErrorOf([&] { Run(u"P"); }), "outer");
}

TEST_F(Exceptions, ExceptionEscapingAHandlerReachesTheOuterTry) {
  Script.Proc(u"P", {}, true, [](TAsm& a) {
    TryExcept(a,
              [](TAsm& b) {
                TryExcept(b, [](TAsm& c) { Raise(c, u"first"); },
                          [](TAsm& c, TQelTry*) { Raise(c, u"second"); });
              },
              StoreMessage());
  });
  StartWithHooks();
  EXPECT_EQ(MessageOf(Run(u"P")), "second");
}

TEST_F(Exceptions, RaisingTheHandledExceptionIsLocked) {
  Script.Proc(u"P", {}, false, [](TAsm& a) {
    TryExcept(a, [](TAsm& b) { Raise(b, u"x"); },
              [](TAsm& b, TQelTry* T) {
                b.Op(icExceptToVar, intptr_t(T->FExceptionVar)).Op(icRaise);
              });
  });
  Script.Proc(u"Nil", {}, false, [](TAsm& a) { a.Int(0).Op(icRaise); });
  StartWithHooks();
  EXPECT_EQ(ErrorOf([&] { Run(u"P"); }), "Cannot raise locked exception");
  EXPECT_EQ(ErrorOf([&] { Run(u"Nil"); }), "Cannot raise nil exception");
}

TEST_F(Exceptions, FinallyRunsOnNormalAndExceptionalExit) {
  Script.Var(u"Count", MakeI4(0));
  auto bump = [](TAsm& a) {
    a.Op(icPush, 1).Call(icGlobCall, u"Count", bkNon, 0);
    a.Int(1).Op(icPlus).Call(icAssignGlobCall, u"Count", bkNon, 0);
  };
  Script.Proc(u"Normal", {}, false, [bump](TAsm& a) {
    TryFinally(a, [](TAsm&, TQelTry*) {}, bump);
  });
  Script.Proc(u"Raising", {}, false, [bump](TAsm& a) {
    TryFinally(a, [](TAsm& b, TQelTry*) { Raise(b, u"fin"); }, bump);
  });
  StartWithHooks();
  Run(u"Normal");
  EXPECT_EQ(ErrorOf([&] { Run(u"Raising"); }), "fin");
  EXPECT_EQ(Describe(TVar(VM->ReadVar(u"Count")).V), "I4:2");
}

TEST_F(Exceptions, ExceptionInFinallyReplacesTheFirst) {
  Script.Proc(u"P", {}, true, [](TAsm& a) {
    TryExcept(a,
              [](TAsm& b) {
                TryFinally(b, [](TAsm& c, TQelTry*) { Raise(c, u"first"); },
                           [](TAsm& c) { Raise(c, u"second"); });
              },
              StoreMessage());
  });
  StartWithHooks();
  EXPECT_EQ(MessageOf(Run(u"P")), "second");
}

TEST_F(Exceptions, ExitInsideFinallyFails) {
  Script.Proc(u"P", {}, false, [](TAsm& a) {
    TryFinally(a, [](TAsm&, TQelTry*) {}, [](TAsm& b) { b.Op(icRaiseEBCFromFinally); });
  });
  StartWithHooks();
  EXPECT_EQ(ErrorOf([&] { Run(u"P"); }),
            "Cannot BREAK, CONTINUE or EXIT out of a FINALLY clause");
}

TEST_F(Exceptions, BreakInsideTryFinallyRunsFinallyThenLeavesTheLoop) {
  // while true do try Break finally Count := Count + 1 end; Result := Count
  Script.Var(u"Count", MakeI4(0));
  Script.Proc(u"P", {}, true, [](TAsm& a) {
    TQelLabel* loop = a.Label();
    TQelLabel* done = a.Label();
    TQelLabel* breakOut = a.Label();
    TQelTry* block = nullptr;
    a.Bind(loop);
    TryFinally(
        a,
        [&](TAsm& b, TQelTry* T) {
          block = T;
          b.Op(icPush, 1);
          b.Call(icGlobCall, u"Break", bkNon, 0, false)->FBreakLabel = breakOut;
          b.Op(icPop);
        },
        [](TAsm& b) {
          b.Op(icPush, 1).Call(icGlobCall, u"Count", bkNon, 0);
          b.Int(1).Op(icPlus).Call(icAssignGlobCall, u"Count", bkNon, 0);
        });
    a.Op(icJump, loop);
    a.Bind(breakOut).Op(icCallFinally, block);
    TQelLabel* back = a.Label();
    a.Bind(back);
    block->AddKnownFinallyRet(back);
    a.Op(icJump, done);
    a.Bind(done).Op(icPush, 1).Call(icGlobCall, u"Count", bkNon, 0);
    a.Op(icAssignResult);
  });
  StartWithHooks();
  EXPECT_EQ(Describe(Run(u"P").V), "I4:1");
}

TEST_F(Exceptions, ErrorInCalleeIsReportedThereFirstThenCaught) {
  Script.Proc(u"Callee", {}, false, [](TAsm& a) { a.Pos(20).Int(1).Int(0).Op(icIntDiv); });
  Script.Proc(u"Caller", {}, true, [](TAsm& a) {
    TryExcept(a,
              [](TAsm& b) {
                b.Pos(3).Op(icPush, 1).Call(icGlobCall, u"Callee", bkRound, 0, false);
                b.Op(icPop);
              },
              StoreMessage());
  });
  StartWithHooks();
  EXPECT_EQ(MessageOf(Run(u"Caller")), "Division by zero");
  // "test source\r\nsecond line": position 20 is line 1 column 7, position 3 line 0 column 3.
  ASSERT_EQ(Positions.size(), 2u);
  EXPECT_EQ(Positions[0], std::make_pair(1, 7));
  EXPECT_EQ(Positions[1], std::make_pair(0, 3));
}

TEST(RuntimeErrors, EveryKindHasItsMessage) {
  const char* expected[] = {
      "Undeclared identifier: '%s'",
      "BREAK or CONTINUE outside of loop",
      "Cannot BREAK, CONTINUE or EXIT out of a FINALLY clause",
      "Invalid assignment",
      "Invalid argument count",
      "Invalid type cast or type mismatch",
      "Object required but nil found",
      "For loop control variable must be simple local variable",
      "Cannot raise nil exception",
      "Cannot raise locked exception",
      "Low can be applied only to an array",
      "High can be applied only to an array",
      "Constant expression violates subrange bounds",
      "Invalid DispId",
      "Procedural type required.",
      "Variable or constant required.",
      "Script execution has been aborted.",
      "Internal error: Invalid object kind",
      "Internal error: Invalid bracket type",
      "Internal error: Invalid instruction code",
      "Internal error: No breakpoint info found",
  };
  for (int kind = 0; kind <= retIENoBreakpointInfo; ++kind) {
    EXPECT_EQ(Utf8(QelRuntimeErrorMessage(kind)), expected[kind]);
    try {
      EQelVMRuntime::RaiseError(TQelRuntimeErrorType(kind), u"Foo");
    } catch (const ExceptionPtr& E) {
      EXPECT_TRUE(E->Is<EQelVMRuntime>());
      if (kind == retUndeclaredId) {
        EXPECT_EQ(Utf8(E->GetMessage()), "Undeclared identifier: 'Foo'");
      }
    }
  }
  EXPECT_EQ(Utf8(QelRuntimeErrorMessage(21)), "Internal error: Invalid exception type");
}

TEST(RuntimeErrors, FailedDispatchCallMessages) {
  struct TCase {
    HRESULT Hr;
    const char16_t* Description;
    const char* Expected;
  } cases[] = {
      {DISP_E_TYPEMISMATCH, nullptr, "Invalid type cast or type mismatch"},
      {DISP_E_BADPARAMCOUNT, nullptr, "Invalid argument count"},
      {DISP_E_EXCEPTION, u"from host", "from host"},
  };
  for (const TCase& c : cases) {
    EXCEPINFO info{};
    if (c.Description) info.bstrDescription = OleAllocBstr(c.Description);
    EXPECT_EQ(Utf8(EQelVMRuntime::MessageOf(c.Hr, info, true)), c.Expected);
    EXPECT_EQ(info.bstrDescription, nullptr);
  }
  EXCEPINFO empty{};
  EXPECT_FALSE(EQelVMRuntime::MessageOf(DISP_E_UNKNOWNNAME, empty, true).empty());
}

class MachineErrors : public Exceptions {};

TEST_F(MachineErrors, InvalidInstructionAndReadingAProcedure) {
  Script.Proc(u"P", {}, false, [](TAsm& a) { a.Op(icPush0); });
  StartWithHooks();
  // No compiler emits such a code: patch the compiled procedure.
  TQelNamedItem* item = VM->ScriptGlobals().Find(QelNameTable().GetNameIndex(u"P", false));
  static_cast<TQelProcObject*>(item)->FByteCode.Code()[0].Code = 95;
  EXPECT_EQ(ErrorOf([&] { Run(u"P"); }), "Internal error: Invalid instruction code");
  EXPECT_EQ(ErrorOf([&] { VM->ReadVar(u"P"); }), "Variable or constant required.");
}

}  // namespace
