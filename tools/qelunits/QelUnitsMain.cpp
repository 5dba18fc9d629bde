// qelunits: the registry report. Registers every host unit as a program does at start-up and
// prints, per unit in registration order, what scripts reach (wrapped classes, enumerations,
// records, events, member registrations) beside the reference figures of the generated units
// this library stands in for, as a Markdown table.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/wrappers/units/QelUnits.h"
#include "engine/wrappers/QelSctWrappers.h"
#include "host/gui/units/QelGuiUnits.h"

namespace {

// Reference figures per unit: classes, records, enumerations, events, class-level
// registrations, unit registrations.
struct TReference {
  const char* Unit;
  int Classes, Records, Enums, Events, ClassRegs, UnitRegs;
};
constexpr TReference References[] = {
    {"Types", 2, 7, 7, 0, 133, 81},       {"UITypes", 0, 3, 30, 0, 407, 341},  {"Windows", 0, 6, 0, 0, 56, 44},
    {"Messages", 0, 8, 0, 0, 66, 8},      {"SysConst", 0, 0, 0, 0, 0, 0},      {"SysUtils", 65, 15, 12, 0, 181, 397},
    {"Variants", 17, 1, 4, 0, 17, 81},    {"TypInfo", 0, 0, 0, 0, 0, 0},       {"Classes", 75, 2, 15, 26, 460, 231},
    {"Graphics", 23, 9, 15, 2, 209, 318}, {"MultiMon", 0, 0, 0, 0, 0, 0},      {"Contnrs", 12, 2, 1, 0, 53, 15},
    {"CommCtrl", 0, 0, 0, 0, 0, 1},       {"ImageList", 2, 0, 0, 0, 13, 2},    {"ImgList", 2, 0, 5, 0, 48, 11},
    {"Actions", 6, 0, 2, 1, 35, 18},      {"ActnList", 6, 0, 0, 0, 26, 7},     {"Menus", 9, 0, 6, 3, 105, 38},
    {"Imm", 0, 1, 0, 0, 5, 3},            {"Controls", 40, 28, 20, 17, 616, 432}, {"Messaging", 1, 0, 0, 0, 3, 1},
    {"HelpIntfs", 0, 0, 0, 0, 0, 0},      {"Forms", 13, 4, 13, 12, 566, 76},   {"ShlObj", 0, 0, 0, 0, 0, 0},
    {"CommDlg", 0, 3, 0, 0, 21, 9},       {"Printers", 2, 0, 0, 0, 20, 13},    {"StdCtrls", 26, 1, 7, 6, 757, 63},
    {"RichEdit", 0, 0, 0, 0, 0, 0},       {"ToolWin", 3, 0, 3, 0, 3, 7},       {"GraphUtil", 0, 0, 4, 0, 0, 26},
    {"ExtCtrls", 47, 0, 14, 11, 1187, 87}, {"ListActns", 9, 1, 1, 4, 50, 15},  {"ComCtrls", 65, 10, 60, 60, 1745, 247},
    {"Dialogs", 29, 1, 10, 10, 234, 69},
};

struct TCounts {
  int Classes = 0, Records = 0, Enums = 0, Events = 0, ClassRegs = 0, UnitRegs = 0;
};

// A class's own registrations: its table less the entries copied from its parent's.
int OwnMembers(TQelWrapperClassRef AClass) {
  const int count = AClass->GetDispInfo().GetCount();
  const int inherited = AClass->Parent ? AClass->Parent->GetDispInfo().GetCount() : 1;
  return count - inherited;
}

TCounts CountUnit(TQelWrapperClassRef AUnit) {
  TCounts counts;
  auto& data = static_cast<TQelUnitWrapperData&>(GetWrapperData(AUnit));
  const TQelDispInfo& info = data.GetDispInfo();
  counts.UnitRegs = data.GetNonEnumCount() - 1;
  for (int32_t i = 1; i < data.GetNonEnumCount(); ++i) {
    const TQelInvokeItem& item = info.GetItem(i);
    const auto* type = dynamic_cast<const TQelWrapperClass*>(item.DebugType);
    // A type entry is named after its type; a constant of an enumeration type is not.
    if (!type || type->GetTypeName() != item.Name) continue;
    switch (type->Kind) {
      case wkClass: ++counts.Classes; counts.ClassRegs += OwnMembers(type); break;
      case wkRecord: ++counts.Records; counts.ClassRegs += type->GetDispInfo().GetCount() - 1; break;
      case wkEnum: ++counts.Enums; break;
      case wkEvent: ++counts.Events; break;
      default: break;
    }
  }
  return counts;
}

std::string Cell(int AHave, int AReference) {
  return std::to_string(AHave) + " / " + std::to_string(AReference);
}

}  // namespace

int main() {
  QelRegisterGuiUnits();
  std::printf("| # | Unit | Classes | Records | Enumerations | Events | Class-level registrations | Unit registrations | Registrations reached |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|\n");
  int index = 0;
  TCounts total;
  TReference totalRef{"total", 0, 0, 0, 0, 0, 0};
  for (TQelWrapperClassRef unit : GetUnitWrappers()) {
    const std::string name = StringToUtf8(unit->GetUnitName());
    if (name == "System") continue;
    const TReference* ref = nullptr;
    for (const TReference& r : References)
      if (name == r.Unit) ref = &r;
    const TCounts c = CountUnit(unit);
    const TReference none{"", 0, 0, 0, 0, 0, 0};
    const TReference& r = ref ? *ref : none;
    const int want = r.ClassRegs + r.UnitRegs;
    const int have = c.ClassRegs + c.UnitRegs;
    const std::string reached = want ? std::to_string(have * 100 / want) + " %" : "(none listed)";
    std::printf("| %d | %s | %s | %s | %s | %s | %s | %s | %s |\n", ++index, name.c_str(), Cell(c.Classes, r.Classes).c_str(),
                Cell(c.Records, r.Records).c_str(), Cell(c.Enums, r.Enums).c_str(), Cell(c.Events, r.Events).c_str(),
                Cell(c.ClassRegs, r.ClassRegs).c_str(), Cell(c.UnitRegs, r.UnitRegs).c_str(), reached.c_str());
    total.Classes += c.Classes; total.Records += c.Records; total.Enums += c.Enums; total.Events += c.Events;
    total.ClassRegs += c.ClassRegs; total.UnitRegs += c.UnitRegs;
    totalRef.Classes += r.Classes; totalRef.Records += r.Records; totalRef.Enums += r.Enums;
    totalRef.Events += r.Events; totalRef.ClassRegs += r.ClassRegs; totalRef.UnitRegs += r.UnitRegs;
  }
  std::printf("| | total | %s | %s | %s | %s | %s | %s | %d %% |\n", Cell(total.Classes, totalRef.Classes).c_str(),
              Cell(total.Records, totalRef.Records).c_str(), Cell(total.Enums, totalRef.Enums).c_str(),
              Cell(total.Events, totalRef.Events).c_str(), Cell(total.ClassRegs, totalRef.ClassRegs).c_str(),
              Cell(total.UnitRegs, totalRef.UnitRegs).c_str(),
              (total.ClassRegs + total.UnitRegs) * 100 / (totalRef.ClassRegs + totalRef.UnitRegs));
  return 0;
}
