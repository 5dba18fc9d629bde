// The instruction set as one table: one row per instruction, expanded into the code
// enumeration (QelSctVMByteCode.h), the interpreter's dispatch labels (VMInterpret.cpp), the
// stack-effect and name tables (TQelInstrInfo) and the disassembler's operand printing.
// Adding an instruction is one row here plus its handler in the interpreter.
//
// X(Name, Code, Operand, Pops, Pushes, JumpPops, Flags)
//   Code      the published number; checked at compile time against the row's position, so a
//             row inserted in the middle or a reordering fails to build.
//   Operand   what Data holds (TQelOperandKind, without its prefix).
//   Pops, Pushes  slots taken from and left on the operand stack when execution falls through;
//             Var when the count depends on the operand (QelVariableStackEffect).
//   JumpPops  slots the stack holds fewer on the jump path than before the instruction
//             (instructions with ifJump only, 0 otherwise).
//   Flags     TQelInstrFlag bits: ifJump (jumps to the label its operand names), ifEnd (the
//             next instruction is not reached from here), ifResume (the code continues after
//             it once the jump target returns: icCallFinally), ifTrap (never in finished code),
//             ifControl (the call may transfer to its break, continue or exit label).
#pragma once

#define QEL_VM_INSTRUCTION_SET(X)                                          \
  X(icBreak,               0,  None,       0,   0,   0, ifTrap)              \
  X(icBreakpointJmp,       1,  Instr,      0,   0,   0, ifTrap)              \
  X(icRet,                 2,  None,       0,   0,   0, ifEnd)               \
  X(icJump,                3,  Label,      0,   0,   0, ifJump | ifEnd)      \
  X(icPop,                 4,  None,       1,   0,   0, 0)                   \
  X(icPush,                5,  SlotCount,  Var, Var, 0, 0)                   \
  X(icPush0,               6,  None,       0,   1,   0, 0)                   \
  X(icPushUnassigned,      7,  None,       0,   1,   0, 0)                   \
  X(icPushLiteral,         8,  Constant,   0,   1,   0, 0)                   \
  X(icPushLocalVar,        9,  Local,      0,   1,   0, 0)                   \
  X(icPushLocalConst,      10, Constant,   0,   1,   0, 0)                   \
  X(icPushArg,             11, Param,      0,   1,   0, 0)                   \
  X(icPushResult,          12, None,       0,   1,   0, 0)                   \
  X(icPushLocalVarRef,     13, Local,      0,   1,   0, 0)                   \
  X(icPushArgRef,          14, Param,      0,   1,   0, 0)                   \
  X(icPushResultRef,       15, None,       0,   1,   0, 0)                   \
  X(icGreater,             16, None,       2,   1,   0, 0)                   \
  X(icGreaterEqual,        17, None,       2,   1,   0, 0)                   \
  X(icLess,                18, None,       2,   1,   0, 0)                   \
  X(icLessEqual,           19, None,       2,   1,   0, 0)                   \
  X(icIn,                  20, None,       2,   1,   0, 0)                   \
  X(icIs,                  21, None,       2,   1,   0, 0)                   \
  X(icEqual,               22, None,       2,   1,   0, 0)                   \
  X(icRefEqual,            23, None,       2,   1,   0, 0)                   \
  X(icNotEqual,            24, None,       2,   1,   0, 0)                   \
  X(icRefNotEqual,         25, None,       2,   1,   0, 0)                   \
  X(icPlus,                26, None,       2,   1,   0, 0)                   \
  X(icStrConcat,           27, None,       2,   1,   0, 0)                   \
  X(icMinus,               28, None,       2,   1,   0, 0)                   \
  X(icImp,                 29, None,       2,   1,   0, 0)                   \
  X(icEqv,                 30, None,       2,   1,   0, 0)                   \
  X(icOr,                  31, None,       2,   1,   0, 0)                   \
  X(icXor,                 32, None,       2,   1,   0, 0)                   \
  X(icMultiply,            33, None,       2,   1,   0, 0)                   \
  X(icDivide,              34, None,       2,   1,   0, 0)                   \
  X(icIntDiv,              35, None,       2,   1,   0, 0)                   \
  X(icMod,                 36, None,       2,   1,   0, 0)                   \
  X(icAnd,                 37, None,       2,   1,   0, 0)                   \
  X(icShl,                 38, None,       2,   1,   0, 0)                   \
  X(icShr,                 39, None,       2,   1,   0, 0)                   \
  X(icPower,               40, None,       2,   1,   0, 0)                   \
  X(icUnaryPlus,           41, None,       1,   1,   0, 0)                   \
  X(icUnaryMinus,          42, None,       1,   1,   0, 0)                   \
  X(icUnaryNot,            43, None,       1,   1,   0, 0)                   \
  X(icJmpIfTrue,           44, Label,      0,   0,   0, ifJump)              \
  X(icJmpIfFalse,          45, Label,      0,   0,   0, ifJump)              \
  X(icPopJmpIfTrue,        46, Label,      1,   0,   1, ifJump)              \
  X(icPopJmpIfFalse,       47, Label,      1,   0,   1, ifJump)              \
  X(icPopJmpIfEqual,       48, Label,      2,   0,   2, ifJump)              \
  X(icPopJmpIfNotEqual,    49, Label,      2,   0,   2, ifJump)              \
  X(icAddValToSet,         50, None,       2,   1,   0, 0)                   \
  X(icAddRangeToSet,       51, None,       3,   1,   0, 0)                   \
  X(icGlobCall,            52, Call,       Var, Var, 0, ifControl)           \
  X(icMemberCall,          53, Call,       Var, Var, 0, 0)                   \
  X(icUnnamedCall,         54, Call,       Var, Var, 0, 0)                   \
  X(icGlobCallRef,         55, Call,       Var, Var, 0, ifControl)           \
  X(icMemberCallRef,       56, Call,       Var, Var, 0, 0)                   \
  X(icUnnamedCallRef,      57, Call,       Var, Var, 0, 0)                   \
  X(icNewUnnamedCall,      58, Call,       Var, Var, 0, 0)                   \
  X(icAssignGlobCall,      59, Call,       Var, Var, 0, ifControl)           \
  X(icAssignMemberCall,    60, Call,       Var, Var, 0, 0)                   \
  X(icAssignUnnamedCall,   61, Call,       Var, Var, 0, 0)                   \
  X(icAssignLValue,        62, None,       2,   0,   0, 0)                   \
  X(icAssignLocalVar,      63, Local,      1,   0,   0, 0)                   \
  X(icAssignArg,           64, Param,      1,   0,   0, 0)                   \
  X(icAssignResult,        65, None,       1,   0,   0, 0)                   \
  X(icAssignGlobalVar,     66, Global,     1,   0,   0, 0)                   \
  X(icAssignGlobalConst,   67, Global,     1,   0,   0, 0)                   \
  X(icForInitLValue,       68, For,        2,   0,   0, 0)                   \
  X(icForInitLocal,        69, For,        1,   0,   0, 0)                   \
  X(icForInc,              70, For,        0,   0,   0, 0)                   \
  X(icForIncStep,          71, For,        0,   0,   0, 0)                   \
  X(icForDec,              72, For,        0,   0,   0, 0)                   \
  X(icForJmpIfLE,          73, For,        0,   0,   0, ifJump)              \
  X(icForJmpIfGE,          74, For,        0,   0,   0, ifJump)              \
  X(icForJmpStep,          75, For,        0,   0,   0, ifJump)              \
  X(icCaseJmpIfEqual,      76, Label,      2,   1,   2, ifJump)              \
  X(icCaseJmpIfInRange,    77, Label,      3,   1,   3, ifJump)              \
  X(icRaise,               78, None,       1,   0,   0, ifEnd)               \
  X(isReraise,             79, Local,      0,   0,   0, ifEnd)               \
  X(icRaiseEBCFromFinally, 80, None,       0,   0,   0, ifEnd)               \
  X(icCallFinally,         81, Try,        0,   0,   0, ifJump | ifEnd | ifResume) \
  X(icFinallyRet,          82, Try,        0,   0,   0, ifEnd)               \
  X(icExceptJmpIfIs,       83, ExcJump,    1,   0,   1, ifJump)              \
  X(icExceptDone,          84, None,       0,   0,   0, 0)                   \
  X(icExceptToVar,         85, Local,      0,   1,   0, 0)                   \
  X(icSetNamespace,        86, Namespace,  0,   0,   0, 0)                   \
  X(icArrayCreate,         87, Array,      Var, Var, 0, 0)                   \
  X(icArrayRedimLValue,    88, ArrayRedim, Var, Var, 0, 0)                   \
  X(icArrayRedimLocal,     89, ArrayRedim, Var, Var, 0, 0)                   \
  X(icEventHandlerMake,    90, String,     0,   1,   0, 0)
