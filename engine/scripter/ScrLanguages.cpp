// The language table, the native compilers' registry and the source list.
#include <array>
#include <map>
#include <mutex>

#include "engine/pascal/QelSctPasCompiler.h"
#include "engine/vb/QelSctVbLanguage.h"
#include "engine/scripter/QelSctScripter.h"

namespace {

struct TLanguageInfo {
  std::u16string_view EngineName;
  TQelScriptLangKind Kind;
};

constexpr std::array<TLanguageInfo, QelScriptLanguageCount> CLanguages{{
    {u"VBScript", slkActiveX},
    {u"JScript", slkActiveX},
    {u"PerlScript", slkActiveX},
    {u"ObjectREXXScript", slkActiveX},
    {u"TclScript", slkActiveX},
    {u"Python", slkActiveX},
    {u"LuaScript", slkActiveX},
    {u"Pascal", slkNative},
    {u"NativeVb", slkNative},
}};

struct TLanguageRegistry {
  std::mutex Lock;
  std::map<TQelScriptLanguage, TQelLanguageFactory> Factories{
      {slPascal, [] { return QelPasLanguage(); }}, {slNativeVb, [] { return QelVbLanguage(); }}};
};

TLanguageRegistry& Registry() {
  static TLanguageRegistry registry;
  return registry;
}

}  // namespace

std::u16string_view QelScriptEngineName(TQelScriptLanguage ALanguage) {
  return CLanguages.at(ALanguage).EngineName;
}

TQelScriptLangKind QelScriptLangKind(TQelScriptLanguage ALanguage) { return CLanguages.at(ALanguage).Kind; }

bool QelFindScriptLanguage(std::u16string_view AEngineName, TQelScriptLanguage& ALanguage) {
  for (size_t i = 0; i < CLanguages.size(); ++i)
    if (SameText(CLanguages[i].EngineName, AEngineName)) {
      ALanguage = static_cast<TQelScriptLanguage>(i);
      return true;
    }
  return false;
}

TQelLanguageFactory QelRegisterNativeLanguage(TQelScriptLanguage ALanguage, TQelLanguageFactory AFactory) {
  TLanguageRegistry& registry = Registry();
  std::lock_guard guard(registry.Lock);
  TQelLanguageFactory& slot = registry.Factories[ALanguage];
  std::swap(slot, AFactory);
  return AFactory;
}

// The runner's way to a compiler: raises EQelScriptControl when none is linked in.
IQelLanguagePtr QelCreateNativeLanguage(TQelScriptLanguage ALanguage) {
  TQelLanguageFactory factory;
  {
    TLanguageRegistry& registry = Registry();
    std::lock_guard guard(registry.Lock);
    auto it = registry.Factories.find(ALanguage);
    if (it != registry.Factories.end()) factory = it->second;
  }
  if (!factory)
    throw ExceptionPtr(new EQelScriptControl(
        Exception::FormatMessage(SQelNoNativeCompiler, {QelScriptEngineName(ALanguage)})));
  return factory();
}

String TScriptSourceStrings::SourceText() const {
  String text;
  for (int i = 0; i < GetCount(); ++i) {
    text += Get(i);
    text += u"\r\n";
  }
  return text;
}

void TScriptSourceStrings::Changing() {
  inherited::Changing();
  FScript->CheckState({ssInactive});
}
