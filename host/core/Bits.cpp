// TBits: a growable array of bits.
#include "host/core/Classes.h"

namespace {

// Far beyond any real use; refuses sizes that would exhaust memory.
constexpr int MaxBitsSize = 1 << 28;

[[noreturn]] void BitsError() { throw ExceptionPtr(new EBitsError(u"Bits index out of range")); }

}  // namespace

void TBits::SetSize(int AValue) {
  if (AValue < 0 || AValue > MaxBitsSize) BitsError();
  FBits.resize(static_cast<size_t>(AValue), false);
}

bool TBits::GetBits(int AIndex) const {
  if (AIndex < 0) BitsError();
  return AIndex < GetSize() && FBits[AIndex];
}

void TBits::SetBits(int AIndex, bool AValue) {
  if (AIndex < 0 || AIndex >= MaxBitsSize) BitsError();
  if (AIndex >= GetSize()) SetSize(AIndex + 1);
  FBits[AIndex] = AValue;
}

int TBits::OpenBit() const {
  for (int i = 0; i < GetSize(); ++i)
    if (!FBits[i]) return i;
  return GetSize();
}

void TBits::QelRegisterMembers(TClassInfo& AInfo) { QelPublish<TBits>(AInfo); }
