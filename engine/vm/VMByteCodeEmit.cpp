// TQelByteCode: the emission interface the compilers build code with.
#include <algorithm>

#include "engine/vm/QelSctVMByteCode.h"
#include "engine/vm/QelSctVMCompBase.h"
#include "engine/vm/QelVMAssert.h"

namespace {
// TryIndex is a signed 8-bit field.
constexpr int MaxProtectedBlocks = 128;
}  // namespace

void TQelTry::AddKnownFinallyRet(TQelLabel* ALabel) {
  if (!FKnownFRets) FKnownFRets = std::make_unique<std::vector<TQelLabel*>>();
  FKnownFRets->push_back(ALabel);
}

TQelByteCode::TQelByteCode() = default;
TQelByteCode::~TQelByteCode() = default;

template <class T>
T* TQelByteCode::NewItem() {
  QEL_VM_ASSERT(!FFinished);
  auto item = std::make_unique<T>();
  T* result = item.get();
  FItems.push_back(std::move(item));
  return result;
}

void TQelByteCode::BeginEmit(const std::u16string& ADescription,
                             TQelAbstractNamespace* AInitialNamespace, int ASourcePos) {
  FDescription = ADescription;
  FInitialNamespace = AInitialNamespace;
  FCurSourcePos = ASourcePos;
}

void TQelByteCode::Emit(TQelInstrCode ACode, intptr_t AData) {
  QEL_VM_ASSERT(!FFinished);
  QEL_VM_ASSERT(FCurSourcePos >= 0);
  if (FCount == FCodeLength) {
    int newLength = std::max(4, FCodeLength * 2);
    auto grown = std::make_unique<TQelInstr[]>(size_t(newLength));
    std::copy(FCode.get(), FCode.get() + FCount, grown.get());
    FCode = std::move(grown);
    FCodeLength = newLength;
  }
  TQelInstr& instr = FCode[size_t(FCount++)];
  instr.Code = ACode;
  instr.TryIndex = FCurrentProtBlock ? int8_t(FCurrentProtBlock->FIndex) : int8_t(-1);
  instr.Hint = 0;
  instr.SourceInfo = uint32_t(FCurSourcePos) & QelSourcePosMask;
  if (FNextInstrBreakable) instr.SourceInfo |= QelBreakableBit;
  FNextInstrBreakable = false;
  instr.Data = AData;
  FMinSourcePos = std::min(FMinSourcePos, FCurSourcePos);
  FMaxSourcePos = std::max(FMaxSourcePos, FCurSourcePos);
}

void TQelByteCode::BeginSourcePos(int ASourcePos, int& AOldSourcePos) {
  AOldSourcePos = FCurSourcePos;
  FCurSourcePos = ASourcePos;
}

void TQelByteCode::EndSourcePos(int AOldSourcePos) { FCurSourcePos = AOldSourcePos; }

TQelLabel* TQelByteCode::CreateLabel() { return NewItem<TQelLabel>(); }

void TQelByteCode::BindLabel(TQelLabel* ALabel) { ALabel->FTargetIndex = FCount; }

TQelCall* TQelByteCode::AddCall(int AName, const std::u16string& AStrName,
                                TQelBracketType ABracketType, int AArgCount, bool AHasObject,
                                bool AHasValue, bool AIsResUsed) {
  TQelCall* call = NewItem<TQelCall>();
  call->FName = AName;
  call->FStrName = AStrName;
  call->FBracketType = ABracketType;
  call->FArgCount = AArgCount;
  call->FArgsOffset = AArgCount - 1 + (AHasValue ? 1 : 0);
  call->FObjectOffset = call->FArgsOffset + 1;
  call->FResOffset = call->FArgsOffset + 1 + (AHasObject ? 1 : 0);
  call->FResMask = AIsResUsed ? ~uintptr_t(0) : 0;
  return call;
}

int TQelByteCode::AddLocalVar() { return FLocalVarCount++; }

int TQelByteCode::AddLocalVarArray(int ALength) {
  int first = FLocalVarCount;
  FLocalVarCount += ALength;
  return first;
}

TQelFor* TQelByteCode::AddFor(TQelLabel* AJmpLabel, bool AIsStepUsed) {
  TQelFor* loop = NewItem<TQelFor>();
  loop->FJmpLabel = AJmpLabel;
  loop->FStepVar = AIsStepUsed ? AddLocalVar() : -1;
  loop->FToVar = AddLocalVar();
  loop->FLoopVarRef = AddLocalVar();
  return loop;
}

TQelFor* TQelByteCode::AddFor(TQelLabel* AJmpLabel, int ALoopLocalVar, bool AIsStepUsed) {
  TQelFor* loop = AddFor(AJmpLabel, AIsStepUsed);
  loop->FLoopLocalVar = ALoopLocalVar;
  return loop;
}

TQelArray* TQelByteCode::AddArray(int ADimCount, VARTYPE AElemVarType) {
  TQelArray* array = NewItem<TQelArray>();
  array->FDimCount = ADimCount;
  array->FElemVarType = AElemVarType;
  array->FArgsOffset = 2 * ADimCount - 1;
  return array;
}

TQelArrayRedim* TQelByteCode::AddArrayRedim(int ADimCount, VARTYPE AElemVarType,
                                            bool APreserve) {
  TQelArrayRedim* redim = NewItem<TQelArrayRedim>();
  redim->FDimCount = ADimCount;
  redim->FElemVarType = AElemVarType;
  redim->FArgsOffset = 2 * ADimCount - 1;
  redim->FArrayOffset = 2 * ADimCount;
  redim->FPreserve = APreserve;
  return redim;
}

TQelArrayRedim* TQelByteCode::AddArrayRedim(int ADimCount, VARTYPE AElemVarType, bool APreserve,
                                            int AArrayLocalVar) {
  TQelArrayRedim* redim = AddArrayRedim(ADimCount, AElemVarType, APreserve);
  redim->FArrayLocalVar = AArrayLocalVar;
  return redim;
}

TQelTry* TQelByteCode::BeginProtectedBlock() {
  if (FTryCount >= MaxProtectedBlocks)
    throw ExceptionPtr(
        new EQelCompileBase(u"Too many protected blocks in one routine", std::max(0, FCurSourcePos)));
  TQelTry* block = NewItem<TQelTry>();
  block->FIndex = FTryCount++;
  block->FParent = FCurrentProtBlock;
  FCurrentProtBlock = block;
  return block;
}

void TQelByteCode::EndProtectedBlock() {
  QEL_VM_ASSERT(FCurrentProtBlock != nullptr);
  FCurrentProtBlock = FCurrentProtBlock->FParent;
}

void TQelByteCode::BeginExcHdrCode(TQelTry* ATry) { ATry->FHdrHierLow = FNextExcHdrRangeId++; }

void TQelByteCode::EndExcHdrCode(TQelTry* ATry) { ATry->FHdrHierHigh = FNextExcHdrRangeId++; }

TQelExcJump* TQelByteCode::AddExcJmp(TQelTry* ATry, TQelLabel* ALabel) {
  TQelExcJump* jump = NewItem<TQelExcJump>();
  jump->FTry = ATry;
  jump->FLabel = ALabel;
  return jump;
}

void TQelByteCode::EndEmit() {
  QEL_VM_ASSERT(!FFinished);
  ResolveLabels();
  ComputeStackSize();
  MarkBorrowingPushes();
  BuildTryArray();
  FFinished = true;
}

void TQelByteCode::BuildTryArray() {
  FTryArray.clear();
  for (auto& item : FItems)
    if (auto* block = dynamic_cast<TQelTry*>(item.get())) FTryArray.push_back(block);
}

PQelInstr TQelByteCode::GetFirstBreakInstr(int AStartPos, int ALength) const {
  int last = AStartPos + ALength - 1;
  if (FCount == 0 || last < FMinSourcePos || AStartPos > FMaxSourcePos) return nullptr;
  for (int i = 0; i < FCount; ++i) {
    const TQelInstr& instr = FCode[size_t(i)];
    int pos = instr.SourcePos();
    if (instr.IsBreakable() && pos >= AStartPos && pos <= last) return &FCode[size_t(i)];
  }
  return nullptr;
}
