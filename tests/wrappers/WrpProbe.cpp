#include "tests/wrappers/WrpProbe.h"

namespace {

int Opt1(TProbe*, int A) { return A; }
int Opt2(TProbe*, int A, int B) { return A * B; }
String FirstText(TProbe*) { return u"first"; }
String SecondText(TProbe*) { return u"second"; }

}  // namespace

void TProbe_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TProbe> M(AData);
  M.Constructor();
  M.Property<&TProbe::GetCaption, &TProbe::SetCaption>(u"Caption");
  M.Property<&TProbe::GetReadOnly>(u"ReadOnly");
  M.Property<&TProbe::GetItems, &TProbe::SetItems>(u"Items", qpDefault);
  M.Property<&TProbe::GetList>(u"List");
  M.Property<&TProbe::GetSecret>(u"Secret", qpProtected);
  M.Method<&TProbe::Touch>(u"Touch");
  M.Method<&TProbe::Sum>(u"Sum");
  M.Method<&TProbe::Bump>(u"Bump");
  M.Method<&TProbe::Fail>(u"Fail");
  M.Method<&TProbe::Twice>(u"Twice");
  M.Method<&TProbe::NextChar>(u"NextChar");
  M.Overloads<u"Opt", &Opt1, &Opt2>();
  M.Method<&FirstText>(u"Text");
  M.Method<&SecondText>(u"Text");
  M.Field<&TProbe::OnPoke>(u"OnPoke");
  M.Field<&TProbe::OnCount>(u"OnCount");
  M.Method<&TProbe::FireCount>(u"FireCount");
  M.Method<&TProbe::Poke>(u"Poke");
  M.Constant<int32_t{99}>(u"Answer");
}

void TProbeChild_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TProbeChild> M(AData);
  M.Redeclare(u"Secret");
  M.Redeclare(u"NoSuchMember");
}
