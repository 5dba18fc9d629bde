// Start-up registration of the host-unit wrappers, in the fixed order scripts see them.
#include <mutex>

#include "engine/wrappers/units/Contnrs_QelSW.h"
#include "engine/wrappers/units/Messaging_QelSW.h"
#include "engine/wrappers/units/QelUnits.h"
#include "engine/wrappers/units/Types_QelSW.h"
#include "engine/wrappers/units/Variants_QelSW.h"

namespace {

constexpr char16_t SUITypes[] = u"UITypes";
constexpr char16_t SWindows[] = u"Windows";
constexpr char16_t SMessages[] = u"Messages";
constexpr char16_t SSysConst[] = u"SysConst";
constexpr char16_t STypInfo[] = u"TypInfo";
constexpr char16_t SGraphics[] = u"Graphics";
constexpr char16_t SMultiMon[] = u"MultiMon";
constexpr char16_t SCommCtrl[] = u"CommCtrl";
constexpr char16_t SImgList[] = u"ImgList";
constexpr char16_t SActions[] = u"Actions";
constexpr char16_t SActnList[] = u"ActnList";
constexpr char16_t SMenus[] = u"Menus";
constexpr char16_t SImm[] = u"Imm";
constexpr char16_t SControls[] = u"Controls";
constexpr char16_t SHelpIntfs[] = u"HelpIntfs";
constexpr char16_t SForms[] = u"Forms";
constexpr char16_t SShlObj[] = u"ShlObj";
constexpr char16_t SCommDlg[] = u"CommDlg";
constexpr char16_t SPrinters[] = u"Printers";
constexpr char16_t SStdCtrls[] = u"StdCtrls";
constexpr char16_t SRichEdit[] = u"RichEdit";
constexpr char16_t SToolWin[] = u"ToolWin";
constexpr char16_t SGraphUtil[] = u"GraphUtil";
constexpr char16_t SExtCtrls[] = u"ExtCtrls";
constexpr char16_t SListActns[] = u"ListActns";
constexpr char16_t SComCtrls[] = u"ComCtrls";
constexpr char16_t SDialogs[] = u"Dialogs";

}  // namespace

void QelRegisterAllUnits() {
  static std::once_flag once;
  std::call_once(once, [] {
    QelRegisterSystemUnit();
    Types_sw::RegisterWrappers();
    TQelDataUnit_sw<SUITypes, &QelUnitData_UITypes>::RegisterWrappers();
    TQelDataUnit_sw<SWindows, &QelUnitData_Windows>::RegisterWrappers();
    TQelDataUnit_sw<SMessages, &QelUnitData_Messages>::RegisterWrappers();
    TQelDataUnit_sw<SSysConst, &QelUnitData_SysConst>::RegisterWrappers();
    SysUtils_sw::RegisterWrappers();
    Variants_sw::RegisterWrappers();
    TQelDataUnit_sw<STypInfo, &QelUnitData_TypInfo>::RegisterWrappers();
    Classes_sw::RegisterWrappers();
    TQelDataUnit_sw<SGraphics, &QelUnitData_Graphics>::RegisterWrappers();
    TQelDataUnit_sw<SMultiMon, &QelUnitData_MultiMon>::RegisterWrappers();
    Contnrs_sw::RegisterWrappers();
    TQelDataUnit_sw<SCommCtrl, &QelUnitData_CommCtrl>::RegisterWrappers();
    ImageList_sw::RegisterWrappers();
    TQelDataUnit_sw<SImgList, &QelUnitData_ImgList>::RegisterWrappers();
    TQelDataUnit_sw<SActions, &QelUnitData_Actions>::RegisterWrappers();
    TQelDataUnit_sw<SActnList, &QelUnitData_ActnList>::RegisterWrappers();
    TQelDataUnit_sw<SMenus, &QelUnitData_Menus>::RegisterWrappers();
    TQelDataUnit_sw<SImm, &QelUnitData_Imm>::RegisterWrappers();
    TQelDataUnit_sw<SControls, &QelUnitData_Controls>::RegisterWrappers();
    Messaging_sw::RegisterWrappers();
    TQelDataUnit_sw<SHelpIntfs, &QelUnitData_HelpIntfs>::RegisterWrappers();
    TQelDataUnit_sw<SForms, &QelUnitData_Forms>::RegisterWrappers();
    TQelDataUnit_sw<SShlObj, &QelUnitData_ShlObj>::RegisterWrappers();
    TQelDataUnit_sw<SCommDlg, &QelUnitData_CommDlg>::RegisterWrappers();
    TQelDataUnit_sw<SPrinters, &QelUnitData_Printers>::RegisterWrappers();
    TQelDataUnit_sw<SStdCtrls, &QelUnitData_StdCtrls>::RegisterWrappers();
    TQelDataUnit_sw<SRichEdit, &QelUnitData_RichEdit>::RegisterWrappers();
    TQelDataUnit_sw<SToolWin, &QelUnitData_ToolWin>::RegisterWrappers();
    TQelDataUnit_sw<SGraphUtil, &QelUnitData_GraphUtil>::RegisterWrappers();
    TQelDataUnit_sw<SExtCtrls, &QelUnitData_ExtCtrls>::RegisterWrappers();
    TQelDataUnit_sw<SListActns, &QelUnitData_ListActns>::RegisterWrappers();
    TQelDataUnit_sw<SComCtrls, &QelUnitData_ComCtrls>::RegisterWrappers();
    TQelDataUnit_sw<SDialogs, &QelUnitData_Dialogs>::RegisterWrappers();
  });
}
