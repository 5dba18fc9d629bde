// The control's operations on owning values: each is its VARIANT operation, with the values'
// lifetimes handled here.
#include "engine/scripter/QelSctScripter.h"

qel::Value TQelScriptControl::RunProc(std::u16string_view AName, std::initializer_list<qel::Value> AArgs) {
  std::vector<qel::Value> args(AArgs);
  return RunProc(AName, args);
}

qel::Value TQelScriptControl::RunProc(std::u16string_view AName, std::vector<qel::Value>& AArgs) {
  // The variants move into the machine's argument slots and back, so that a by-reference
  // parameter's write reaches the caller's value, also when the call fails.
  std::vector<VARIANT> slots;
  slots.reserve(AArgs.size());
  for (qel::Value& arg : AArgs) slots.push_back(arg.Detach());
  struct TGiveBack {
    std::vector<VARIANT>& Slots;
    std::vector<qel::Value>& Args;
    ~TGiveBack() {
      for (size_t i = 0; i < Slots.size(); ++i) Args[i] = qel::Value(std::move(Slots[i]));
    }
  } giveBack{slots, AArgs};
  return RunProc(AName, slots);
}

void TQelScriptControl::WriteVar(std::u16string_view AName, const qel::Value& AValue) {
  WriteVar(AName, AValue.Var());
}

void TQelScriptControl::AddOrSetValue(std::u16string_view AName, const qel::Value& AValue) {
  AddOrSetValue(AName, AValue.Var());
}

void TQelScriptControl::AddObject(std::u16string_view AName, TObject* AObject, bool APublishMembers) {
  AddObject(AName, qel::Value(AObject).Var(), APublishMembers);
}
