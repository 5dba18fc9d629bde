// The VBScript language object: the VBScript parser over the VB dialect's intrinsics and
// VBScript's own (Err).
#include "engine/vb/VbIntrinsics.h"
#include "engine/vbscript/VbsInternal.h"
#include "engine/vm/QelSctVM.h"

namespace qel_vbs {
namespace {

// Err: the language's one Err object (each engine has its language object).
class TVbsErrIntrinsic : public TIntrinsic {
 public:
  explicit TVbsErrIntrinsic(TVbsErrObject* AErr)
      : TIntrinsic(QelNameTable().GetNameIndex(u"Err", true), u"Err"), FErr(AErr) {}
  void Execute(TQelVMBase*, TQelCall* ACall, VARIANT*, VARIANT& AResult) override {
    if (ACall->FArgCount != 0) qel_intrinsics::FailArgCount();
    QelClear(&AResult);
    FErr->AddRef();
    AResult.vt = VT_DISPATCH;
    AResult.pdispVal = FErr;
  }

 private:
  TVbsErrObject* FErr;  // kept alive by the language, which outlives its machines
};

class TQelVbsLanguage : public TQelVbLanguage {
 public:
  explicit TQelVbsLanguage(TQelVbsHostNames AHostNames)
      : FHostNames(std::move(AHostNames)),
        FErr(ComPtr<TVbsErrObject>::adopt(new TVbsErrObject)),
        FLink(std::make_shared<TVbsLink>()) {
    FLink->Err = FErr;
  }
  std::unique_ptr<IQelParserBase> CreateParser(IQelParserCallbacks* ACallbacks) override {
    return std::make_unique<TQelVbsParser>(ACallbacks, FHostNames, IntrinsicNames(), FLink);
  }
  void EnumGlobalObjects(const std::function<void(TQelGlobalObject*)>& AProc) override {
    // VBScript's own rows replace the dialect's of the same name (Filter, Split).
    std::unordered_set<std::u16string> own;
    EnumVbsLibrary([&](TQelGlobalObject* AObj) {
      own.insert(AObj->FStrName);
      AProc(AObj);
    });
    TQelVbLanguage::EnumGlobalObjects([&](TQelGlobalObject* AObj) {
      if (own.count(AObj->FStrName)) {
        delete AObj;
        return;
      }
      AProc(AObj);
    });
    EnumForEachIntrinsics(AProc);
    AProc(new TVbsErrIntrinsic(FErr.get()));
  }
  TVbsErrObject& Err() { return *FErr.get(); }
  const TVbsLinkPtr& Link() const { return FLink; }

 private:
  // Name ids are the process's, so one set serves every machine.
  static const std::unordered_set<int>& IntrinsicNames() {
    static const std::unordered_set<int> names = [] {
      std::unordered_set<int> ids;
      const auto note = [&](TQelGlobalObject* AObj) {
        ids.insert(AObj->FName);
        delete AObj;
      };
      qel_vb::EnumVbIntrinsics(note);
      EnumForEachIntrinsics(note);
      EnumVbsLibrary(note);
      ids.insert(QelNameTable().GetNameIndex(u"Err", true));
      return ids;
    }();
    return names;
  }

  TQelVbsHostNames FHostNames;
  ComPtr<TVbsErrObject> FErr;
  TVbsLinkPtr FLink;  // one language per machine: the link of its classes
};

TQelVbsLanguage* LanguageOf(TQelVirtMachine& AVM) {
  return dynamic_cast<TQelVbsLanguage*>(AVM.Language().get());
}

}  // namespace
}  // namespace qel_vbs

IQelLanguagePtr QelVbsLanguage(TQelVbsHostNames AHostNames) {
  return std::make_shared<qel_vbs::TQelVbsLanguage>(std::move(AHostNames));
}

void QelVbsPrepareMachine(const std::shared_ptr<TQelVirtMachine>& AVM) {
  auto* language = qel_vbs::LanguageOf(*AVM);
  if (!language) return;
  language->Link()->VM = AVM;
  AVM->OnExceptionToVar = [language](TQelVirtMachine*, const ExceptionPtr& E, VARIANT& AResult) {
    QelClear(&AResult);
    language->Err().Note(E.Get());
  };
  AVM->OnNew = [](TQelVirtMachine*, const VARIANT& AType, VARIANT*, int, VARIANT& AResult) {
    if (!qel_vbs::QelVbsCreateInstance(AType, AResult)) qel_vbs::QelVbsCreateNamed(AType, AResult);
  };
}

void QelVbsEndInstances(TQelVirtMachine& AVM, bool ARunTerminate) {
  if (auto* language = qel_vbs::LanguageOf(AVM))
    qel_vbs::QelVbsEndLinkInstances(language->Link(), ARunTerminate);
}

void QelVbsStopInstances(TQelVirtMachine& AVM) {
  if (auto* language = qel_vbs::LanguageOf(AVM)) language->Link()->Alive.store(false);
}

void QelVbsDescribeError(Exception* E, int32_t& ANumber, std::u16string& ADescription) {
  const qel_vbs::TVbsError error = qel_vbs::QelVbsErrorOf(E);
  ANumber = error.Number;
  ADescription = error.Description;
}
