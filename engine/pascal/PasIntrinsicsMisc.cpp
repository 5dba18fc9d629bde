// Constants, variant tests, the dialogs and the beep.
#include "engine/pascal/PasIntrinsics.h"
#include "host/core/Dialogs.h"

namespace qel_pas {
namespace {

template <VARTYPE Type>
void EmptyKind(VARIANT& AResult) {
  QelClear(&AResult);
  AResult.vt = Type;
}

}  // namespace

void PasNull(const TQelCall&, VARIANT*, VARIANT& R) { EmptyKind<VT_NULL>(R); }
void PasUnassigned(const TQelCall&, VARIANT*, VARIANT& R) { EmptyKind<VT_EMPTY>(R); }
void PasTrue(const TQelCall&, VARIANT*, VARIANT& R) { SetBoolean(R, true); }
void PasFalse(const TQelCall&, VARIANT*, VARIANT& R) { SetBoolean(R, false); }
void PasBeep(const TQelCall&, VARIANT*, VARIANT&) { Beep(); }

void PasVarIsNull(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  SetBoolean(AResult, Arg(AArgs, 0)->vt == VT_NULL);
}

void PasAssigned(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  const VARIANT* value = Arg(AArgs, 0);
  const bool unassigned = value->vt == VT_EMPTY || value->vt == VT_NULL ||
                          (value->vt == VT_DISPATCH && !value->pdispVal);
  SetBoolean(AResult, !unassigned);
}

void PasShowMessage(const TQelCall&, VARIANT* AArgs, VARIANT&) { ShowMessage(ArgText(AArgs, 0)); }

void PasInputQuery(const TQelCall&, VARIANT* AArgs, VARIANT& AResult) {
  String value = ArgText(AArgs, 2);
  const bool confirmed = InputQuery(ArgText(AArgs, 0), ArgText(AArgs, 1), value);
  WriteBackText(&AArgs[2], value);
  SetBoolean(AResult, confirmed);
}

}  // namespace qel_pas
