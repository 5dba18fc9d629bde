// A script control with every unit, the visual ones included, on the offscreen platform.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/scripter/QelSctScripter.h"
#include "host/gui/Forms.h"
#include "host/gui/units/QelGuiUnits.h"

class GuiScriptTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QelRegisterGuiUnits();
  }
  void TearDown() override {
    QelFreeScriptForms();
    Ctrl.SetActive(false);
  }
  // Runs the script's Main and returns its result as an integer.
  int Run(const char16_t* ASource) {
    Ctrl.SetLanguage(slPascal);
    Ctrl.SetSourceText(ASource);
    Ctrl.ClearObjects();
    Ctrl.AddAllUnits(true);
    Ctrl.SetActive(true);
    VARIANT result = Ctrl.RunProc(u"Main");
    VARIANT number;
    VariantInit(&number);
    int value = -1;
    if (VariantChangeType(&number, &result, 0, VT_I4) == S_OK) value = number.lVal;
    VariantClear(&result);
    return value;
  }
  TCustomForm* OnlyForm() const {
    EXPECT_EQ(Screen->FormList().size(), 1u);
    return Screen->FormList().empty() ? nullptr : Screen->FormList().front();
  }
  TQelScriptControl Ctrl{nullptr};
};
