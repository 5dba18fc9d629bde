// Calls: parameters by value, const and reference; name resolution to locals, globals,
// intrinsics, host objects and dispatch members; arrays; the machine's states.
#include "tests/vm/VMTestFixture.h"

namespace {

// A host object with a member "Double" (2 * argument) and a property "Value".
TTestDisp* MakeHost() {
  auto* host = new TTestDisp;
  host->Member(u"Double", [](WORD, std::vector<VARIANT>& AArgs, VARIANT* AResult) {
    if (AArgs.size() != 1) return DISP_E_BADPARAMCOUNT;
    VARIANT v{};
    VariantChangeType(&v, &AArgs[0], 0, VT_I4);
    if (AResult) *AResult = MakeI4(2 * v.lVal);
    return S_OK;
  });
  host->Member(u"Chr", [](WORD, std::vector<VARIANT>&, VARIANT* AResult) {
    if (AResult) *AResult = MakeStr(u"unit");
    return S_OK;
  });
  return host;
}

class Calls : public VMTest {
 protected:
  void TearDown() override {
    VMTest::TearDown();
    for (TTestDisp* host : Hosts) host->Release();
  }
  TTestDisp* Host() {
    Hosts.push_back(MakeHost());
    return Hosts.back();
  }
  // Pushes a result slot, calls a global name with the given integer arguments.
  static void CallGlobal(TAsm& a, const std::u16string& AName, TQelBracketType ABracket,
                         std::vector<int> AArgs) {
    a.Op(icPush, 1);
    for (int arg : AArgs) a.Int(arg);
    a.Call(icGlobCall, AName, ABracket, int(AArgs.size()));
  }
  std::vector<TTestDisp*> Hosts;
};

TEST_F(Calls, ParameterKinds) {
  // Each procedure adds 1 to its parameter; only by-reference reaches the caller.
  auto addOne = [](TAsm& a) {
    a.Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData()).Int(1).Op(icPlus);
    a.Op(icAssignArg, TQelParamInfo{0, pkSimple}.ToData());
  };
  Script.Proc(u"ByVal", {pkSimple}, false, addOne);
  Script.Proc(u"ByRef", {pkByRef}, false, [](TAsm& a) {
    a.Op(icPushArg, TQelParamInfo{0, pkByRef}.ToData()).Int(1).Op(icPlus);
    a.Op(icAssignArg, TQelParamInfo{0, pkByRef}.ToData());
  });
  Script.Proc(u"ByConst", {pkConst}, false, [](TAsm& a) {
    a.Int(1).Op(icAssignArg, TQelParamInfo{0, pkConst}.ToData());
  });
  Start();
  TVar variable(MakeI4(10));
  VARIANT ref{};
  ref.vt = VT_BYREF | VT_VARIANT;
  ref.pvarVal = &variable.V;
  Run(u"ByVal", {ref});
  EXPECT_EQ(Describe(variable.V), "I4:10");
  Run(u"ByRef", {ref});
  EXPECT_EQ(Describe(variable.V), "I4:11");
  EXPECT_EQ(ErrorOf([&] { Run(u"ByConst", {ref}); }), "Invalid assignment");
}

TEST_F(Calls, ByReferenceFromScriptCode) {
  Script.Var(u"G", MakeI4(5));
  Script.Proc(u"ByRef", {pkByRef}, false, [](TAsm& a) {
    a.Int(7).Op(icAssignArg, TQelParamInfo{0, pkByRef}.ToData());
  });
  Start();
  ExecCode([](TAsm& a) {
    a.Op(icPush, 2);  // result of ByRef, then the reference to G
    a.Call(icGlobCallRef, u"G", bkNon, 0);
    a.Call(icGlobCall, u"ByRef", bkRound, 1, false);
    a.Op(icPop);
  });
  EXPECT_EQ(Describe(TVar(VM->ReadVar(u"G")).V), "I4:7");
}

TEST_F(Calls, FunctionThatNeverAssignsItsResultReturnsUnassigned) {
  Script.Proc(u"NoResult", {}, true, [](TAsm&) {});
  Start();
  TVar result = EvalCode([](TAsm& a) {
    a.Str(u"stale").Op(icPop);  // leaves a value in the slot the call's result reuses
    a.Op(icPush, 1);
    a.Call(icGlobCall, u"NoResult", bkRound, 0);
  });
  EXPECT_EQ(Describe(result.V), "Empty");
}

TEST_F(Calls, ResolvesLocalsGlobalsConstantsAndIntrinsics) {
  TTestProc* proc = Script.Proc(u"UsesLocal", {}, true, [](TAsm& a) {
    a.Int(7).Op(icAssignLocalVar, intptr_t(a.Local()));
    a.Op(icPush, 1).Call(icGlobCall, u"L", bkNon, 0);
    a.Op(icAssignResult);
  });
  proc->NameLocal(u"L", 0);
  Script.Var(u"GVar", MakeI4(5));
  Script.Const(u"GConst", MakeStr(u"c"));
  Script.Intrinsic(u"Twice", [](TQelCall*, VARIANT* AArgs, VARIANT& AResult) {
    VariantClear(&AResult);
    AResult = MakeI4(2 * AArgs[0].lVal);
  });
  Start();
  EXPECT_EQ(Describe(Run(u"UsesLocal").V), "I4:7");
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) { CallGlobal(a, u"gvar", bkNon, {}); }).V), "I4:5");
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) { CallGlobal(a, u"GCONST", bkNon, {}); }).V), "Str:c");
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) { CallGlobal(a, u"Twice", bkRound, {21}); }).V),
            "I4:42");
  EXPECT_EQ(ErrorOf([&] { EvalCode([](TAsm& a) { CallGlobal(a, u"Nope", bkNon, {}); }); }),
            "Undeclared identifier: 'Nope'");
}

TEST_F(Calls, HostObjectsAndMembers) {
  Start();
  TTestDisp* host = Host();
  ASSERT_TRUE(VM->AddExternObject(host, u"Host", false));
  EXPECT_FALSE(VM->AddExternObject(host, u"HOST", false));
  TVar result = EvalCode([](TAsm& a) {
    a.Op(icPush, 2).Call(icGlobCall, u"Host", bkNon, 0);
    a.Int(3).Call(icMemberCall, u"double", bkRound, 1);
  });
  EXPECT_EQ(Describe(result.V), "I4:6");
  EXPECT_EQ(ErrorOf([&] {
              EvalCode([](TAsm& a) {
                a.Op(icPush, 2).Call(icGlobCall, u"Host", bkNon, 0);
                a.Call(icMemberCall, u"Missing", bkNon, 0);
              });
            }),
            "Undeclared identifier: 'Missing'");
  EXPECT_EQ(ErrorOf([&] {
              EvalCode([](TAsm& a) {
                a.Op(icPush, 1).Op(icPushUnassigned).Call(icMemberCall, u"Double", bkNon, 0);
              });
            }),
            "Object required but nil found");
}

TEST_F(Calls, MoreThan63HostArgumentsFailBeforeTheHostIsCalled) {
  Start();
  TTestDisp* host = Host();
  VM->AddExternObject(host, u"Host", false);
  EXPECT_EQ(ErrorOf([&] {
              EvalCode([](TAsm& a) {
                a.Op(icPush, 2).Call(icGlobCall, u"Host", bkNon, 0);
                for (int i = 0; i < 64; ++i) a.Int(i);
                a.Call(icMemberCall, u"Double", bkRound, 64);
              });
            }),
            "Invalid argument count");
  EXPECT_EQ(host->Calls(u"Double"), 0);
}

struct THidingCase {
  const char* Name;
  bool ScriptGlobal, HostObject, Published, Unit;
  const char* Expected;  // what the call of "Chr" yields
};
std::ostream& operator<<(std::ostream& S, const THidingCase& C) { return S << C.Name; }

class Hiding : public Calls, public ::testing::WithParamInterface<THidingCase> {};

// Script globals hide host objects, host objects hide intrinsics, published members of named
// objects hide intrinsics, published members of units do not.
TEST_P(Hiding, NameResolutionOrder) {
  const THidingCase& c = GetParam();
  if (c.ScriptGlobal) Script.Var(u"Chr", MakeStr(u"script"));
  Script.Intrinsic(u"Chr", [](TQelCall*, VARIANT*, VARIANT& AResult) {
    VariantClear(&AResult);
    AResult = MakeStr(u"intrinsic");
  });
  Start();
  if (c.HostObject) VM->AddExternObject(Host(), u"Chr", false);
  if (c.Published) VM->AddExternObject(Host(), c.Unit ? u"System" : u"Named", true, c.Unit);
  TVar result = EvalCode([](TAsm& a) { a.Op(icPush, 1).Call(icGlobCall, u"Chr", bkNon, 0); });
  EXPECT_EQ(Describe(result.V), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Hiding,
    ::testing::Values(THidingCase{"IntrinsicAlone", false, false, false, false, "Str:intrinsic"},
                      THidingCase{"GlobalHidesHost", true, true, false, false, "Str:script"},
                      THidingCase{"HostHidesIntrinsic", false, true, false, false, "Disp"},
                      THidingCase{"PublishedHidesIntrinsic", false, false, true, false, "Str:unit"},
                      THidingCase{"UnitDoesNotHideIntrinsic", false, false, true, true,
                                  "Str:intrinsic"},
                      THidingCase{"GlobalHidesPublished", true, false, true, false, "Str:script"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(Calls, UnitMemberReachableQualifiedAndUnhiddenNamesFound) {
  Script.Intrinsic(u"Chr", [](TQelCall*, VARIANT*, VARIANT& AResult) { AResult = MakeI4(0); });
  Start();
  TTestDisp* unit = Host();
  VM->AddExternObject(unit, u"System", true, true);
  TVar qualified = EvalCode([](TAsm& a) {
    a.Op(icPush, 2).Call(icGlobCall, u"System", bkNon, 0);
    a.Int(65).Call(icMemberCall, u"Chr", bkRound, 1);
  });
  EXPECT_EQ(Describe(qualified.V), "Str:unit");
  // A unit's member that no intrinsic shadows is found as a global name.
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) { CallGlobal(a, u"Double", bkRound, {4}); }).V), "I4:8");
}

TEST_F(Calls, UnknownNamesAreAskedOfPublishersEveryTime) {
  Start();
  TTestDisp* host = Host();
  VM->AddExternObject(host, u"Pub", true);
  int before = host->NameLookups;
  for (int i = 0; i < 2; ++i)
    ErrorOf([&] { EvalCode([](TAsm& a) { CallGlobal(a, u"Unknown", bkNon, {}); }); });
  EXPECT_EQ(host->NameLookups - before, 2);
  // A found member is remembered by the thread's cache.
  before = host->NameLookups;
  for (int i = 0; i < 2; ++i) EvalCode([](TAsm& a) { CallGlobal(a, u"Double", bkRound, {1}); });
  EXPECT_EQ(host->NameLookups - before, 1);
}

struct TCallErrorCase {
  const char* Name;
  TEmitter Code;
  const char* Message;
};
std::ostream& operator<<(std::ostream& S, const TCallErrorCase& C) { return S << C.Name; }

class CallErrors : public VMTest, public ::testing::WithParamInterface<TCallErrorCase> {};

TEST_P(CallErrors, RaiseTheMachineError) {
  Script.StandardControl();
  Script.Proc(u"Proc", {}, false, [](TAsm&) {});
  Script.Proc(u"Func1", {pkSimple}, true, [](TAsm&) {});
  Script.Var(u"V", MakeI4(1));
  Start();
  EXPECT_EQ(ErrorOf([&] { ExecCode(GetParam().Code); }), GetParam().Message);
}

auto Global(const char16_t* AName, TQelBracketType ABracket, int AArgs, bool AUsed = true,
            TQelInstrCode ACode = icGlobCall) {
  return [=](TAsm& a) {
    a.Op(icPush, 1);
    for (int i = 0; i < AArgs; ++i) a.Int(i);
    a.Call(ACode, AName, ABracket, AArgs, AUsed);
    a.Op(icPop);
  };
}

INSTANTIATE_TEST_SUITE_P(
    Table, CallErrors,
    ::testing::Values(
        TCallErrorCase{"ExitWithBrackets", Global(u"Exit", bkRound, 0, false),
                       "Invalid type cast or type mismatch"},
        TCallErrorCase{"BreakOutsideLoop", Global(u"Break", bkNon, 0, false),
                       "BREAK or CONTINUE outside of loop"},
        TCallErrorCase{"ContinueOutsideLoop", Global(u"Continue", bkNon, 0, false),
                       "BREAK or CONTINUE outside of loop"},
        TCallErrorCase{"ExitByReference", Global(u"Exit", bkNon, 0, false, icGlobCallRef),
                       "Invalid type cast or type mismatch"},
        TCallErrorCase{"ProcedureInExpression", Global(u"Proc", bkRound, 0, true),
                       "Invalid type cast or type mismatch"},
        TCallErrorCase{"TooManyArguments", Global(u"Proc", bkRound, 1, false),
                       "Invalid argument count"},
        TCallErrorCase{"ProcedureIndexed", Global(u"Func1", bkBlock, 1),
                       "Invalid type cast or type mismatch"},
        TCallErrorCase{"VariableWithPascalBrackets", Global(u"V", bkRound, 0),
                       "Invalid type cast or type mismatch"},
        TCallErrorCase{"IndexingAnInteger", Global(u"V", bkBlock, 1),
                       "Invalid type cast or type mismatch"},
        TCallErrorCase{"AssignToProcedure",
                       [](TAsm& a) { a.Int(1).Call(icAssignGlobCall, u"Proc", bkNon, 0); },
                       "Invalid assignment"},
        TCallErrorCase{"AssignLValueWithoutReference",
                       [](TAsm& a) { a.Int(1).Int(2).Op(icAssignLValue); }, "Invalid assignment"},
        TCallErrorCase{"ForLoopOverNonReference",
                       [](TAsm& a) {
                         TQelFor* loop = a.Code().AddFor(a.Label(), false);
                         a.Int(1).Int(2).Op(icForInitLValue, loop);
                       },
                       "For loop control variable must be simple local variable"},
        TCallErrorCase{"MemberOfInteger",
                       [](TAsm& a) { a.Op(icPush, 1).Int(1).Call(icMemberCall, u"X", bkNon, 0); },
                       "Invalid variant type conversion"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(Calls, ControlTransferJumpsToTheCallLabels) {
  Script.StandardControl();
  Start();
  // Counts to 3 with Continue and leaves the loop with Break, through call instructions.
  TVar result = EvalCode([](TAsm& a) {
    int counter = a.Local();
    TQelLabel* top = a.Label();
    TQelLabel* done = a.Label();
    a.Int(0).Op(icAssignLocalVar, intptr_t(counter));
    a.Bind(top);
    a.Op(icPushLocalVar, intptr_t(counter)).Int(1).Op(icPlus).Op(icAssignLocalVar, intptr_t(counter));
    a.Op(icPushLocalVar, intptr_t(counter)).Int(3).Op(icGreaterEqual);
    TQelLabel* skip = a.Label();
    a.Op(icPopJmpIfFalse, skip);
    a.Op(icPush, 1);
    TQelCall* brk = a.Call(icGlobCall, u"Break", bkNon, 0, false);
    brk->FBreakLabel = done;
    a.Bind(skip).Op(icPush, 1);
    TQelCall* cont = a.Call(icGlobCall, u"Continue", bkNon, 0, false);
    cont->FContinueLabel = top;
    a.Bind(done).Op(icPushLocalVar, intptr_t(counter));
  });
  EXPECT_EQ(Describe(result.V), "I4:3");
}

TEST_F(Calls, VbFunctionNamingItselfRecurses) {
  // F(n) = n <= 0 ? 0 : n + F(n - 1); "F = value" assigns the result.
  Script.Proc(u"F", {pkSimple}, true, [](TAsm& a) {
    TQelLabel* recurse = a.Label();
    a.Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData()).Int(0).Op(icGreater);
    a.Op(icPopJmpIfTrue, recurse);
    a.Int(0).Call(icAssignGlobCall, u"F", bkNon, 0);
    a.Op(icRet);
    a.Bind(recurse);
    a.Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData());
    a.Op(icPush, 1).Op(icPushArg, TQelParamInfo{0, pkSimple}.ToData()).Int(1).Op(icMinus);
    a.Call(icGlobCall, u"F", bkVbRound, 1);
    a.Op(icPlus).Call(icAssignGlobCall, u"F", bkNon, 0);
  });
  Start();
  EXPECT_EQ(Describe(Run(u"F", {MakeI4(4)}).V), "I4:10");
}

TEST_F(Calls, Arrays) {
  Script.Var(u"A");
  Start();
  auto create = [](int ADims) {
    return [ADims](TAsm& a) {
      a.Op(icPush, 1).Call(icGlobCallRef, u"A", bkNon, 0);
      for (int d = 0; d < ADims; ++d) a.Int(1).Int(d == 0 ? 3 : 1);
      a.Op(icArrayCreate, a.Code().AddArray(ADims, VT_VARIANT));
      a.Op(icAssignLValue);
    };
  };
  ExecCode(create(2));
  // A[2, 1] := 'x'; then read it back and index with the wrong count.
  ExecCode([](TAsm& a) {
    a.Op(icPush, 1).Call(icGlobCallRef, u"A", bkNon, 0);
    a.Int(2).Int(1).Str(u"x").Call(icAssignUnnamedCall, u"", bkBlock, 2);
  });
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) {
                       a.Op(icPush, 1).Int(2).Int(1).Call(icGlobCall, u"A", bkBlock, 2);
                     }).V),
            "Str:x");
  EXPECT_EQ(ErrorOf([&] {
              EvalCode([](TAsm& a) { a.Op(icPush, 1).Int(2).Call(icGlobCall, u"A", bkBlock, 1); });
            }),
            "Invalid argument count");
  EXPECT_EQ(ErrorOf([&] { ExecCode(create(30)); }), "Invalid argument count");
  EXPECT_EQ(ErrorOf([&] { ExecCode(create(29)); }), "");
}

TEST_F(Calls, PreservingRedimKeepsElements) {
  Script.Var(u"A");
  Start();
  auto redim = [](int AHigh, bool APreserve) {
    return [=](TAsm& a) {
      a.Op(icPush, 1).Call(icGlobCallRef, u"A", bkNon, 0);
      a.Int(0).Int(AHigh);
      a.Op(icArrayRedimLValue, a.Code().AddArrayRedim(1, VT_VARIANT, APreserve));
    };
  };
  ExecCode(redim(1, false));
  ExecCode([](TAsm& a) {
    a.Op(icPush, 1).Call(icGlobCallRef, u"A", bkNon, 0);
    a.Int(1).Int(42).Call(icAssignUnnamedCall, u"", bkBlock, 1);
  });
  ExecCode(redim(5, true));
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) {
                       a.Op(icPush, 1).Int(1).Call(icGlobCall, u"A", bkBlock, 1);
                     }).V),
            "I4:42");
}

TEST_F(Calls, MachineStates) {
  Script.Var(u"V", MakeI4(1));
  Script.Const(u"C", MakeI4(2));
  VM = std::make_unique<TQelVirtMachine>(std::make_shared<TTestLanguage>(Script));
  EXPECT_EQ(ErrorOf([&] { VM->Open(); }), "Virtual machine should be initialized.");
  VM->Initialize(u"");
  EXPECT_EQ(ErrorOf([&] { VM->Initialize(u""); }), "Virtual machine should be not initialized.");
  EXPECT_EQ(ErrorOf([&] { VM->RunProc(u"V"); }), "Virtual machine should be active.");
  VM->Open();
  EXPECT_EQ(ErrorOf([&] { VM->RunProc(u"V"); }), "Procedural type required.");
  EXPECT_EQ(ErrorOf([&] { VM->RunProc(u"Foo"); }), "Undeclared identifier: 'Foo'");
  EXPECT_EQ(ErrorOf([&] { VM->WriteVar(u"C", MakeI4(3)); }), "Invalid assignment");
  VM->WriteVar(u"v", MakeI4(9));
  EXPECT_EQ(Describe(TVar(VM->ReadVar(u"V")).V), "I4:9");
  VM->Close();
  EXPECT_EQ(ErrorOf([&] { VM->ReadVar(u"V"); }), "Virtual machine should be active.");
  EXPECT_EQ(VM->State(), msUninitialized);
}

TEST_F(Calls, CompileErrorPositionIsReportedBeforeItPropagates) {
  // "test source\r\nsecond line": line 2 column 5 is character 18.
  Script.FailParse = [] { throw ExceptionPtr(new EQelCompileBase(u"Syntax error", 18)); };
  VM = std::make_unique<TQelVirtMachine>(std::make_shared<TTestLanguage>(Script));
  VM->OnFormatException = [this](TQelVirtMachine*, int ALine, int APos, Exception*) {
    Positions.emplace_back(ALine, APos);
  };
  EXPECT_EQ(ErrorOf([&] { VM->Initialize(u"test source\r\nsecond line\r\n"); }), "Syntax error");
  ASSERT_EQ(Positions.size(), 1u);
  EXPECT_EQ(Positions[0], std::make_pair(1, 5));
  EXPECT_EQ(VM->State(), msUninitialized);
}

TEST_F(Calls, DuplicateGlobalIsRefused) {
  Script.Var(u"X");
  Script.Var(u"x");
  VM = std::make_unique<TQelVirtMachine>(std::make_shared<TTestLanguage>(Script));
  EXPECT_EQ(ErrorOf([&] { VM->Initialize(u""); }), "Object or value named 'x' already exists.");
}

}  // namespace

namespace {

TEST_F(Calls, HostHooksBuildValues) {
  Start();
  VM->OnIsTest = [](TQelVirtMachine*, const VARIANT& AObj, const VARIANT& AType, bool& AResult) {
    AResult = AObj.vt == VT_I4 && AType.vt == VT_BSTR && OleBstrView(AType.bstrVal) == u"Integer";
  };
  VM->OnNew = [](TQelVirtMachine*, const VARIANT& AType, VARIANT* AArgs, int AArgCount,
                 VARIANT& AResult) {
    std::u16string text(OleBstrView(AType.bstrVal));
    for (int i = 0; i < AArgCount; ++i) text += u"," + Utf8ToString(std::to_string(AArgs[i].lVal));
    AResult = MakeStr(text);
  };
  VM->OnEventMake = [](TQelVirtMachine*, const std::u16string& AProcName, VARIANT& AResult) {
    AResult = MakeStr(u"handler:" + AProcName);
  };
  static const std::u16string procName = u"OnClick";
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) { a.Int(1).Str(u"Integer").Op(icIs); }).V), "Bool:True");
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) { a.Str(u"x").Str(u"Integer").Op(icIs); }).V), "Bool:False");
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) {
                       a.Op(icPush, 1).Str(u"TList").Int(4).Int(5);
                       a.Call(icNewUnnamedCall, u"", bkRound, 2);
                     }).V),
            "Str:TList,4,5");
  EXPECT_EQ(Describe(EvalCode([](TAsm& a) { a.Op(icEventHandlerMake, &procName); }).V),
            "Str:handler:OnClick");
}

}  // namespace
