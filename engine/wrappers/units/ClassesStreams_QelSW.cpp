// The "Classes" unit wrapper, second part: streams, bits, collections, thread lists and data
// modules.
#include "engine/wrappers/units/Classes_QelSW.h"

namespace {

TFileStream* NewFileStream(TClass, const String& AFileName, int32_t AMode) {
  return new TFileStream(AFileName, static_cast<uint16_t>(AMode));
}
TStringStream* NewStringStream(TClass, std::u16string_view AString) { return new TStringStream(AString); }
// Create takes the bytes to start with (none when left out).
TBytesStream* NewBytesStream(TClass, const VARIANT& ABytes) {
  const VARIANT& value = QelDeref(ABytes);
  if (value.vt == VT_BSTR && OleBstrView(value.bstrVal).empty()) return new TBytesStream();
  return new TBytesStream(TQelConv<TBytes>::FromVar(value));
}
THandleStream* NewHandleStream(TClass, int32_t AHandle) { return new THandleStream(AHandle); }
TCollection* NewCollection(TClass, TClass AItemClass) { return new TCollection(AItemClass); }
TOwnedCollection* NewOwnedCollection(TClass, TPersistent* AOwner, TClass AItemClass) {
  return new TOwnedCollection(AOwner, AItemClass);
}
// A class-library collection item is made for its collection.
TCollectionItem* NewCollectionItem(TClass AClass, TCollection* ACollection) {
  if (!AClass->InheritsFrom(TCollectionItem::StaticClass()) || !AClass->CanCreate()) RaiseInvalidCast();
  auto* item = static_cast<TCollectionItem*>(AClass->NewInstance());
  item->SetCollection(ACollection);
  return item;
}
// Bytes to and from a script's byte array: Read grows the array to hold what it reads at
// AOffset; Write and WriteBuffer take ACount bytes from AOffset (ERangeError when the array is
// shorter). ReadBuffer and WriteBuffer raise EReadError and EWriteError as the stream's own do.
void CheckRange(int32_t AOffset, int32_t ACount, size_t ASize) {
  if (AOffset < 0 || ACount < 0 ||
      static_cast<size_t>(AOffset) + static_cast<size_t>(ACount) > ASize) {
    throw ExceptionPtr(new ERangeError());
  }
}
int32_t ReadAt(TStream* AStream, TBytes& ABuffer, int32_t AOffset, int32_t ACount) {
  if (AOffset < 0 || ACount < 0) throw ExceptionPtr(new ERangeError());
  // A count far beyond the stream's end must not allocate for bytes that cannot come.
  const int64_t left = std::max<int64_t>(AStream->GetSize() - AStream->GetPosition(), 0);
  const auto count = static_cast<int32_t>(std::min<int64_t>(ACount, left));
  const size_t end = static_cast<size_t>(AOffset) + static_cast<size_t>(count);
  if (ABuffer.size() < end) ABuffer.resize(end);
  return AStream->Read(ABuffer.data() + AOffset, count);
}
int32_t ReadBytes(TStream* AStream, TBytes& ABuffer, int32_t ACount) {
  return ReadAt(AStream, ABuffer, 0, ACount);
}
int32_t WriteAt(TStream* AStream, const TBytes& ABuffer, int32_t AOffset, int32_t ACount) {
  CheckRange(AOffset, ACount, ABuffer.size());
  return AStream->Write(ABuffer.data() + AOffset, ACount);
}
int32_t WriteBytes(TStream* AStream, const TBytes& ABuffer, int32_t ACount) {
  return WriteAt(AStream, ABuffer, 0, ACount);
}
void ReadBufferAt(TStream* AStream, TBytes& ABuffer, int32_t AOffset, int32_t ACount) {
  if (ReadAt(AStream, ABuffer, AOffset, ACount) != ACount)
    throw ExceptionPtr(new EReadError(u"Stream read error"));
}
void ReadBufferOf(TStream* AStream, TBytes& ABuffer, int32_t ACount) {
  ReadBufferAt(AStream, ABuffer, 0, ACount);
}
void WriteBufferAt(TStream* AStream, const TBytes& ABuffer, int32_t AOffset, int32_t ACount) {
  CheckRange(AOffset, ACount, ABuffer.size());
  AStream->WriteBuffer(ABuffer.data() + AOffset, ACount);
}
void WriteBufferOf(TStream* AStream, const TBytes& ABuffer, int32_t ACount) {
  WriteBufferAt(AStream, ABuffer, 0, ACount);
}

int64_t SeekFrom(TStream* AStream, int64_t AOffset, TSeekOrigin AOrigin) { return AStream->Seek(AOffset, AOrigin); }
TObject* ThreadListItem(TThreadList* AList, int32_t AIndex) {
  TList* list = AList->LockList();
  struct TUnlock {
    TThreadList* List;
    ~TUnlock() { List->UnlockList(); }
  } unlock{AList};
  return static_cast<TObject*>(list->GetItems(AIndex));
}
int32_t ThreadListCount(TThreadList* AList) {
  const int32_t count = AList->LockList()->GetCount();
  AList->UnlockList();
  return count;
}
void ThreadListAdd(TThreadList* AList, TObject* AItem) { AList->Add(AItem); }
void ThreadListRemove(TThreadList* AList, TObject* AItem) { AList->Remove(AItem); }

}  // namespace

void TBits_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBits> M(AData);
  M.Constructor();
  M.Published();
  M.Property<&TBits::GetBits, &TBits::SetBits>(u"Bits", qpDefault);
  M.Method<&TBits::OpenBit>(u"OpenBit");
}

void TStream_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStream> M(AData);
  M.Published();
  M.Method<&SeekFrom>(u"Seek");
  M.Method<&TStream::CopyFrom>(u"CopyFrom");
  M.Overloads<u"Read", &ReadBytes, &ReadAt>();
  M.Overloads<u"Write", &WriteBytes, &WriteAt>();
  M.Overloads<u"ReadBuffer", &ReadBufferOf, &ReadBufferAt>();
  M.Overloads<u"WriteBuffer", &WriteBufferOf, &WriteBufferAt>();
  M.Method<&TStream::ReadByte>(u"ReadByte");
  M.Method<&TStream::WriteByte>(u"WriteByte");
  M.Method<&TStream::ReadText>(u"ReadText");
  M.Method<&TStream::WriteText>(u"WriteText");
}

void THandleStream_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<THandleStream> M(AData);
  M.Constructor<&NewHandleStream>();
  M.Property<&THandleStream::GetHandle>(u"Handle");
}

void TFileStream_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TFileStream> M(AData);
  M.Constructor<&NewFileStream>();
  M.Property<&TFileStream::GetFileName>(u"FileName");
}

void TCustomMemoryStream_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCustomMemoryStream> M(AData);
  M.Method<&TCustomMemoryStream::SaveToStream>(u"SaveToStream");
  M.Method<&TCustomMemoryStream::SaveToFile>(u"SaveToFile");
}

void TMemoryStream_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TMemoryStream> M(AData);
  M.Constructor();
  M.Method<&TMemoryStream::Clear>(u"Clear");
  M.Method<&TMemoryStream::LoadFromStream>(u"LoadFromStream");
  M.Method<&TMemoryStream::LoadFromFile>(u"LoadFromFile");
  M.Method<&TMemoryStream::SetSize>(u"SetSize");
}

void TBytesStream_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TBytesStream> M(AData);
  M.Constructor<&NewBytesStream, QelDefaults<TQelName(u"")>>();
  M.Property<&TBytesStream::GetBytes>(u"Bytes");
}

void TStringStream_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TStringStream> M(AData);
  M.Constructor<&NewStringStream, QelDefaults<TQelName(u"")>>();
  M.Published();
  M.Method<&TStringStream::ReadString>(u"ReadString");
  M.Method<&TStringStream::WriteString>(u"WriteString");
}

void TCollectionItem_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCollectionItem> M(AData);
  M.Constructor<&NewCollectionItem>();
  M.Published();
  M.Property<&TCollectionItem::GetCollection, &TCollectionItem::SetCollection>(u"Collection");
  M.Property<&TCollectionItem::GetID>(u"ID");
}

void TCollection_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TCollection> M(AData);
  M.Constructor<&NewCollection>();
  M.Published();
  M.Method<&TCollection::Add>(u"Add");
  M.Method<&TCollection::Insert>(u"Insert");
  M.Method<&TCollection::Delete>(u"Delete");
  M.Method<&TCollection::Clear>(u"Clear");
  M.Method<&TCollection::BeginUpdate>(u"BeginUpdate");
  M.Method<&TCollection::EndUpdate>(u"EndUpdate");
  M.Method<&TCollection::FindItemID>(u"FindItemID");
  M.Method<&TCollection::Exchange>(u"Exchange");
  M.Property<&TCollection::GetItems, &TCollection::SetItems>(u"Items", qpDefault);
  M.Property<&TCollection::GetItemClass>(u"ItemClass");
  M.Property<&TCollection::GetOwner>(u"Owner");
  M.Field<&TCollection::OnChange>(u"OnChange");
}

void TOwnedCollection_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TOwnedCollection>(AData).Constructor<&NewOwnedCollection>();
}

void TThreadList_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TThreadList> M(AData);
  M.Constructor();
  M.Method<&ThreadListAdd>(u"Add");
  M.Method<&ThreadListRemove>(u"Remove");
  M.Method<&TThreadList::Clear>(u"Clear");
  M.Method<&ThreadListItem>(u"Items");
  M.Method<&ThreadListCount>(u"Count");
  M.Property<&TThreadList::GetDuplicates, &TThreadList::SetDuplicates>(u"Duplicates");
}

void TDataModule_sw::RegisterMembers(TQelClassWrapperData& AData) {
  TQelMembers<TDataModule> M(AData);
  M.Constructor();
  M.Published();
}
