// The language object and the dialect's predefined global objects: the control objects Exit,
// Break and Continue, then the intrinsic library (PasIntrinsics*.cpp).
#include "engine/pascal/PasIntrinsics.h"
#include "engine/pascal/QelSctPasCompiler.h"
#include "engine/vm/QelVMValues.h"

namespace {

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
  qel_pas::EnumPasIntrinsics(AProc);
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
