// Host exceptions: holding and re-raising the same object, conversion of
// C++ exceptions, messages.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "host/core/Classes.h"

namespace {

TEST(HostException, ReRaisingRaisesTheSameObject) {
  Exception* original = new EConvertError(u"bad");
  ExceptionPtr held;
  try {
    RaiseException(original);
  } catch (const ExceptionPtr& e) {
    held = e;  // kept alive past the handler, as a script variable would
  }
  ASSERT_EQ(held.Get(), original);
  try {
    held.Raise();
  } catch (...) {
    ExceptionPtr again = AcquireExceptionObject();
    EXPECT_EQ(again.Get(), original);
    EXPECT_EQ(again->GetMessage(), u"bad");
  }
  EXPECT_EQ(held->ClassName(), u"EConvertError");
}

TEST(HostException, RaisingAHeldObjectSharesIt) {
  ExceptionPtr held(new EAbort());
  try {
    RaiseException(held.Get());
  } catch (const ExceptionPtr& e) {
    EXPECT_EQ(e, held);
  }
  EXPECT_EQ(held->GetMessage(), u"Operation aborted");
}

TEST(HostException, FreeingAHeldObjectIsRefused) {
  ExceptionPtr held(new EConvertError(u"held"));
  try {
    held->Free();
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EInvalidPointer>());
    EXPECT_EQ(e->GetMessage(), u"Invalid pointer operation");
  }
  EXPECT_EQ(held->GetMessage(), u"held");
  Exception* loose = new Exception(u"not raised");
  loose->Free();  // never raised: freed at once
}

TEST(HostException, StdExceptionsBecomeHostOnes) {
  struct Case {
    void (*Throw)();
    TClass Class;
    String Message;
  };
  const Case cases[] = {
      {[] { throw std::bad_alloc(); }, EOutOfMemory::StaticClass(), u"Out of memory"},
      {[] { throw std::runtime_error("disk \xC3\xA9tat"); }, Exception::StaticClass(), u"disk \u00E9tat"},
      {[] { throw 42; }, Exception::StaticClass(), u"Unknown exception"},
      {[] { RaiseException(new EDivByZero()); }, EDivByZero::StaticClass(), u"Division by zero"},
  };
  for (const Case& c : cases) {
    try {
      c.Throw();
    } catch (...) {
      ExceptionPtr e = AcquireExceptionObject();
      ASSERT_TRUE(e);
      EXPECT_EQ(e->ClassType(), c.Class);
      EXPECT_EQ(e->GetMessage(), c.Message);
    }
  }
}

TEST(HostException, WhatGivesTheMessageInUtf8) {
  try {
    RaiseException(new Exception(u"caf\u00E9"));
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "caf\xC3\xA9");
  }
}

TEST(HostException, DefaultMessages) {
  struct Case {
    TClass Class;
    const char16_t* Message;
  };
  const Case cases[] = {
      {EAbort::StaticClass(), u"Operation aborted"},
      {EDivByZero::StaticClass(), u"Division by zero"},
      {EStackOverflow::StaticClass(), u"Stack overflow"},
      {EVariantTypeCastError::StaticClass(), u"Invalid variant type conversion"},
      {EInvalidCast::StaticClass(), u"Invalid class typecast"},
  };
  for (const Case& c : cases) {
    ExceptionPtr e(static_cast<Exception*>(c.Class->Create()));
    EXPECT_EQ(e->GetMessage(), c.Message);
  }
}

TEST(HostException, OleErrorsCarryTheirFields) {
  ExceptionPtr e(new EOleException(u"failed", static_cast<HRESULT>(0x80020009), u"src", u"help.chm", 7));
  auto* ole = static_cast<EOleException*>(e.Get());
  EXPECT_TRUE(ole->Is<EOleSysError>());
  EXPECT_EQ(ole->GetErrorCode(), static_cast<HRESULT>(0x80020009));
  EXPECT_EQ(ole->GetSource(), u"src");
  EXPECT_EQ(ole->GetHelpFile(), u"help.chm");
  EXPECT_EQ(ole->GetHelpContext(), 7);
  EXPECT_EQ(std::get<int64_t>(ole->ClassType()->FindProperty(u"ErrorCode")->Get(ole)), int32_t(0x80020009));
}

TEST(HostException, FormatMessageFillsPlaceholdersInOrder) {
  EXPECT_EQ(Exception::FormatMessage(u"List index out of bounds (%d)", {u"7"}), u"List index out of bounds (7)");
  EXPECT_EQ(Exception::FormatMessage(u"Cannot assign a %s to a %s", {u"TList", u"TStringList"}),
            u"Cannot assign a TList to a TStringList");
  EXPECT_EQ(Exception::FormatMessage(u"100%% of %-8s", {u"x"}), u"100% of x");
  EXPECT_EQ(Exception::FormatMessage(u"%s and %s", {u"one"}), u"one and %s");
}

TEST(HostException, ThreadFatalExceptionIsStored) {
  TThread* thread = TThread::CreateAnonymousThread([] { throw std::runtime_error("inside"); });
  thread->SetFreeOnTerminate(false);
  thread->Start();
  thread->WaitFor();
  ASSERT_NE(thread->GetFatalException(), nullptr);
  EXPECT_EQ(thread->GetFatalException()->GetMessage(), u"inside");
  thread->Free();
}

}  // namespace
