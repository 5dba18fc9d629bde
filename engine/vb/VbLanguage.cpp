// The language object of the VB dialect.
#include "engine/vb/QelSctVbCompiler.h"
#include "engine/vb/VbIntrinsics.h"

std::unique_ptr<IQelParserBase> TQelVbLanguage::CreateParser(IQelParserCallbacks* ACallbacks) {
  return std::make_unique<qel_vb::TQelVbParser>(ACallbacks);
}

// VB has no exit, break or continue objects: its exits are jumps.
void TQelVbLanguage::EnumGlobalObjects(const std::function<void(TQelGlobalObject*)>& AProc) {
  qel_vb::EnumVbIntrinsics(AProc);
}

std::u16string TQelVbLanguage::QuoteString(const std::u16string& AText) {
  std::u16string quoted = u"\"";
  for (char16_t c : AText) {
    if (c == u'"') quoted += c;
    quoted += c;
  }
  return quoted + u"\"";
}

IQelLanguagePtr QelVbLanguage() {
  static const IQelLanguagePtr language = std::make_shared<TQelVbLanguage>();
  return language;
}
