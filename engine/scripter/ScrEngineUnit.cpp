// The unit "QelSctScripter": the engine's own exception classes as script types, so that
// scripts can catch them by class (`on E: EQelVMRuntime do`) and read a compile error's
// position. It is registered with the first script control, after the host's units.
#include <mutex>

#include "engine/pascal/QelSctPasCompiler.h"
#include "engine/scripter/QelSctScripter.h"
#include "engine/wrappers/units/QelUnitKit.h"
#include "engine/wrappers/units/SysUtils_QelSW.h"

QEL_EXCEPTION_WRAPPER(EQelVMRuntime, Exception);
QEL_EXCEPTION_WRAPPER(EQelVirtMachine, Exception);
QEL_EXCEPTION_WRAPPER(EQelScriptControl, Exception);

namespace {

template <class E>
E* NewCompileError(TClass, std::u16string_view AMessage, int32_t ASourcePos) {
  return new E(String(AMessage), ASourcePos);
}

template <class E>
struct TCompileErrorWrapperOf : TQelClassWrapperOf<E, Exception_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData) {
    TQelMembers<E> M(AData);
    M.template Constructor<&NewCompileError<E>>();
    M.template Field<&E::FSourcePos>(u"SourcePos");
  }
};

}  // namespace

struct EQelCompileBase_sw : TCompileErrorWrapperOf<EQelCompileBase> {};
QEL_WRAPS(EQelCompileBase, EQelCompileBase_sw);
struct EQelPasCompiler_sw : TQelClassWrapperOf<EQelPasCompiler, EQelCompileBase_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData) {
    TQelMembers<EQelPasCompiler>(AData).Constructor<&NewCompileError<EQelPasCompiler>>();
  }
};
QEL_WRAPS(EQelPasCompiler, EQelPasCompiler_sw);

namespace {

#define QEL_ENGINE_EXCEPTIONS \
  EQelVMRuntime_sw, EQelVirtMachine_sw, EQelScriptControl_sw, EQelCompileBase_sw, EQelPasCompiler_sw

struct QelSctScripter_sw : TQelUnitWrapperBase {
  static constexpr std::u16string_view UnitName = u"QelSctScripter";
  static void RegisterMembers(TQelUnitWrapperData& AData) {
    TQelUnitMembers M(AData);
    QelAddTypes<QEL_ENGINE_EXCEPTIONS>(M);
  }
};

}  // namespace

void QelRegisterEngineUnit() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterUnitWrapper(QelWrapperClass<QelSctScripter_sw>());
    QelRegisterClassWrappers<QEL_ENGINE_EXCEPTIONS>();
  });
}
