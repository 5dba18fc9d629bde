// A host class made for the wrapper tests, with one member of every kind the binding knows.
#pragma once

#include "engine/wrappers/units/Classes_QelSW.h"
#include "tests/wrappers/WrpTestKit.h"

QEL_EVENT_TYPE(TCountEvent, void(TObject* Sender, int& ACount));

class TProbe : public TObject {
  QEL_CLASS(TProbe, TObject)
 public:
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue) { FCaption = AValue; }
  int GetReadOnly() const { return 7; }
  int GetItems(int AIndex) const { return AIndex * 10; }
  void SetItems(int AIndex, int AValue) { LastPut = AIndex * 1000 + AValue; }
  TStringList* GetList() { return &FList; }
  int GetSecret() const { return 42; }
  void Touch() { ++Touched; }
  int Sum(int A, int B) const { return A + B; }
  void Bump(int& AValue) const { AValue += 1; }
  void Fail(std::u16string_view AMessage) const { throw ExceptionPtr(new Exception(String(AMessage))); }
  uint32_t Twice(uint32_t AValue) const { return AValue * 2; }
  char16_t NextChar(char16_t AValue) const { return static_cast<char16_t>(AValue + 1); }

  int FireCount(int AStart) {
    int count = AStart;
    OnCount(this, count);
    return count;
  }
  void Poke() { OnPoke(this); }

  int Touched = 0;
  TCountEvent OnCount;
  int LastPut = 0;
  TNotifyEvent OnPoke;

 private:
  String FCaption;
  TStringList FList;
};

class TProbeChild : public TProbe {
  QEL_CLASS(TProbeChild, TProbe)
};
class TProbeGrandChild : public TProbeChild {
  QEL_CLASS(TProbeGrandChild, TProbeChild)
};

struct TProbe_sw : TQelClassWrapperOf<TProbe, TObject_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
// Makes the protected Secret public again.
struct TProbeChild_sw : TQelClassWrapperOf<TProbeChild, TProbe_sw> {
  static void RegisterMembers(TQelClassWrapperData& AData);
};
