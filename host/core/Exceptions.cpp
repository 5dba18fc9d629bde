// Exception objects and the counted handle they travel in.
#include <cassert>
#include <new>

#include "host/core/SysUtils.h"

// ---------------------------------------------------------------------------
// ExceptionPtr

ExceptionPtr::ExceptionPtr(Exception* AObject) : FObject(AObject) {
  if (FObject) FObject->FHandles.fetch_add(1, std::memory_order_relaxed);
}

ExceptionPtr::ExceptionPtr(const ExceptionPtr& AOther) : ExceptionPtr(AOther.FObject) {}

ExceptionPtr::ExceptionPtr(ExceptionPtr&& AOther) noexcept : FObject(AOther.FObject) { AOther.FObject = nullptr; }

ExceptionPtr& ExceptionPtr::operator=(ExceptionPtr AOther) noexcept {
  std::swap(FObject, AOther.FObject);
  return *this;
}

ExceptionPtr::~ExceptionPtr() {
  if (FObject && FObject->FHandles.fetch_sub(1, std::memory_order_acq_rel) == 1) delete FObject;
}

void ExceptionPtr::Raise() const { throw *this; }

const char* ExceptionPtr::what() const noexcept {
  if (!FObject) return "";
  try {
    FObject->FMessageUtf8 = StringToUtf8(FObject->GetMessage());
  } catch (...) {
    return "Out of memory";
  }
  return FObject->FMessageUtf8.c_str();
}

void RaiseException(Exception* AObject) { throw ExceptionPtr(AObject); }

ExceptionPtr AcquireExceptionObject() {
  try {
    throw;
  } catch (const ExceptionPtr& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return ExceptionPtr(new EOutOfMemory());
  } catch (const std::exception& e) {
    return ExceptionPtr(new Exception(Utf8ToString(e.what())));
  } catch (...) {
    return ExceptionPtr(new Exception(u"Unknown exception"));
  }
}

// ---------------------------------------------------------------------------
// Exception

Exception::Exception(String AMessage, int AHelpContext) : FMessage(std::move(AMessage)), FHelpContext(AHelpContext) {}

Exception::~Exception() {
  // Deleting an object that a handle still holds would free it twice.
  assert(FHandles.load() == 0 && "exception object freed while raised");
}

void Exception::BeforeDestruction() {
  if (FHandles.load() > 0) throw ExceptionPtr(new EInvalidPointer());
}

void Exception::SetMessage(String AValue) { FMessage = std::move(AValue); }

String Exception::FormatMessage(std::u16string_view AFormat, std::initializer_list<std::u16string_view> AArgs) {
  String result;
  auto arg = AArgs.begin();
  for (size_t i = 0; i < AFormat.size(); ++i) {
    if (AFormat[i] != u'%' || i + 1 == AFormat.size()) {
      result += AFormat[i];
      continue;
    }
    if (AFormat[i + 1] == u'%') {
      result += u'%';
      ++i;
      continue;
    }
    // Skip flags, width and precision up to the conversion letter.
    size_t end = i + 1;
    while (end < AFormat.size() && !((AFormat[end] >= u'a' && AFormat[end] <= u'z') || (AFormat[end] >= u'A' && AFormat[end] <= u'Z')))
      ++end;
    if (end == AFormat.size() || arg == AArgs.end()) {
      result += AFormat.substr(i, end - i + 1);
    } else {
      result += *arg++;
    }
    i = end;
  }
  return result;
}

void Exception::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<Exception>(AInfo); }

void EOleSysError::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<EOleSysError>(AInfo); }

void EOleException::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<EOleException>(AInfo); }
