// The language object and the dialect's predefined global objects. The full intrinsic library
// is a unit of its own; here are the objects every script needs to run at all: Exit, Break,
// Continue, the constants True, False, Null and Unassigned, and Inc/Dec.
#include "engine/pascal/QelSctPasCompiler.h"
#include "engine/vm/QelVMInternal.h"

namespace {

enum TPasIntrinsicKind : uint8_t { bokProcedure, bokFunction, bokConstant };

// How a call of an intrinsic is checked before it runs.
enum TCallCheck : uint8_t { ccCall, ccCount, ccMismatch };

TCallCheck CheckCall(TPasIntrinsicKind AKind, const TQelCall& ACall, bool AVariableCount) {
  if (ACall.FBracketType == bkBlock) return ccMismatch;
  const TCallCheck counted = AVariableCount ? ccCall : ccCount;
  switch (AKind) {
    case bokProcedure: return ACall.IsResUsed() ? ccMismatch : counted;
    case bokFunction: return counted;
    case bokConstant: return ACall.FBracketType == bkNon ? ccCall : ccMismatch;
  }
  return ccMismatch;
}

class TPasIntrinsic : public TIntrinsic {
 public:
  TPasIntrinsic(const std::u16string& AStrName, TPasIntrinsicKind AKind, int AArgsCount)
      : TIntrinsic(QelNameTable().GetNameIndex(AStrName, true), AStrName),
        FKind(AKind), FArgsCount(AArgsCount) {}

  void Execute(TQelVMBase*, TQelCall* ACall, VARIANT* AArgs, VARIANT& AResult) override {
    switch (CheckCall(FKind, *ACall, FArgsCount < 0)) {
      case ccMismatch: EQelVMRuntime::RaiseError(retTypeMismatch);
      case ccCount:
        if (ACall->FArgCount != FArgsCount) EQelVMRuntime::RaiseError(retInvalidParamCount);
        break;
      case ccCall: break;
    }
    DoExecute(ACall, AArgs, AResult);
  }
  virtual void DoExecute(TQelCall* ACall, VARIANT* AArgs, VARIANT& AResult) = 0;

  TPasIntrinsicKind FKind;
  int FArgsCount;  // -1: variable
};

// A constant whose value is a fixed variant.
class TPasConstant : public TPasIntrinsic {
 public:
  TPasConstant(const std::u16string& AStrName, VARIANT AValue)
      : TPasIntrinsic(AStrName, bokConstant, 0), FValue(AValue) {}
  void DoExecute(TQelCall*, VARIANT*, VARIANT& AResult) override { QelCopy(&AResult, &FValue); }

 private:
  VARIANT FValue;  // never owns anything (Boolean, Null, Empty)
};

// Inc(x [, delta]) and Dec(x [, delta]): x changes only when it was passed as a variable.
class TIncDec : public TPasIntrinsic {
 public:
  TIncDec(const std::u16string& AStrName, TQelInstrCode AOperator)
      : TPasIntrinsic(AStrName, bokProcedure, -1), FOperator(AOperator) {}
  void DoExecute(TQelCall* ACall, VARIANT* AArgs, VARIANT&) override {
    if (ACall->FArgCount != 1 && ACall->FArgCount != 2)
      EQelVMRuntime::RaiseError(retInvalidParamCount);
    if (AArgs[0].vt != VT_REFVARIANT) return;
    VARIANT one;
    VariantInit(&one);
    QelSetI4(&one, 1);
    const VARIANT* delta = ACall->FArgCount == 2 ? QelDeref(&AArgs[1]) : &one;
    QelBinaryOp(FOperator, QelDeref(&AArgs[0]), delta);
  }

 private:
  TQelInstrCode FOperator;
};

VARIANT MakeVariant(VARTYPE AType, bool ABool = false) {
  VARIANT v;
  VariantInit(&v);
  v.vt = AType;
  if (AType == VT_BOOL) v.boolVal = ABool ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

template <class T>
void AddControlObject(const std::function<void(TQelGlobalObject*)>& AProc,
                      const std::u16string& AName) {
  AProc(new T(QelNameTable().GetNameIndex(AName, true), AName));
}

}  // namespace

std::unique_ptr<IQelParserBase> TQelPasLanguage::CreateParser(IQelParserCallbacks* ACallbacks) {
  return std::make_unique<TQelPasParser>(ACallbacks);
}

void TQelPasLanguage::EnumGlobalObjects(const std::function<void(TQelGlobalObject*)>& AProc) {
  AddControlObject<TQelExitObject>(AProc, u"Exit");
  AddControlObject<TQelBreakObject>(AProc, u"Break");
  AddControlObject<TQelContinueObject>(AProc, u"Continue");
  AProc(new TPasConstant(u"Null", MakeVariant(VT_NULL)));
  AProc(new TPasConstant(u"Unassigned", MakeVariant(VT_EMPTY)));
  AProc(new TIncDec(u"Dec", icMinus));
  AProc(new TPasConstant(u"True", MakeVariant(VT_BOOL, true)));
  AProc(new TPasConstant(u"False", MakeVariant(VT_BOOL, false)));
  AProc(new TIncDec(u"Inc", icPlus));
}

std::u16string TQelPasLanguage::QuoteString(const std::u16string& AText) {
  std::u16string quoted = u"'";
  for (char16_t c : AText) {
    if (c == u'\'') quoted += c;
    quoted += c;
  }
  return quoted + u"'";
}

IQelLanguagePtr QelPasLanguage() {
  static const IQelLanguagePtr language = std::make_shared<TQelPasLanguage>();
  return language;
}
