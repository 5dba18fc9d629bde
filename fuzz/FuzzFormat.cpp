// The format routines: Format with directives over integer, real, text and variant arguments,
// FormatFloat and FormatDateTime, with any format text. They may refuse a format with their
// conversion error; anything else is a finding.
#include <cstring>

#include "fuzz/FuzzKit.h"
#include "host/core/SysUtils.h"
#include "platform/ole/OleAuto.h"

namespace {

template <class TCall>
void Guarded(TCall ACall) {
  try {
    ACall();
  } catch (const ExceptionPtr& E) {
    if (!dynamic_cast<EConvertError*>(E.Get()) && !dynamic_cast<EOutOfMemory*>(E.Get()))
      QelFuzzFinding("a format routine raised", E.Get());
  } catch (...) {
    QelFuzzFinding("a format routine raised a non-host exception", nullptr);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
  if (ASize < 9) return 0;
  double real;
  std::memcpy(&real, AData, sizeof real);
  const int32_t integer = int32_t(AData[8]) - 128;
  const String format = QelFuzzText(AData + 9, ASize - 9);
  VARIANT text{};
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(u"12.5");
  Guarded([&] {
    Format(format, {integer, real, u"text", int64_t(integer) << 33, &text, integer, u'c', true});
  });
  Guarded([&] { FormatFloat(format, real); });
  Guarded([&] { FormatDateTime(format, real); });
  VariantClear(&text);
  return 0;
}
