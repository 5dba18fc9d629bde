// Start-up registration of the host-unit wrappers, in the fixed order scripts see them.
#include <mutex>

#include "engine/wrappers/units/Classes_QelSW.h"
#include "engine/wrappers/units/QelUnits.h"
#include "engine/wrappers/units/SysUtils_QelSW.h"

namespace {

// A unit whose host declarations are not wrapped (yet) is still listed, without members.
template <const char16_t* AName>
struct TEmptyUnit_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = AName;
  static void RegisterMembers(TQelUnitWrapperData&) {}
  static void RegisterWrappers() { RegisterUnitWrapper(QelWrapperClass<TEmptyUnit_sw>()); }
};

constexpr char16_t STypes[] = u"Types";
constexpr char16_t SUITypes[] = u"UITypes";
constexpr char16_t SWindows[] = u"Windows";
constexpr char16_t SMessages[] = u"Messages";
constexpr char16_t SSysConst[] = u"SysConst";
constexpr char16_t SVariants[] = u"Variants";
constexpr char16_t STypInfo[] = u"TypInfo";

}  // namespace

void QelRegisterAllUnits() {
  static std::once_flag once;
  std::call_once(once, [] {
    QelRegisterSystemUnit();
    TEmptyUnit_sw<STypes>::RegisterWrappers();
    TEmptyUnit_sw<SUITypes>::RegisterWrappers();
    TEmptyUnit_sw<SWindows>::RegisterWrappers();
    TEmptyUnit_sw<SMessages>::RegisterWrappers();
    TEmptyUnit_sw<SSysConst>::RegisterWrappers();
    SysUtils_sw::RegisterWrappers();
    TEmptyUnit_sw<SVariants>::RegisterWrappers();
    TEmptyUnit_sw<STypInfo>::RegisterWrappers();
    Classes_sw::RegisterWrappers();
  });
}
