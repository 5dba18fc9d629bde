// A script control on an Active Scripting language, with the scripts each language runs the
// shared test tables with, and a host object that tells the test when a script has started.
#pragma once

#include <gtest/gtest.h>

#include <future>
#include <string>

#include "engine/scripter/QelSctScripter.h"
#include "engine/wrappers/units/QelUnits.h"
#include "engines/QelScriptEngines.h"
#include "tests/scripter/ScrTestKit.h"

// The same behaviour written in each language. Every script defines:
//   Counter (10 after the global code), Sum(a, b), Count3(...) giving its argument count,
//   Greet(s) = "Hello, " + s, Bump() adding 1 to the named value Named, UsePublished() calling
//   the published list's Add("x") and returning its Count, CatchHost() returning the message of
//   the host error that List[5] raises, caught in the script, Sorted() creating a string list,
//   adding "b", "a", "c", sorting it and returning its lines joined by ",", SameObject()
//   telling whether List read twice is the same object, Spin() calling Ready.Signal() and then
//   looping for ever, and Unicode() returning its argument with "✓" appended.
struct TLanguageScripts {
  const char* Name;
  TQelScriptLanguage Language;
  const char16_t* Script;
  const char16_t* Expression;  // Counter * 2 + 1 in the language
  // A syntax error and a runtime error, each with its message's start, line (from 0), pos.
  const char16_t* SyntaxError;
  const char* SyntaxMessage;
  int SyntaxLine, SyntaxPos;
  const char16_t* RuntimeError;
  const char* RuntimeMessage;
  int RuntimeLine, RuntimePos;
};

const TLanguageScripts& LuaScripts();
const TLanguageScripts& PythonScripts();
const TLanguageScripts& JScriptScripts();

// "Ready": Signal() fulfils a promise the test waits on.
class TReadySignal final : public OleObject<IDispatch, IID_IDispatch> {
 public:
  std::future<void> Started() { return FStarted.get_future(); }
  HRESULT GetTypeInfoCount(UINT* pctinfo) override {
    *pctinfo = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT, LCID, DISPID* rgDispId) override {
    rgDispId[0] = QelUpperName(rgszNames[0]) == u"SIGNAL" ? 1 : DISPID_UNKNOWN;
    return rgDispId[0] == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }
  // Only a method call: a read of Signal is refused as a read of a method is.
  HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    if (dispIdMember != 1 || !(wFlags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (!FSignalled) FStarted.set_value();
    FSignalled = true;
    return S_OK;
  }

 private:
  std::promise<void> FStarted;
  bool FSignalled = false;
};

class ActiveScriptTest : public ::testing::TestWithParam<const TLanguageScripts*> {
 protected:
  void SetUp() override {
    QelRegisterAllUnits();
    QelRegisterScriptEngines();
    Ctrl.SetLanguage(GetParam()->Language);
  }
  const TLanguageScripts& Lang() const { return *GetParam(); }
  // The language's script with List (a host string list, members published when asked) and
  // the host units.
  void OpenScript(const char16_t* ASource, bool APublishList = false);
  std::string Block(int ALine, int APos) {
    return StringToUtf8(QelAddSourcePosition(u"", &Ctrl, ALine, APos));
  }

  TStringList List;
  TQelScriptControl Ctrl{nullptr};
};
