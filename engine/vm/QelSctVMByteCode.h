// Instruction set and code container shared by both script compilers and the machine.
//
// A TQelByteCode holds one unit of compiled code (a procedure, the global statements, or one
// prepared expression/statement). Compilers build it only through the emission interface below
// and close it with EndEmit, which turns label indexes into instruction pointers, shortens jump
// chains, computes the activation's slot count and builds the protected-block table. After
// EndEmit the instruction array never moves: labels and the debugger keep pointers into it.
#pragma once

#include <atomic>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/vm/QelVMInstrSet.h"
#include "platform/ole/OleTypes.h"

class TQelAbstractNamespace;
struct TQelDirectMember;

// The stored code of an instruction, one per row of QEL_VM_INSTRUCTION_SET. The numbering is
// part of the contract (the debugger patches codes in place, the interpreter masks them with the
// terminate flag), so the rows never move: each row's published code is checked below.
enum TQelInstrCode : uint8_t {
#define QEL_VM_ENUM_ROW(Name, Code, ...) Name,
  QEL_VM_INSTRUCTION_SET(QEL_VM_ENUM_ROW)
#undef QEL_VM_ENUM_ROW
};
#define QEL_VM_CHECK_ROW(Name, Code, ...) \
  static_assert(Name == Code, "published code of " #Name " moved");
QEL_VM_INSTRUCTION_SET(QEL_VM_CHECK_ROW)
#undef QEL_VM_CHECK_ROW

#define QEL_VM_COUNT_ROW(...) +1
inline constexpr int QelInstrCodeCount = 0 QEL_VM_INSTRUCTION_SET(QEL_VM_COUNT_ROW);
#undef QEL_VM_COUNT_ROW
static_assert(QelInstrCodeCount == 91, "the published instruction set has 91 codes");

// What an instruction's Data holds.
enum TQelOperandKind : uint8_t {
  okNone, okSlotCount, okLocal, okParam, okConstant, okLabel, okCall, okGlobal, okFor, okTry,
  okExcJump, okNamespace, okArray, okArrayRedim, okString, okInstr
};

// Row flags (see QelVMInstrSet.h).
enum TQelInstrFlag : uint8_t {
  ifJump = 1, ifEnd = 2, ifResume = 4, ifTrap = 8, ifControl = 16
};

// Pops / Pushes of a row whose stack effect depends on the operand.
inline constexpr int8_t QelStackVar = -1;

// One row of the instruction table.
struct TQelInstrInfo {
  const char* Name;
  TQelOperandKind Operand;
  int8_t Pops;      // QelStackVar: depends on the operand
  int8_t Pushes;
  int8_t JumpPops;  // slots fewer on the jump path than before the instruction
  uint8_t Flags;    // TQelInstrFlag bits
  bool Has(TQelInstrFlag AFlag) const { return (Flags & AFlag) != 0; }
};

namespace qel_vm_detail {
inline constexpr int8_t Var = QelStackVar;
#define QEL_VM_INFO_ROW(Name, Code, Operand, Pops, Pushes, JumpPops, Flags) \
  {#Name, ok##Operand, Pops, Pushes, JumpPops, Flags},
inline constexpr TQelInstrInfo InstrInfos[] = {QEL_VM_INSTRUCTION_SET(QEL_VM_INFO_ROW)};
#undef QEL_VM_INFO_ROW
static_assert(std::size(InstrInfos) == QelInstrCodeCount);
}  // namespace qel_vm_detail

// The row of a stored code; nil for a code outside the instruction set.
constexpr const TQelInstrInfo* QelInstrInfoOf(unsigned ACode) {
  return ACode < unsigned(QelInstrCodeCount) ? &qel_vm_detail::InstrInfos[ACode] : nullptr;
}

// How a name was written at a call: no brackets, VB round (call or index, decided at run
// time), Pascal round (a call), square (an index).
enum TQelBracketType : uint8_t { bkNon = 0, bkVbRound = 1, bkRound = 2, bkBlock = 3 };

enum TQelParamKind : uint16_t { pkSimple = 0, pkConst = 1, pkByRef = 2 };

// A parameter reference stored directly in an instruction's operand.
struct TQelParamInfo {
  uint16_t Index;  // argument position, 0 = first
  TQelParamKind Kind;

  intptr_t ToData() const { return intptr_t(Index) | (intptr_t(Kind) << 16); }
  static TQelParamInfo FromData(intptr_t AData) {
    return {uint16_t(AData & 0xFFFF), TQelParamKind((AData >> 16) & 0xFFFF)};
  }
};

inline constexpr uint32_t QelBreakableBit = 0x80000000u;
inline constexpr uint32_t QelSourcePosMask = 0x7FFFFFFFu;

// One fixed-size instruction (16 bytes). The interpreter advances by one element and jumps by
// pointer. Data is pointer-sized: a slot count, a local slot index, a TQelParamInfo, or a
// pointer to a descriptor / constant / namespace / wide string, depending on Code.
struct TQelInstr {
  uint8_t Code;        // a TQelInstrCode
  int8_t TryIndex;     // innermost protected block whose body holds this instruction, -1 none
  uint16_t Hint;       // the machine's own note, made when emission ends (MarkBorrowingPushes)
  uint32_t SourceInfo; // bits 0-30 source position, bit 31 breakable
  intptr_t Data;

  template <class T>
  T* Ptr() const { return reinterpret_cast<T*>(Data); }
  int SourcePos() const { return int(SourceInfo & QelSourcePosMask); }
  bool IsBreakable() const { return (SourceInfo & QelBreakableBit) != 0; }
};
static_assert(sizeof(TQelInstr) == 16);
using PQelInstr = TQelInstr*;

// Every descriptor an instruction points to is owned by its container.
class TQelByteCodeItem {
 public:
  virtual ~TQelByteCodeItem() = default;
};

class TQelLabel : public TQelByteCodeItem {
 public:
  int FTargetIndex = -1;        // while emitting: index of the target instruction, -1 unbound
  PQelInstr FTarget = nullptr;  // after EndEmit: the target instruction
};

class TQelCall : public TQelByteCodeItem {
 public:
  int FName = -1;              // name id
  std::u16string FStrName;     // the name as written
  TQelBracketType FBracketType = bkNon;
  int FArgCount = 0;
  int FArgsOffset = 0;         // slots from the top down to the first argument
  int FResOffset = 0;          // slots from the top down to the result slot
  int FObjectOffset = 0;       // slots from the top down to the object / callee value
  uintptr_t FResMask = 0;      // all ones when the result is used; ANDed with the result address
  TQelLabel* FBreakLabel = nullptr;
  TQelLabel* FContinueLabel = nullptr;
  TQelLabel* FExitLabel = nullptr;  // nil: exit returns from the code object
  // What the name resolved to, when that can never change: a script procedure (script globals
  // are fixed while the machine is open and hide every host name), a local variable or a
  // parameter (the call site's namespaces are fixed at compile time). 0 until the first call;
  // encoded by the machine (VMCalls.cpp). A member call keeps its last DISPID there with the
  // object class's dispatch key. Threads racing to fill it write whole values.
  mutable std::atomic<uintptr_t> FResolved{0};
  // A member call's prepared member (IQelDirectDispatch::PrepareMember), used on objects of its
  // key; the record tells its key, so it needs no agreement with FResolved.
  mutable std::atomic<const TQelDirectMember*> FPrepared{nullptr};

  bool IsResUsed() const { return FResMask != 0; }
};

class TQelTry : public TQelByteCodeItem {
 public:
  int FIndex = 0;
  TQelTry* FParent = nullptr;
  int FFinallyRetVar = -1;   // local slot holding the return position of the finally subroutine
  int FExceptionVar = -1;    // first of two local slots holding the exception state
  TQelLabel* FFinallyLabel = nullptr;
  TQelLabel* FHandlerLabel = nullptr;
  int FHdrHierHigh = 0;
  int FHdrHierLow = 0;

  void AddKnownFinallyRet(TQelLabel* ALabel);
  int KnownFinallyRetCount() const { return FKnownFRets ? int(FKnownFRets->size()) : 0; }
  TQelLabel* KnownFinallyRets(int AIndex) const { return (*FKnownFRets)[size_t(AIndex)]; }
  TQelLabel* GetKnownFinallyRets(int AIndex) const { return KnownFinallyRets(AIndex); }

 private:
  std::unique_ptr<std::vector<TQelLabel*>> FKnownFRets;  // labels not owned
};

class TQelExcJump : public TQelByteCodeItem {
 public:
  TQelTry* FTry = nullptr;
  TQelLabel* FLabel = nullptr;
};

class TQelFor : public TQelByteCodeItem {
 public:
  TQelLabel* FJmpLabel = nullptr;
  int FToVar = -1;
  int FStepVar = -1;        // -1 when the loop has no step
  int FLoopVarRef = -1;     // local slot holding the pointer to the loop variable
  int FLoopLocalVar = -1;   // local slot of the loop variable for icForInitLocal
};

class TQelArray : public TQelByteCodeItem {
 public:
  int FArgsOffset = 0;
  VARTYPE FElemVarType = 0;
  int FDimCount = 0;
};

class TQelArrayRedim : public TQelArray {
 public:
  bool FPreserve = false;
  int FArrayOffset = 0;
  int FArrayLocalVar = -1;
};

class TQelByteCode {
 public:
  TQelByteCode();
  ~TQelByteCode();
  TQelByteCode(const TQelByteCode&) = delete;
  TQelByteCode& operator=(const TQelByteCode&) = delete;

  // --- emission (compilers) ---
  void BeginEmit(const std::u16string& ADescription, TQelAbstractNamespace* AInitialNamespace,
                 int ASourcePos);
  void Emit(TQelInstrCode ACode, intptr_t AData = 0);
  template <class T>
  void Emit(TQelInstrCode ACode, const T* AData) {
    Emit(ACode, reinterpret_cast<intptr_t>(AData));
  }
  void Emit(TQelInstrCode ACode, TQelParamInfo AParam) { Emit(ACode, AParam.ToData()); }
  void BeginSourcePos(int ASourcePos, int& AOldSourcePos);
  void EndSourcePos(int AOldSourcePos);
  void SetNextInstrBreakable() { FNextInstrBreakable = true; }
  void ManualResetNextInstrBreakable() { FNextInstrBreakable = false; }
  TQelLabel* CreateLabel();
  void BindLabel(TQelLabel* ALabel);
  TQelCall* AddCall(int AName, const std::u16string& AStrName, TQelBracketType ABracketType,
                    int AArgCount, bool AHasObject, bool AHasValue, bool AIsResUsed);
  int AddLocalVar();
  int AddLocalVarArray(int ALength);
  TQelFor* AddFor(TQelLabel* AJmpLabel, bool AIsStepUsed);
  TQelFor* AddFor(TQelLabel* AJmpLabel, int ALoopLocalVar, bool AIsStepUsed);
  TQelArray* AddArray(int ADimCount, VARTYPE AElemVarType);
  TQelArrayRedim* AddArrayRedim(int ADimCount, VARTYPE AElemVarType, bool APreserve);
  TQelArrayRedim* AddArrayRedim(int ADimCount, VARTYPE AElemVarType, bool APreserve,
                                int AArrayLocalVar);
  // More than 128 blocks in one code object do not fit the 8-bit TryIndex: refused with
  // EQelCompileBase "Too many protected blocks in one routine" at the current position.
  TQelTry* BeginProtectedBlock();
  void EndProtectedBlock();
  void BeginExcHdrCode(TQelTry* ATry);
  void EndExcHdrCode(TQelTry* ATry);
  TQelExcJump* AddExcJmp(TQelTry* ATry, TQelLabel* ALabel);
  void EndEmit();

  // --- reading (machine, debugger, tests) ---
  PQelInstr GetFirstBreakInstr(int AStartPos, int ALength) const;
  PQelInstr Code() const { return FCode.get(); }
  int Count() const { return FCount; }
  bool IsFinished() const { return FFinished; }
  int StackSize() const { return FStackSize; }
  int StackLocalsOffset() const { return FStackLocalsOffset; }
  int LocalVarCount() const { return FLocalVarCount; }
  int TryCount() const { return FTryCount; }
  TQelTry* TryAt(int AIndex) const { return FTryArray[size_t(AIndex)]; }
  TQelTry* CurrentProtBlock() const { return FCurrentProtBlock; }
  TQelAbstractNamespace* InitialNamespace() const { return FInitialNamespace; }
  const std::u16string& Description() const { return FDescription; }
  int CurSourcePos() const { return FCurSourcePos; }
  int MinSourcePos() const { return FMinSourcePos; }
  int MaxSourcePos() const { return FMaxSourcePos; }

 private:
  template <class T>
  T* NewItem();
  void ResolveLabels();
  void ComputeStackSize();
  void MarkBorrowingPushes();
  void BuildTryArray();

  std::unique_ptr<TQelInstr[]> FCode;
  int FCodeLength = 0;
  int FCount = 0;
  std::vector<std::unique_ptr<TQelByteCodeItem>> FItems;
  int FTryCount = 0;
  std::vector<TQelTry*> FTryArray;
  TQelTry* FCurrentProtBlock = nullptr;
  int FStackSize = 0;
  int FStackLocalsOffset = 0;
  TQelAbstractNamespace* FInitialNamespace = nullptr;
  int FNextExcHdrRangeId = 0;
  int FCurSourcePos = -1;
  int FMaxSourcePos = -1;
  int FMinSourcePos = INT32_MAX;
  bool FNextInstrBreakable = false;
  bool FFinished = false;
  std::u16string FDescription;
  int FLocalVarCount = 0;
};

// The change of the operand-stack depth when AInstr falls through to the next instruction: the
// table's counts, or the operand's for the rows marked Var. A code outside the instruction set
// is an internal error (assertion), never a guess.
int QelStackEffect(const TQelInstr& AInstr);
// The label an instruction of a jumping row (ifJump) jumps to.
const TQelLabel* QelJumpLabel(const TQelInstr& AInstr);
