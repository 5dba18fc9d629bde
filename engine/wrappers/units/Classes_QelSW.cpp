// The "Classes" unit wrapper.
#include "engine/wrappers/units/Classes_QelSW.h"

namespace {

#define QEL_CLASSES_CLASSES                                                                                  \
  TPersistent_sw, TComponent_sw, TStrings_sw, TStringList_sw, TList_sw, TThread_sw, EStreamError_sw,        \
      EFileStreamError_sw, EFOpenError_sw, EFCreateError_sw, EFilerError_sw, EReadError_sw, EWriteError_sw, \
      EClassNotFound_sw, EListError_sw, EStringListError_sw, EComponentError_sw, EInvalidOperation_sw,      \
      EThread_sw, QEL_CLASSES_MORE_CLASSES

// LoadFromFile may name the encoding of a file without a byte-order mark (one with a mark is
// read by the mark, as the class library does).
void LoadFromFileEncoded(TStrings* AStrings, const String& AFileName, TEncoding* AEncoding) {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyWrite);
  TEncodingBytes bytes(static_cast<size_t>(stream.GetSize()));
  stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  int32_t preamble = 0;
  TEncoding* found = TEncoding::DetectPreamble(bytes, preamble);
  if (found) bytes.erase(bytes.begin(), bytes.begin() + preamble);
  AStrings->SetText((found ? found : AEncoding)->GetString(bytes));
}
// SaveToFile's second argument is an encoding (its preamble first, then the text in it) or,
// as before, whether to write the UTF-8 byte-order mark.
void SaveToFileWith(TStrings* AStrings, const String& AFileName, const VARIANT& AEncodingOrBOM) {
  const VARIANT& value = QelDeref(AEncodingOrBOM);
  if (value.vt != VT_DISPATCH) return AStrings->SaveToFile(AFileName, TQelConv<bool>::FromVar(value));
  auto* encoding = static_cast<TEncoding*>(VarToObject(value, TEncoding::StaticClass()));
  if (!encoding) return AStrings->SaveToFile(AFileName, false);
  TEncodingBytes bytes = encoding->GetPreamble();
  const TEncodingBytes text = encoding->GetBytes(AStrings->GetText());
  bytes.insert(bytes.end(), text.begin(), text.end());
  TFileStream stream(AFileName, fmCreate);
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}
void SaveToFilePlain(TStrings* AStrings, const String& AFileName) { AStrings->SaveToFile(AFileName, false); }

// AddPair adds "Name=Value" (with the list's separator) and returns the list, for chaining.
TStrings* AddPair(TStrings* AStrings, const String& AName, const String& AValue) {
  AStrings->Add(AName + AStrings->GetNameValueSeparator() + AValue);
  return AStrings;
}

}  // namespace

void TPersistent_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TPersistent> M(AData);
  M.Method<&TPersistent::Assign>(u"Assign");
  M.Method<&TPersistent::GetNamePath>(u"GetNamePath");
}

void TComponent_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TComponent> M(AData);
  M.Constructor();
  M.Published();
  M.Property<&TComponent::GetComponents>(u"Components");
  M.Property<&TComponent::GetComponentIndex>(u"ComponentIndex");
  M.Property<&TComponent::GetComponentState>(u"ComponentState");
  M.Method<&TComponent::FindComponent>(u"FindComponent");
  M.Method<&TComponent::InsertComponent>(u"InsertComponent");
  M.Method<&TComponent::RemoveComponent>(u"RemoveComponent");
  M.Method<&TComponent::DestroyComponents>(u"DestroyComponents");
  M.Method<&TComponent::Destroying>(u"Destroying");
  M.Method<&TComponent::FreeNotification>(u"FreeNotification");
  M.Method<&TComponent::RemoveFreeNotification>(u"RemoveFreeNotification");
}

void TStrings_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStrings> M(AData);
  M.Published();
  M.Property<&TStrings::GetStrings, &TStrings::SetStrings>(u"Strings", qpDefault);
  M.Property<&TStrings::GetObjects, &TStrings::SetObjects>(u"Objects");
  M.Property<&TStrings::GetDelimiter, &TStrings::SetDelimiter>(u"Delimiter");
  M.Property<&TStrings::GetQuoteChar, &TStrings::SetQuoteChar>(u"QuoteChar");
  M.Property<&TStrings::GetStrictDelimiter, &TStrings::SetStrictDelimiter>(u"StrictDelimiter");
  M.Property<&TStrings::GetNameValueSeparator, &TStrings::SetNameValueSeparator>(u"NameValueSeparator");
  M.Property<&TStrings::GetNames>(u"Names");
  M.Property<&TStrings::GetValues, &TStrings::SetValues>(u"Values");
  M.Property<&TStrings::GetValueFromIndex, &TStrings::SetValueFromIndex>(u"ValueFromIndex");
  M.Method<&TStrings::Add>(u"Add");
  M.Method<&TStrings::AddObject>(u"AddObject");
  M.Method<&TStrings::Append>(u"Append");
  M.Method<&TStrings::AddStrings>(u"AddStrings");
  M.Method<&AddPair>(u"AddPair");
  M.Property<&TStrings::GetNames>(u"KeyNames");
  M.Method<&TStrings::BeginUpdate>(u"BeginUpdate");
  M.Method<&TStrings::EndUpdate>(u"EndUpdate");
  M.Method<&TStrings::Clear>(u"Clear");
  M.Method<&TStrings::Delete>(u"Delete");
  M.Method<&TStrings::Equals>(u"Equals");
  M.Method<&TStrings::Exchange>(u"Exchange");
  M.Method<&TStrings::IndexOf>(u"IndexOf");
  M.Method<&TStrings::IndexOfName>(u"IndexOfName");
  M.Method<&TStrings::IndexOfObject>(u"IndexOfObject");
  M.Method<&TStrings::Insert>(u"Insert");
  M.Method<&TStrings::InsertObject>(u"InsertObject");
  M.Overloads<u"LoadFromFile", &TStrings::LoadFromFile, &LoadFromFileEncoded>();
  M.Method<&TStrings::Move>(u"Move");
  M.Method<&TStrings::LoadFromStream>(u"LoadFromStream");
  M.Method<&TStrings::SaveToStream>(u"SaveToStream");
  M.Overloads<u"SaveToFile", &SaveToFilePlain, &SaveToFileWith>();
}

void TStringList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStringList> M(AData);
  M.Constructor();
  M.Method<&TStringList::Find>(u"Find");
  M.Method<&TStringList::Sort>(u"Sort");
  M.Published();
  M.Property<&TStringList::GetOwnsObjects, &TStringList::SetOwnsObjects>(u"OwnsObjects");
}

void TList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TList> M(AData);
  M.Constructor();
  M.Method<&TList::Add>(u"Add");
  M.Method<&TList::Clear>(u"Clear");
  M.Method<&TList::Delete>(u"Delete");
  M.Method<&TList::Exchange>(u"Exchange");
  M.Method<&TList::Extract>(u"Extract");
  M.Method<&TList::First>(u"First");
  M.Method<&TList::IndexOf>(u"IndexOf");
  M.Method<&TList::Insert>(u"Insert");
  M.Method<&TList::Last>(u"Last");
  M.Method<&TList::Move>(u"Move");
  M.Method<&TList::Pack>(u"Pack");
  M.Method<&TList::Remove>(u"Remove");
  M.Published();
  M.Property<&TList::GetItems, &TList::SetItems>(u"Items", qpDefault);
}

void TThread_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TThread> M(AData);
  M.Method<&TThread::Start>(u"Start");
  M.Method<&TThread::Terminate>(u"Terminate");
  M.Method<&TThread::WaitFor>(u"WaitFor");
  M.Property<&TThread::GetTerminated>(u"Terminated");
  M.Property<&TThread::GetFinished>(u"Finished");
  M.Property<&TThread::GetThreadID>(u"ThreadID");
  M.Property<&TThread::GetFreeOnTerminate, &TThread::SetFreeOnTerminate>(u"FreeOnTerminate");
  M.Property<&TThread::GetReturnValue, &TThread::SetReturnValue>(u"ReturnValue");
  M.Property<&TThread::GetFatalException>(u"FatalException");
  M.Field<&TThread::OnTerminate>(u"OnTerminate");
}

void Classes_sw::RegisterMembers(TQelUnitWrapperData& AData) {
  TQelUnitMembers M(AData);
  QelAddTypes<TDuplicates_sw, TOperation_sw, TListNotification_sw, TComponentStateItem_sw, TComponentState_sw,
              TSeekOrigin_sw, TNotifyEvent_sw, TPersistentClass_sw, TComponentClass_sw, TCollectionItemClass_sw,
              QEL_CLASSES_CLASSES>(M);
  QelUnitData_Classes(M);
  QelAddFileModeConstants(M);
  M.Constant<int32_t{0}>(u"soFromBeginning");
  M.Constant<int32_t{1}>(u"soFromCurrent");
  M.Constant<int32_t{2}>(u"soFromEnd");
  M.Constant<int32_t{0x1000}>(u"scCommand");
  M.Constant<int32_t{0x2000}>(u"scShift");
  M.Constant<int32_t{0x4000}>(u"scCtrl");
  M.Constant<int32_t{0x8000}>(u"scAlt");
  M.Constant<int32_t{0}>(u"scNone");
  M.Constant<int32_t{0x7FFFFFFF / 16}>(u"MaxListSize");
}

void Classes_sw::RegisterWrappers() {
  RegisterUnitWrapper(QelWrapperClass<Classes_sw>());
  QelRegisterClassWrappers<QEL_CLASSES_CLASSES>();
  QelRegisterEventWrappers<TNotifyEvent_sw>();
}

void QelAddFileModeConstants(TQelUnitMembers& M) {
  M.Constant<int32_t{fmCreate}>(u"fmCreate");
  M.Constant<int32_t{fmOpenRead}>(u"fmOpenRead");
  M.Constant<int32_t{fmOpenWrite}>(u"fmOpenWrite");
  M.Constant<int32_t{fmOpenReadWrite}>(u"fmOpenReadWrite");
  M.Constant<int32_t{fmShareCompat}>(u"fmShareCompat");
  M.Constant<int32_t{fmShareExclusive}>(u"fmShareExclusive");
  M.Constant<int32_t{fmShareDenyWrite}>(u"fmShareDenyWrite");
  M.Constant<int32_t{fmShareDenyRead}>(u"fmShareDenyRead");
  M.Constant<int32_t{fmShareDenyNone}>(u"fmShareDenyNone");
}
