// A script control on a Pascal script with its events recorded, and helpers for variants and
// expected errors.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/scripter/QelSctScripter.h"
#include "engine/wrappers/units/QelUnits.h"
#include "tests/support/QelTestVariant.h"

// An owned variant.
class TScrVar : public TQelTestVariant {
 public:
  TScrVar() = default;
  explicit TScrVar(VARIANT AAdopted) { V = AAdopted; }
  static TScrVar Int(int32_t A) { return TScrVar(QelIntVar(A)); }
  static TScrVar Str(std::u16string_view A) { return TScrVar(QelStringVar(A)); }
  std::string Text() const { return StringToUtf8(QelVarToString(V)); }
};

// What AAction raises, read by AWhat from the host exception; "(no error)" when nothing is.
inline std::string Raised(const std::function<void()>& AAction, String (*AWhat)(const Exception&)) {
  try {
    AAction();
  } catch (const ExceptionPtr& E) {
    return StringToUtf8(AWhat(*E));
  }
  return "(no error)";
}
inline std::string ErrorOf(const std::function<void()>& AAction) {
  return Raised(AAction, [](const Exception& E) { return E.GetMessage(); });
}
inline std::string ErrorClassOf(const std::function<void()>& AAction) {
  return Raised(AAction, [](const Exception& E) { return E.ClassName(); });
}

class ScriptControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QelRegisterAllUnits();
    Ctrl.SetLanguage(slPascal);
    Ctrl.BeforePrepare = [this](TQelScriptControl*) { Events.push_back("BeforePrepare"); };
    Ctrl.BeforeOpen = [this](TQelScriptControl*) { Events.push_back("BeforeOpen"); };
    Ctrl.AfterClose = [this](TQelScriptControl*) { Events.push_back("AfterClose"); };
  }
  void SetSource(std::u16string_view AText) { Ctrl.SetSourceText(AText); }
  // Registers a host string list under AName.
  void AddList(const char16_t* AName, TStringList& AList, bool APublishMembers = false) {
    TScrVar object(ObjectToVar(&AList));
    Ctrl.AddObject(AName, object.Get(), APublishMembers);
  }
  // The control's decoration for a position.
  std::string Block(int ALine, int APos) {
    return StringToUtf8(QelAddSourcePosition(u"", &Ctrl, ALine, APos));
  }

  std::vector<std::string> Events;  // outlives the control, whose destruction fires AfterClose
  TQelScriptControl Ctrl{nullptr};
};

// Valid scripts used across the tests.
inline constexpr char16_t SScrGood[] =
    u"var Counter = 1;\n"
    u"function Add(a; b); begin Result := a + b; end;\n"
    u"procedure Bump; begin Counter := Counter + 1; end;\n"
    u"begin Counter := 10; end;\n";
inline constexpr char16_t SScrBadSyntax[] = u"procedure Main;\nbegin\n  x := ;\nend;\n";
inline constexpr char16_t SScrFailingGlobal[] = u"var x;\nbegin\n  Nobody;\nend;\n";
