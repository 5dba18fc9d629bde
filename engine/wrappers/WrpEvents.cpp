// Event values (existing host handlers), script-handler values, and the handler objects through
// which the host's events run script procedures.
#include "engine/wrappers/QelSctWrappers.h"

namespace {

// Event and script-handler values have no members, not even the default slot.
const TQelDispInfo& EmptyDispInfo() {
  static auto* info = new TQelDispInfo();
  return *info;
}

bool SameName(std::u16string_view A, std::u16string_view B) {
  return A.size() == B.size() && QelUpperName(A) == QelUpperName(B);
}

VARIANT TakeWrapper(TQelDispWrapper* AWrapper) {
  VARIANT result = NilObjectVar();
  result.pdispVal = AWrapper->AsDispatch();
  return result;
}

}  // namespace

const TQelAbstractDispInfo& TQelEventWrapper::GetDispInfo() const { return EmptyDispInfo(); }

VARIANT TQelEventWrapper::ToVar(IQelScriptControl* AScriptControl, std::u16string_view AProcName) {
  return TakeWrapper(new TQelScriptHandlerWrapper(AScriptControl, AProcName));
}

TQelScriptHandlerWrapper::TQelScriptHandlerWrapper(IQelScriptControl* AScriptControl, std::u16string_view AProcName)
    : TQelDispWrapper(nullptr), FScriptControl(AScriptControl), FProcName(AProcName) {}

const TQelAbstractDispInfo& TQelScriptHandlerWrapper::GetDispInfo() const { return EmptyDispInfo(); }

VARIANT EventToVar(TQelWrapperClassRef AEventType, const TMethod& AValue) {
  if (AValue.IsNil()) return NilObjectVar();
  return TakeWrapper(new TQelEventWrapper(AEventType, AValue));
}

TMethod VarToEvent(TQelWrapperClassRef AEventType, const VARIANT& AValue) {
  TQelDispWrapper* wrapper = VarToWrapper(AValue, true);
  if (!wrapper) return TMethod{};
  if (auto* handler = dynamic_cast<TQelScriptHandlerWrapper*>(wrapper)) {
    if (!handler->GetScriptControl()) QelRaiseTypeCastError();
    return handler->GetScriptControl()->GetEventHandler(handler->GetProcName(), AEventType)->GetHandler();
  }
  if (wrapper->GetWrapperClass() != AEventType || AEventType->Kind != wkEvent) QelRaiseTypeCastError();
  return static_cast<TQelEventWrapper*>(wrapper)->GetValue();
}

TQelScriptEventHandler* TQelEventHandlerList::GetEventHandler(IQelScriptControl* AOwner, std::u16string_view AProcName,
                                                              TQelWrapperClassRef AEventType) {
  for (const auto& handler : FHandlers) {
    if (handler->GetEventType() == AEventType && SameName(handler->GetProcName(), AProcName)) return handler.get();
  }
  if (!AEventType || !AEventType->NewScriptHandler) QelRaiseTypeCastError();
  FHandlers.emplace_back(AEventType->NewScriptHandler(AOwner, AProcName));
  return FHandlers.back().get();
}

void QelHookEvent(IQelScriptControl* AControl, TObject* AInstance, std::u16string_view APropName,
                  std::u16string_view AProcName) {
  const TPropInfo* property = AInstance ? AInstance->ClassType()->FindProperty(APropName) : nullptr;
  if (!property || property->Kind != tkMethod || !property->SetMethod) {
    throw ExceptionPtr(new EPropertyError(Exception::FormatMessage(u"Unknown event property: %s", {APropName})));
  }
  TQelWrapperClassRef eventType = FindEventWrapper(property->EventType);
  property->SetMethod(AInstance, AControl->GetEventHandler(AProcName, eventType)->GetHandler());
}
