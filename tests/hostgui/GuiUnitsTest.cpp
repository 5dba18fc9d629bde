// The units as scripts see them once the visual layer has added its wrappers to the core's.
#include <set>
#include <string>

#include "engine/wrappers/QelSctWrappers.h"
#include "tests/hostgui/GuiTestKit.h"

namespace {

// A unit is assembled from the core's unit data and the visual wrappers; a type both list must
// appear once, with one set of enumeration constants (a second copy shadowed nothing but
// doubled the unit's table and its enumerator values).
TEST_F(GuiScriptTest, EveryUnitNamesEachMemberOnce) {
  int units = 0;
  for (TQelWrapperClassRef unit : GetUnitWrappers()) {
    ++units;
    const TQelDispInfo& info = GetWrapperData(unit).GetDispInfo();
    std::set<std::u16string> seen;
    for (int32_t i = 1; i < info.GetCount(); ++i) {
      const std::u16string name(info.GetItem(i).Name);
      EXPECT_TRUE(seen.insert(name).second)
          << StringToUtf8(unit->GetUnitName()) << " lists " << StringToUtf8(name) << " twice";
    }
  }
  EXPECT_GE(units, 35);  // System, the 34 host units, and any a host adds
}

}  // namespace
