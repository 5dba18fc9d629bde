// The tests' one self-freeing VARIANT; every test kit's value holder builds on it.
#pragma once

#include <utility>

#include "platform/ole/OleAuto.h"

class TQelTestVariant {
 public:
  TQelTestVariant() { VariantInit(&V); }
  TQelTestVariant(const TQelTestVariant& AOther) : TQelTestVariant() { VariantCopy(&V, &AOther.V); }
  TQelTestVariant(TQelTestVariant&& AOther) noexcept : V(AOther.V) { AOther.V.vt = VT_EMPTY; }
  TQelTestVariant& operator=(const TQelTestVariant& AOther) {
    if (this != &AOther) VariantCopy(&V, &AOther.V);
    return *this;
  }
  TQelTestVariant& operator=(TQelTestVariant&& AOther) noexcept {
    std::swap(V, AOther.V);
    return *this;
  }
  ~TQelTestVariant() { VariantClear(&V); }

  VARIANT& Get() { return V; }
  const VARIANT& Get() const { return V; }
  VARTYPE Vt() const { return V.vt; }

  VARIANT V;
};
