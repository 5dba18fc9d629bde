// Outside dispatch calls, indexing of values (arrays and default members) and arrays.
#include <algorithm>
#include <cstring>

#include "platform/ole/QelDirectDispatch.h"
#include "engine/vm/QelVMInternal.h"

namespace {

constexpr int MaxDispArgs = 63;
constexpr int MaxArrayIndexes = 59;  // an index list must stay below 60 entries
constexpr int MaxArrayDims = 29;

[[noreturn]] void Fail(TQelRuntimeErrorType AError) { EQelVMRuntime::RaiseError(AError); }

SAFEARRAY* ArrayOf(const VARIANT* AValue) {
  if (!(AValue->vt & VT_ARRAY)) return nullptr;
  return (AValue->vt & VT_BYREF) ? *AValue->pparray : AValue->parray;
}

// The integer indexes of an element access, in natural order.
void ReadIndexes(SAFEARRAY* AArray, VARIANT* AArgs, int AArgCount, LONG* AIndexes) {
  if (!AArray || AArgCount > MaxArrayIndexes || AArgCount != int(SafeArrayGetDim(AArray)))
    Fail(retInvalidParamCount);
  for (int i = 0; i < AArgCount; ++i) AIndexes[i] = QelToInt32(AArgs + i);
}

// The hot element access: one index into a one-dimensional array, read or written in place.
// Returns nil whenever the general path must decide (other shapes, a non-integer index, out of
// bounds, element kinds that own memory apart from variants).
QEL_VM_INLINE char* DirectCell(SAFEARRAY* AArray, VARIANT* AArgs, int AArgCount) {
  if (AArgCount != 1 || !AArray || AArray->cDims != 1 || !AArray->pvData) return nullptr;
  const VARIANT* index = QelDeref(AArgs);
  if (index->vt != VT_I4) return nullptr;
  const SAFEARRAYBOUND& bound = AArray->rgsabound[0];
  const uint64_t offset = uint64_t(int64_t(index->lVal) - bound.lLbound);
  if (offset >= bound.cElements) return nullptr;
  return static_cast<char*>(AArray->pvData) + offset * AArray->cbElements;
}

// Element sizes are 1, 2, 4 or 8 bytes; fixed-size copies avoid a library call per element.
QEL_VM_INLINE void CopyCell(void* ADst, const void* ASrc, ULONG ASize) {
  switch (ASize) {
    case 1: std::memcpy(ADst, ASrc, 1); return;
    case 2: std::memcpy(ADst, ASrc, 2); return;
    case 4: std::memcpy(ADst, ASrc, 4); return;
    case 8: std::memcpy(ADst, ASrc, 8); return;
    default: std::memcpy(ADst, ASrc, ASize); return;
  }
}

// Element kinds stored as plain bits of at most eight bytes.
QEL_VM_INLINE bool IsPlainCell(VARTYPE AType, ULONG ASize) {
  constexpr uint64_t NotPlain = (1ull << VT_BSTR) | (1ull << VT_DISPATCH) | (1ull << VT_UNKNOWN) |
                                (1ull << VT_RECORD) | (1ull << VT_VARIANT);
  return ASize <= sizeof(LONGLONG) && AType < 64 && !((NotPlain >> AType) & 1);
}

QEL_VM_INLINE bool DirectGet(SAFEARRAY* AArray, VARTYPE AType, VARIANT* AArgs, int AArgCount,
                             VARIANT* AOut) {
  char* cell = DirectCell(AArray, AArgs, AArgCount);
  if (!cell) return false;
  if (AType == VT_VARIANT) {
    QelCopy(AOut, reinterpret_cast<const VARIANT*>(cell));
    return true;
  }
  if (!IsPlainCell(AType, AArray->cbElements)) return false;
  AOut->llVal = 0;
  CopyCell(&AOut->llVal, cell, AArray->cbElements);
  AOut->vt = AType;
  return true;
}

QEL_VM_INLINE bool DirectPut(SAFEARRAY* AArray, VARTYPE AType, VARIANT* AArgs, int AArgCount,
               const VARIANT* AValue) {
  char* cell = DirectCell(AArray, AArgs, AArgCount);
  if (!cell) return false;
  if (AType == VT_VARIANT) {
    QelCopy(reinterpret_cast<VARIANT*>(cell), AValue);
    return true;
  }
  if (AValue->vt != AType || !IsPlainCell(AType, AArray->cbElements)) return false;
  CopyCell(cell, &AValue->llVal, AArray->cbElements);
  return true;
}

void CheckArrayHr(HRESULT AHr) {
  if (AHr == DISP_E_BADINDEX)
    throw ExceptionPtr(new EVariantError(u"Variant or safe array index out of bounds"));
  QelCheckVar(AHr);
}

}  // namespace

DISPID QelDispIdOfName(IDispatch* AObj, const std::u16string& AName) {
  // GetIDsOfNames never writes the names; passing ours avoids a copy per member call.
  LPOLESTR names[1] = {const_cast<LPOLESTR>(AName.c_str())};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(AObj->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return DISPID_UNKNOWN;
  return id;
}

namespace {
// The result and error handling around both kinds of call.
struct TInvokeFrame {
  EXCEPINFO Info;
  TQelVar Result;

  VARIANT* ResultBuffer(VARIANT* AResult) { return AResult ? &Result.V : nullptr; }
  void Finish(HRESULT AHr, VARIANT* AResult) {
    if (FAILED(AHr)) [[unlikely]] EQelVMRuntime::RaiseError(AHr, Info, true);
    if (AResult) QelMove(AResult, &Result.V);
  }
};

void CheckArgCount(int AArgCount) {
  if (AArgCount > MaxDispArgs) Fail(retInvalidParamCount);
}

// A direct callee fills the exception information for DISP_E_EXCEPTION only.
[[noreturn]] __attribute__((noinline)) void RaiseDirectError(HRESULT AHr, EXCEPINFO& AInfo) {
  if (AHr != DISP_E_EXCEPTION) AInfo = EXCEPINFO{};
  EQelVMRuntime::RaiseError(AHr, AInfo, true);
}

// A put whose value does not follow its arguments on the stack: one array in natural order.
template <class TCall>
__attribute__((noinline)) HRESULT CallWithValue(VARIANT* AArgs, int AArgCount, VARIANT* AValue,
                                                EXCEPINFO* AInfo, const TCall& ACall) {
  VARIANT params[MaxDispArgs + 1];
  std::copy(AArgs, AArgs + AArgCount, params);
  params[AArgCount] = *AValue;
  return ACall(params, UINT(AArgCount + 1), nullptr, AInfo);
}

// Runs ACall(arguments, count, result buffer, exception information) with the arguments in
// natural order and a put's value last: on the machine's stack it usually follows them already.
template <class TCall>
void DirectCall(VARIANT* AArgs, int AArgCount, VARIANT* AValue, VARIANT* AResult,
                const TCall& ACall) {
  CheckArgCount(AArgCount);
  TInvokeFrame frame;
  const HRESULT hr =
      !AValue || AValue == AArgs + AArgCount
          ? ACall(AArgs, UINT(AArgCount + (AValue ? 1 : 0)), frame.ResultBuffer(AResult),
                  &frame.Info)
          : CallWithValue(AArgs, AArgCount, AValue, &frame.Info, ACall);
  if (FAILED(hr)) [[unlikely]] RaiseDirectError(hr, frame.Info);
  frame.Finish(hr, AResult);
}
}  // namespace

// Arguments are passed as plain bitwise copies; references stay references so by-reference
// parameters of the callee write into the script's variables.
void QelDirectInvoke(IQelDirectDispatch* ADirect, DISPID ADispId, WORD AFlags, VARIANT* AArgs,
                     int AArgCount, VARIANT* AValue, VARIANT* AResult) {
  DirectCall(AArgs, AArgCount, AValue, AResult,
             [&](VARIANT* AList, UINT ACount, VARIANT* ABuffer, EXCEPINFO* AInfo) {
               return ADirect->InvokeDirect(ADispId, AFlags, AList, ACount, ABuffer, AInfo);
             });
}

// The hottest host call, kept lean: the value of a put follows its arguments on the stack (else
// DirectCall arranges them), and the result comes back in a plain variant, empty on failure.
void QelPreparedInvoke(IQelDirectDispatch* ADirect, const TQelDirectMember* AMember, WORD AFlags,
                       VARIANT* AArgs, int AArgCount, VARIANT* AValue, VARIANT* AResult) {
  auto call = [&](VARIANT* AList, UINT ACount, VARIANT* ABuffer, EXCEPINFO* AInfo) {
    return ADirect->InvokePrepared(AMember, AFlags, AList, ACount, ABuffer, AInfo);
  };
  if ((AValue && AValue != AArgs + AArgCount) || AArgCount > MaxDispArgs) [[unlikely]]
    return DirectCall(AArgs, AArgCount, AValue, AResult, call);
  EXCEPINFO info;
  VARIANT result;
  result.vt = VT_EMPTY;
  const HRESULT hr =
      call(AArgs, UINT(AArgCount + (AValue ? 1 : 0)), AResult ? &result : nullptr, &info);
  if (FAILED(hr)) [[unlikely]] RaiseDirectError(hr, info);
  if (AResult) QelMove(AResult, &result);
}

void QelDispInvoke(IDispatch* AObj, DISPID ADispId, WORD AFlags, VARIANT* AArgs, int AArgCount,
                   VARIANT* AValue, VARIANT* AResult) {
  if (IQelDirectDispatch* direct = QelDirectDispatchOf(AObj))
    return QelDirectInvoke(direct, ADispId, AFlags, AArgs, AArgCount, AValue, AResult);
  CheckArgCount(AArgCount);
  // OLE order: the last argument first, a put's value before them all, named.
  VARIANT params[MaxDispArgs + 1];
  int count = 0;
  if (AValue) params[count++] = *AValue;
  for (int i = AArgCount - 1; i >= 0; --i) params[count++] = AArgs[i];
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS dp{params, AValue ? &putId : nullptr, UINT(count), AValue ? 1u : 0u};
  UINT argErr = 0;
  TInvokeFrame frame;
  frame.Info = EXCEPINFO{};  // an outside callee may fill it for any failure
  frame.Finish(AObj->Invoke(ADispId, IID_NULL, 0, AFlags, &dp, frame.ResultBuffer(AResult),
                            &frame.Info, &argErr),
               AResult);
}

namespace {
// The general element access (objects' default members, every array shape); the fronts below
// try the one-index cell first with a small frame.
__attribute__((noinline)) void IndexValueGeneral(VARIANT* AValue, VARIANT* AArgs, int AArgCount,
                                                 VARIANT* AResult) {
  VARIANT* value = QelDeref(AValue);
  TQelVar element;
  if (value->vt == VT_DISPATCH) {
    if (!value->pdispVal) Fail(retObjectRequired);
    ComPtr<IDispatch> keep(value->pdispVal);
    QelDispInvoke(value->pdispVal, DISPID_VALUE, DISPATCH_METHOD | DISPATCH_PROPERTYGET, AArgs,
                  AArgCount, nullptr, &element.V);
  } else if (SAFEARRAY* array = ArrayOf(value)) {
    LONG indexes[MaxArrayIndexes];
    ReadIndexes(array, AArgs, AArgCount, indexes);
    VARTYPE type = value->vt & VT_TYPEMASK;
    if (type == VT_VARIANT) {
      CheckArrayHr(SafeArrayGetElement(array, indexes, &element.V));
    } else {
      CheckArrayHr(SafeArrayGetElement(array, indexes, &element.V.llVal));
      element.V.vt = type;
    }
  } else {
    Fail(retTypeMismatch);
  }
  QelMove(AResult, &element.V);
}

__attribute__((noinline)) void IndexStoreGeneral(VARIANT* AValue, VARIANT* AArgs, int AArgCount,
                                                 VARIANT* ANewValue) {
  VARIANT* value = QelDeref(AValue);
  VARIANT* newValue = QelDeref(ANewValue);
  if (value->vt == VT_DISPATCH) {
    if (!value->pdispVal) Fail(retObjectRequired);
    ComPtr<IDispatch> keep(value->pdispVal);
    QelDispInvoke(value->pdispVal, DISPID_VALUE, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
                  AArgs, AArgCount, newValue, nullptr);
    return;
  }
  SAFEARRAY* array = ArrayOf(value);
  if (!array) Fail(retTypeMismatch);
  LONG indexes[MaxArrayIndexes];
  ReadIndexes(array, AArgs, AArgCount, indexes);
  VARTYPE type = value->vt & VT_TYPEMASK;
  if (type == VT_VARIANT) {
    CheckArrayHr(SafeArrayPutElement(array, indexes, newValue));
    return;
  }
  TQelVar converted;
  QelCheckVar(VariantChangeType(&converted.V, newValue, 0, type));
  // Strings and interfaces are passed as the pointer itself, scalars by address.
  void* data = (type == VT_BSTR || type == VT_DISPATCH || type == VT_UNKNOWN)
                   ? reinterpret_cast<void*>(converted.V.byref)
                   : static_cast<void*>(&converted.V.llVal);
  CheckArrayHr(SafeArrayPutElement(array, indexes, data));
}
}  // namespace

void QelIndexValue(VARIANT* AValue, VARIANT* AArgs, int AArgCount, VARIANT* AResult) {
  const VARIANT* value = QelDeref(AValue);
  if (SAFEARRAY* array = ArrayOf(value)) {
    VARIANT element;
    element.vt = VT_EMPTY;
    if (DirectGet(array, value->vt & VT_TYPEMASK, AArgs, AArgCount, &element)) {
      QelMove(AResult, &element);
      return;
    }
  }
  IndexValueGeneral(AValue, AArgs, AArgCount, AResult);
}

void QelIndexStore(VARIANT* AValue, VARIANT* AArgs, int AArgCount, VARIANT* ANewValue) {
  const VARIANT* value = QelDeref(AValue);
  if (SAFEARRAY* array = ArrayOf(value))
    if (DirectPut(array, value->vt & VT_TYPEMASK, AArgs, AArgCount, QelDeref(ANewValue))) return;
  IndexStoreGeneral(AValue, AArgs, AArgCount, ANewValue);
}

namespace {
void ReadBounds(int ADimCount, VARIANT* ABounds, SAFEARRAYBOUND* AResult) {
  for (int d = 0; d < ADimCount; ++d) {
    VARIANT* low = ABounds + 2 * d;
    TQelVar count, one;
    one.V.vt = VT_I4;
    one.V.lVal = 1;
    VARIANT high = *QelDeref(low + 1), lowValue = *QelDeref(low);
    QelCheckVar(VarSub(&high, &lowValue, &count.V));
    VARIANT sum = count.V;
    TQelVar total;
    QelCheckVar(VarAdd(&sum, &one.V, &total.V));
    int32_t elements = QelToInt32(&total.V);
    AResult[d].lLbound = QelToInt32(low);
    AResult[d].cElements = elements < 0 ? 0 : ULONG(elements);
  }
}

SAFEARRAY* NewArray(VARTYPE AType, int ADimCount, VARIANT* ABounds) {
  if (ADimCount > MaxArrayDims || ADimCount < 1) Fail(retInvalidParamCount);
  SAFEARRAYBOUND bounds[MaxArrayDims];
  ReadBounds(ADimCount, ABounds, bounds);
  SAFEARRAY* array = SafeArrayCreate(AType, UINT(ADimCount), bounds);
  if (!array) throw ExceptionPtr(new EVariantError(u"Error creating variant or safe array"));
  return array;
}

void SetArray(VARIANT* ADst, VARTYPE AType, SAFEARRAY* AArray) {
  QelClear(ADst);
  ADst->vt = VT_ARRAY | AType;
  ADst->parray = AArray;
}

// Copies the elements inside both arrays' bounds, walking every index of the overlap.
void CopyOverlap(SAFEARRAY* AFrom, SAFEARRAY* ATo, VARTYPE AType, int ADimCount) {
  LONG low[MaxArrayDims], high[MaxArrayDims], index[MaxArrayDims];
  for (int d = 0; d < ADimCount; ++d) {
    LONG l1, h1, l2, h2;
    SafeArrayGetLBound(AFrom, UINT(d + 1), &l1);
    SafeArrayGetUBound(AFrom, UINT(d + 1), &h1);
    SafeArrayGetLBound(ATo, UINT(d + 1), &l2);
    SafeArrayGetUBound(ATo, UINT(d + 1), &h2);
    low[d] = std::max(l1, l2);
    high[d] = std::min(h1, h2);
    if (low[d] > high[d]) return;
    index[d] = low[d];
  }
  for (;;) {
    TQelVar element;
    void* data = (AType == VT_VARIANT) ? static_cast<void*>(&element.V) : &element.V.llVal;
    CheckArrayHr(SafeArrayGetElement(AFrom, index, data));
    if (!(AType == VT_VARIANT)) element.V.vt = AType;
    void* put = (AType == VT_VARIANT) ? static_cast<void*>(&element.V)
                : (AType == VT_BSTR || AType == VT_DISPATCH || AType == VT_UNKNOWN)
                    ? element.V.byref
                    : static_cast<void*>(&element.V.llVal);
    CheckArrayHr(SafeArrayPutElement(ATo, index, put));
    int d = 0;
    while (d < ADimCount && ++index[d] > high[d]) {
      index[d] = low[d];
      ++d;
    }
    if (d == ADimCount) return;
  }
}
}  // namespace

void QelArrayCreate(const TQelArray* AArray, VARIANT* ABounds, VARIANT* AResult) {
  if (2 * AArray->FDimCount > MaxArrayIndexes) Fail(retInvalidParamCount);
  SAFEARRAY* array = NewArray(AArray->FElemVarType, AArray->FDimCount, ABounds);
  SetArray(AResult, AArray->FElemVarType, array);
}

void QelArrayRedim(const TQelArrayRedim* ARedim, VARIANT* ABounds, VARIANT* AVariable) {
  if (2 * ARedim->FDimCount > MaxArrayIndexes) Fail(retInvalidParamCount);
  VARIANT* variable = QelDeref(AVariable);
  VARTYPE type = ARedim->FElemVarType;
  if (!ARedim->FPreserve || variable->vt == VT_EMPTY) {
    SetArray(variable, type, NewArray(type, ARedim->FDimCount, ABounds));
    return;
  }
  SAFEARRAY* old = ArrayOf(variable);
  if (!old || int(SafeArrayGetDim(old)) != ARedim->FDimCount) Fail(retInvalidParamCount);
  VARTYPE oldType = variable->vt & VT_TYPEMASK;
  SAFEARRAY* fresh = NewArray(oldType, ARedim->FDimCount, ABounds);
  try {
    CopyOverlap(old, fresh, oldType, ARedim->FDimCount);
  } catch (...) {
    SafeArrayDestroy(fresh);
    throw;
  }
  SetArray(variable, oldType, fresh);
}
