// For Each: the loop statement and the enumerator behind it. The loop is
//   hidden = <start>(collection)
//   while <next>(hidden, variable): body
// where the enumerator holds a copy of an array's elements, or the collection's _NewEnum.
#include <vector>

#include "engine/compiler/QelSctIntrinsicKit.h"
#include "engine/vbscript/VbsInternal.h"

namespace qel_vbs {

namespace {

class TVbsEnumerator final : public OleObject<IUnknown> {
 public:
  ~TVbsEnumerator() override {
    for (VARIANT& element : FElements) VariantClear(&element);
  }
  // False at the end; else the next element in AOut.
  bool Next(VARIANT& AOut) {
    if (FEnum) {
      ULONG fetched = 0;
      VARIANT item;
      VariantInit(&item);
      const HRESULT hr = FEnum->Next(1, &item, &fetched);
      if (FAILED(hr)) QelCheckVar(hr);
      if (hr != S_OK || fetched == 0) return false;
      VariantClear(&AOut);
      AOut = item;
      return true;
    }
    if (FAt >= FElements.size()) return false;
    VariantClear(&AOut);
    AOut = std::exchange(FElements[FAt++], VARIANT{});
    return true;
  }

  // Every element of an array, dimension 1 varying fastest (the order of its memory).
  void TakeArray(SAFEARRAY* AArray) {
    const UINT dims = SafeArrayGetDim(AArray);
    size_t count = dims ? 1 : 0;
    for (UINT d = 0; d < dims; ++d) count *= AArray->rgsabound[d].cElements;
    FElements.reserve(count);
    LONG indices[OLE_SAFEARRAY_MAX_DIMS] = {};
    for (size_t i = 0; i < count; ++i) {
      size_t rest = i;
      for (UINT d = 0; d < dims; ++d) {
        const SAFEARRAYBOUND& bound = AArray->rgsabound[dims - 1 - d];
        indices[d] = bound.lLbound + LONG(rest % bound.cElements);
        rest /= bound.cElements;
      }
      VARIANT& element = FElements.emplace_back();
      VariantInit(&element);
      qel_intrinsics::ArrayElementAt(AArray, indices, element);
    }
  }

  ComPtr<IEnumVARIANT> FEnum;

 private:
  std::vector<VARIANT> FElements;
  size_t FAt = 0;
};

[[noreturn]] void NotACollection() { RaiseException(new EOleSysError(QelVbsErrorText(451), HRESULT(0x800A0000 | 451))); }

// The enumerator of an object: its _NewEnum member (DISPID_NEWENUM).
void TakeObject(TVbsEnumerator& AEnum, IDispatch* AObject) {
  if (!AObject) RaiseException(new EOleSysError(QelVbsErrorText(424), HRESULT(0x800A0000 | 424)));
  DISPPARAMS none{};
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = AObject->Invoke(DISPID_NEWENUM, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result,
                               nullptr, nullptr);
  IUnknown* unknown = nullptr;
  if (SUCCEEDED(hr) && (result.vt == VT_UNKNOWN || result.vt == VT_DISPATCH)) unknown = result.punkVal;
  IEnumVARIANT* found = nullptr;
  if (unknown) hr = unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&found));
  VariantClear(&result);
  if (!found) NotACollection();
  AEnum.FEnum = ComPtr<IEnumVARIANT>::adopt(found);
}

void ForEachStart(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = qel_intrinsics::Arg(AArgs, 0);
  auto enumerator = ComPtr<TVbsEnumerator>::adopt(new TVbsEnumerator);
  if (qel_intrinsics::IsArray(value))
    enumerator->TakeArray(value->parray);
  else if (value->vt == VT_DISPATCH)
    TakeObject(*enumerator.get(), value->pdispVal);
  else
    NotACollection();
  QelClear(&AResult);
  AResult.vt = VT_UNKNOWN;
  AResult.punkVal = enumerator.detach();
}

void ForEachNext(const TQelCall& ACall, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* holder = qel_intrinsics::Arg(AArgs, 0);
  if (holder->vt == VT_EMPTY) {
    qel_intrinsics::SetBoolean(AResult, false);
    return;
  }
  auto* enumerator = holder->vt == VT_UNKNOWN ? dynamic_cast<TVbsEnumerator*>(holder->punkVal) : nullptr;
  if (!enumerator) NotACollection();
  VARIANT element;
  VariantInit(&element);
  const bool more = enumerator->Next(element);
  if (more) qel_intrinsics::WriteBack(&AArgs[1], element);
  VariantClear(&element);
  qel_intrinsics::SetBoolean(AResult, more);
}

// The names cannot be written in a script (they hold a blank).
constexpr qel_intrinsics::TIntrinsicRow kForEachRows[] = {
    {u"For Each", qel_intrinsics::bokFunction, 1, ForEachStart},
    {u"For Each Next", qel_intrinsics::bokFunction, 2, ForEachNext},
};

}  // namespace

void EnumForEachIntrinsics(const std::function<void(TQelGlobalObject*)>& AProc) {
  qel_intrinsics::EnumIntrinsicRows(kForEachRows, AProc);
}

void TVbsForEachStmt::DoEmit(TQelContext& C) {
  TQelByteCode& B = *C.Code;
  FStart->EmitByteCode(C);
  TQelLabel* LTest = B.CreateLabel();
  TQelRestore<TQelExitLabels> exits(C.CurExits);
  C.CurExits[qel_vb::esFor] = B.CreateLabel();
  B.BindLabel(LTest);
  B.SetNextInstrBreakable();
  FNext->EmitByteCode(C, erPopJmpIfFalse, C.CurExits[qel_vb::esFor]);
  FStmts.EmitByteCode(C);
  B.Emit(icJump, LTest);
  B.BindLabel(C.CurExits[qel_vb::esFor]);
}

// For Each Name In Collection ... Next
TQelStmtPtr TQelVbsParser::ParseForEach() {
  auto stmt = QelNewStmt<TVbsForEachStmt>(FScanner.FTokenStartPos);
  Consume();
  Consume();  // Each
  const int varPos = FScanner.FTokenStartPos;
  std::u16string varText;
  const int varId = Name(varText);
  ExpectWord(u"In");
  TQelExprPtr collection = ParseExpression();
  // The enumerator lives in a variable of the loop's own.
  std::u16string hidden;
  const int hiddenId = HiddenVariable(u"For Each ", hidden);
  auto start = QelNewStmt<TQelAssignmentStmt>(stmt->FSourcePos);
  start->FLeftExpr = QelNameDesignator(hiddenId, hidden, stmt->FSourcePos);
  auto startCall = QelNameDesignator(FCbs->GetNameId(u"For Each"), u"For Each", stmt->FSourcePos);
  startCall->FItems.front()->FBracketType = bkVbRound;
  startCall->FItems.front()->FArgs.push_back(std::move(collection));
  start->FRightExpr = std::move(startCall);
  // Under On Error Resume Next a collection that fails leaves no enumerator: the loop is
  // skipped.
  stmt->FStart = ResumeNext(std::move(start));
  auto next = QelNameDesignator(FCbs->GetNameId(u"For Each Next"), u"For Each Next", varPos);
  next->FItems.front()->FBracketType = bkVbRound;
  next->FItems.front()->FArgs.push_back(QelNameDesignator(hiddenId, hidden, varPos));
  auto variable = QelNameDesignator(varId, varText, varPos);
  DesignatorParsed(*variable);
  next->FItems.front()->FArgs.push_back(std::move(variable));
  stmt->FNext = std::move(next);
  SkipSeparators();
  {
    TQelCountScope loop(FExitPntCounts[etFor]);
    ParseStmtList(stmt->FStmts);
  }
  Expect({ptNext});
  return stmt;
}

}  // namespace qel_vbs
