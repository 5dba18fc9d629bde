// Host unit "Classes": persistent objects, components, string lists, pointer
// lists and threads.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "host/core/SysUtils.h"

QEL_EVENT_TYPE(TNotifyEvent, void(TObject* Sender));

class TStream;

// ---------------------------------------------------------------------------
// Exceptions of the unit

QEL_EXCEPTION(EStreamError, Exception);
QEL_EXCEPTION(EFileStreamError, EStreamError);
QEL_EXCEPTION(EFOpenError, EFileStreamError);
QEL_EXCEPTION(EFCreateError, EFileStreamError);
QEL_EXCEPTION(EFilerError, EStreamError);
QEL_EXCEPTION(EReadError, EFilerError);
QEL_EXCEPTION(EWriteError, EFilerError);
QEL_EXCEPTION(EClassNotFound, EFilerError);
QEL_EXCEPTION(EListError, Exception);
QEL_EXCEPTION(EStringListError, EListError);
QEL_EXCEPTION(EComponentError, Exception);
QEL_EXCEPTION(EInvalidOperation, Exception);
QEL_EXCEPTION(EThread, Exception);
QEL_EXCEPTION(EThreadExternalException, EThread);
QEL_EXCEPTION(EInvalidImage, EFilerError);
QEL_EXCEPTION(EMethodNotFound, EFilerError);
QEL_EXCEPTION(EResNotFound, Exception);
QEL_EXCEPTION(EOutOfResources, EOutOfMemory);
QEL_EXCEPTION(EParserError, Exception);
QEL_EXCEPTION(EObserverException, Exception);
QEL_EXCEPTION(ELoginCredentialError, Exception);

// ---------------------------------------------------------------------------
// Persistent objects

class TPersistent : public TObject {
  QEL_CLASS(TPersistent, TObject)
 public:
  // Copies ASource into this object; the default asks ASource->AssignTo and
  // raises EConvertError "Cannot assign a %s to a %s" when nobody knows how.
  virtual void Assign(TPersistent* ASource);
  virtual String GetNamePath() const { return ClassName(); }

 protected:
  virtual void AssignTo(TPersistent* ADest);
  [[noreturn]] void AssignError(TPersistent* ASource);
};

// ---------------------------------------------------------------------------
// Components

enum TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
  csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance
};
QEL_ENUM_TYPE(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
              csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance);
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };
QEL_ENUM_TYPE(TOperation, opInsert, opRemove);

class TComponent : public TPersistent {
  QEL_CLASS(TComponent, TPersistent)
 public:
  static constexpr bool QelTakesOwner = true;

  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  void BeforeDestruction() override;

  TComponent* GetOwner() const { return FOwner; }
  const String& GetName() const { return FName; }
  // Raises EComponentError "'%s' is not a valid component name" or
  // "A component named %s already exists".
  virtual void SetName(const String& ANewName);
  intptr_t GetTag() const { return FTag; }
  void SetTag(intptr_t AValue) { FTag = AValue; }
  TComponentState GetComponentState() const { return FComponentState; }

  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  TComponent* GetComponents(int AIndex) const;
  int GetComponentIndex() const;
  // Owned component by name (ASCII case-insensitive); null when absent or empty.
  TComponent* FindComponent(std::u16string_view AName) const;

  // Ownership transfer; InsertComponent raises EComponentError
  // "Component named %s already exists" when the name is taken.
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Destroys the owned components, last first.
  void DestroyComponents();
  // Marks this component and its owned ones destroying.
  void Destroying();

  // Asks to be told (Notification with opRemove) when AComponent is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // The loading phase: BeginLoading marks this component and its owned
  // components csLoading; EndLoading calls Loaded on each (owner first),
  // which clears the flag.
  void BeginLoading();
  void EndLoading();

  // Design-time state as a host builder sets it.
  void SetDesigning(bool ADesigning, bool ASetChildren = true);

  static void QelRegisterMembers(TClassInfo& AInfo);

 protected:
  virtual void Loaded();
  // Told of components inserted into or removed from this component's owner
  // tree, and of destroyed free-notification partners; passes the news on to
  // the owned components.
  virtual void Notification(TComponent* AComponent, TOperation AOperation);
  virtual void ValidateRename(TComponent* AComponent, const String& ACurName, const String& ANewName);
  void SetComponentStateItem(TComponentStateItem AItem, bool AOn);

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void NotifyFreeNotifies();

  TComponent* FOwner = nullptr;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};
QEL_PUBLISHED(TComponent, QelProp<u"Name", &TComponent::GetName, &TComponent::SetName>,
              QelProp<u"Tag", &TComponent::GetTag, &TComponent::SetTag>, QelProp<u"Owner", &TComponent::GetOwner>,
              QelProp<u"ComponentCount", &TComponent::GetComponentCount>);

// ---------------------------------------------------------------------------
// String lists

class TStrings : public TPersistent {
  QEL_CLASS(TStrings, TPersistent)
 public:
  // The primitives a descendant provides.
  virtual String Get(int AIndex) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int AIndex) const;
  virtual void Put(int AIndex, const String& S);
  virtual void PutObject(int AIndex, TObject* AObject);
  virtual void Insert(int AIndex, const String& S) = 0;
  virtual void InsertObject(int AIndex, const String& S, TObject* AObject);
  virtual void Delete(int AIndex) = 0;
  virtual void Clear() = 0;

  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(const TStrings* AStrings);
  virtual void Exchange(int AIndex1, int AIndex2);
  virtual void Move(int ACurIndex, int ANewIndex);
  virtual int IndexOf(std::u16string_view S) const;
  virtual int IndexOfName(std::u16string_view AName) const;
  int IndexOfObject(const TObject* AObject) const;
  bool Equals(const TStrings* AStrings) const;
  void Assign(TPersistent* ASource) override;

  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  // Properties.
  String GetStrings(int AIndex) const { return Get(AIndex); }
  void SetStrings(int AIndex, const String& S) { Put(AIndex, S); }
  TObject* GetObjects(int AIndex) const { return GetObject(AIndex); }
  void SetObjects(int AIndex, TObject* AObject) { PutObject(AIndex, AObject); }
  // Each line followed by CR LF.
  String GetText() const;
  // Splits at CR, LF or CR LF; a final line break adds no empty line.
  virtual void SetText(std::u16string_view AText);
  String GetCommaText() const;
  void SetCommaText(std::u16string_view AText);
  String GetDelimitedText() const;
  void SetDelimitedText(std::u16string_view AText);
  char16_t GetDelimiter() const { return FDelimiter; }
  void SetDelimiter(char16_t AValue) { FDelimiter = AValue; }
  char16_t GetQuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char16_t AValue) { FQuoteChar = AValue; }
  bool GetStrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool AValue) { FStrictDelimiter = AValue; }
  char16_t GetNameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char16_t AValue) { FNameValueSeparator = AValue; }
  String GetNames(int AIndex) const;
  String GetValues(std::u16string_view AName) const;
  // Setting an empty value deletes the line.
  void SetValues(std::u16string_view AName, std::u16string_view AValue);
  String GetValueFromIndex(int AIndex) const;
  // Setting an empty value deletes the line.
  void SetValueFromIndex(int AIndex, std::u16string_view AValue);

  // Detects a UTF-8, UTF-16 LE or UTF-16 BE byte-order mark, else reads UTF-8.
  // A missing file raises EFOpenError "Cannot open file "%s". %s".
  void LoadFromFile(const String& AFileName);
  // Writes UTF-8 (with a byte-order mark only when asked); a file that cannot
  // be created raises EFCreateError "Cannot create file "%s". %s".
  void SaveToFile(const String& AFileName, bool AWriteBOM = false) const;
  // The rest of AStream as text (UTF-8, a byte-order mark skipped); the text as UTF-8.
  void LoadFromStream(TStream* AStream);
  void SaveToStream(TStream* AStream) const;

  // Compares two lines as this list does (IndexOf, names).
  virtual int CompareStrings(std::u16string_view S1, std::u16string_view S2) const;

  static void QelRegisterMembers(TClassInfo& AInfo);

 protected:
  // Called with true when the outermost BeginUpdate starts, false when the
  // outermost EndUpdate ends.
  virtual void SetUpdateState(bool AUpdating) {}
  [[noreturn]] void Error(std::u16string_view AMessage, int AData) const;
  [[noreturn]] void IndexError(int AIndex) const;

 private:
  String QuotedItem(const String& S, char16_t ADelimiter, char16_t AQuote) const;
  String JoinItems(char16_t ADelimiter, char16_t AQuote) const;
  void SplitItems(std::u16string_view AText, char16_t ADelimiter, char16_t AQuote);

  int FUpdateCount = 0;
  char16_t FDelimiter = u',';
  char16_t FQuoteChar = u'"';
  char16_t FNameValueSeparator = u'=';
  bool FStrictDelimiter = false;
};
QEL_PUBLISHED(TStrings, QelProp<u"Count", &TStrings::GetCount>, QelProp<u"Text", &TStrings::GetText, &TStrings::SetText>,
              QelProp<u"CommaText", &TStrings::GetCommaText, &TStrings::SetCommaText>,
              QelProp<u"DelimitedText", &TStrings::GetDelimitedText, &TStrings::SetDelimitedText>);

enum TDuplicates { dupIgnore, dupAccept, dupError };
QEL_ENUM_TYPE(TDuplicates, dupIgnore, dupAccept, dupError);

class TStringList;
// Compares the items at two indices (negative, zero, positive).
using TStringListSortCompare = std::function<int(TStringList* AList, int AIndex1, int AIndex2)>;

class TStringList : public TStrings {
  QEL_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  explicit TStringList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
  ~TStringList() override;

  String Get(int AIndex) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  TObject* GetObject(int AIndex) const override;
  void Put(int AIndex, const String& S) override;
  void PutObject(int AIndex, TObject* AObject) override;
  void Insert(int AIndex, const String& S) override;
  void InsertObject(int AIndex, const String& S, TObject* AObject) override;
  void Delete(int AIndex) override;
  void Clear() override;
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Exchange(int AIndex1, int AIndex2) override;
  void Move(int ACurIndex, int ANewIndex) override;
  int IndexOf(std::u16string_view S) const override;

  // Binary search of a sorted list: true when found (AIndex = the first equal
  // line), else false with AIndex = where S would be inserted.
  virtual bool Find(std::u16string_view S, int& AIndex) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& ACompare);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool AValue);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates AValue) { FDuplicates = AValue; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool AValue);
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool AValue) { FOwnsObjects = AValue; }

  int CompareStrings(std::u16string_view S1, std::u16string_view S2) const override;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  static void QelRegisterMembers(TClassInfo& AInfo);

 protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool AUpdating) override;
  virtual void InsertItem(int AIndex, const String& S, TObject* AObject);

 private:
  struct TStringItem {
    String FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int AIndex) const;
  void CheckUnsorted() const;
  void Reorder(const std::vector<int>& AOrder);

  std::vector<TStringItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
};
QEL_PUBLISHED(TStringList, QelProp<u"Sorted", &TStringList::GetSorted, &TStringList::SetSorted>,
              QelProp<u"CaseSensitive", &TStringList::GetCaseSensitive, &TStringList::SetCaseSensitive>,
              QelProp<u"Duplicates", &TStringList::GetDuplicates, &TStringList::SetDuplicates>,
              QelEvent<u"OnChange", &TStringList::OnChange>, QelEvent<u"OnChanging", &TStringList::OnChanging>);

// ---------------------------------------------------------------------------
// Pointer lists

enum TListNotification { lnAdded, lnExtracted, lnDeleted };
QEL_ENUM_TYPE(TListNotification, lnAdded, lnExtracted, lnDeleted);
using TListSortCompare = int (*)(void* AItem1, void* AItem2);

class TList : public TObject {
  QEL_CLASS(TList, TObject)
 public:
  TList() = default;
  ~TList() override;

  int Add(void* AItem);
  void Insert(int AIndex, void* AItem);
  void Delete(int AIndex);
  int Remove(void* AItem);
  void* Extract(void* AItem);
  int IndexOf(const void* AItem) const;
  void Exchange(int AIndex1, int AIndex2);
  void Move(int ACurIndex, int ANewIndex);
  virtual void Clear();
  void* First() const;
  void* Last() const;
  // Drops the nil items.
  void Pack();
  void Sort(TListSortCompare ACompare);

  int GetCount() const { return static_cast<int>(FList.size()); }
  // Growing adds nil items; raises EListError "List count out of bounds (%d)".
  void SetCount(int ANewCount);
  int GetCapacity() const { return FCapacity; }
  // Raises EListError "List capacity out of bounds (%d)" below Count.
  void SetCapacity(int ANewCapacity);
  void* GetItems(int AIndex) const;
  void SetItems(int AIndex, void* AItem);

  static void QelRegisterMembers(TClassInfo& AInfo);

 protected:
  // Told of every pointer added, extracted or deleted (TObjectList frees here).
  virtual void Notify(void* APtr, TListNotification AAction) {}
  [[noreturn]] void Error(std::u16string_view AMessage, int AData) const;

 private:
  void CheckIndex(int AIndex) const;

  std::vector<void*> FList;
  int FCapacity = 0;
};
QEL_PUBLISHED(TList, QelProp<u"Count", &TList::GetCount, &TList::SetCount>,
              QelProp<u"Capacity", &TList::GetCapacity, &TList::SetCapacity>);

// ---------------------------------------------------------------------------
// Threads

class TThread : public TObject {
  QEL_CLASS(TThread, TObject)
 public:
  // Threads are always created suspended: the thread cannot run Execute
  // before the descendant's constructor has finished; call Start.
  TThread();
  // Destroying a running thread (not from itself) terminates it and waits;
  // destroy it with Free() so this happens before the descendant's parts go.
  ~TThread() override;
  void BeforeDestruction() override;

  // Raises EThread "Cannot call Start on a running or suspended thread" when
  // started twice.
  void Start();
  void Terminate();
  // Waits until Execute has returned; returns ReturnValue. Raises EThread for
  // a FreeOnTerminate thread or a thread waiting for itself.
  uint32_t WaitFor();

  bool GetTerminated() const { return FTerminated.load(); }
  bool GetFinished() const { return FFinished.load(); }
  bool GetStarted() const { return FStarted; }
  uint32_t GetThreadID() const { return FThreadID; }
  bool GetFreeOnTerminate() const { return FFreeOnTerminate.load(); }
  void SetFreeOnTerminate(bool AValue) { FFreeOnTerminate = AValue; }
  int GetReturnValue() const { return FReturnValue; }
  void SetReturnValue(int AValue) { FReturnValue = AValue; }
  // The exception that escaped Execute, or null.
  Exception* GetFatalException() const { return FFatalException.Get(); }

  // The TThread running the caller, null on other threads.
  static TThread* CurrentThread();
  // A FreeOnTerminate thread running AProc; call Start.
  static TThread* CreateAnonymousThread(std::function<void()> AProc);

  // Called on the thread itself after Execute (there is no main-thread queue
  // in this layer).
  TNotifyEvent OnTerminate;

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate() { OnTerminate(this); }

 private:
  void Run();
  void StopAndJoin();

  std::thread FThread;
  std::mutex FStateLock;
  std::condition_variable FFinishedSignal;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FFreeOnTerminate{false};
  bool FStarted = false;
  uint32_t FThreadID = 0;
  int FReturnValue = 0;
  ExceptionPtr FFatalException;
};

// ---------------------------------------------------------------------------
// Bit arrays

QEL_EXCEPTION(EBitsError, Exception);

// Bits by index, growing on demand when a bit past the end is set; a negative index raises
// EBitsError "Bits index out of range".
class TBits : public TObject {
  QEL_CLASS(TBits, TObject)
 public:
  int GetSize() const { return static_cast<int>(FBits.size()); }
  void SetSize(int AValue);
  bool GetBits(int AIndex) const;
  void SetBits(int AIndex, bool AValue);
  // The index of the first clear bit (Size when all are set).
  int OpenBit() const;

 private:
  std::vector<bool> FBits;

 public:
  static void QelRegisterMembers(TClassInfo& AInfo);
};
QEL_PUBLISHED(TBits, QelProp<u"Size", &TBits::GetSize, &TBits::SetSize>);

// ---------------------------------------------------------------------------
// Streams

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
QEL_ENUM_TYPE(TSeekOrigin, soBeginning, soCurrent, soEnd);

constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

using TBytes = std::vector<uint8_t>;

// A reader or writer over a stream it does not own hears of the stream's destruction, so it
// never uses a freed stream.
class TStreamClient {
 public:
  virtual void StreamDestroyed(TStream* AStream) = 0;

 protected:
  ~TStreamClient() = default;
};

class TStream : public TObject {
  QEL_CLASS(TStream, TObject)
 public:
  ~TStream() override;
  void AddClient(TStreamClient* AClient) { FClients.push_back(AClient); }
  void RemoveClient(TStreamClient* AClient) { std::erase(FClients, AClient); }
  // Reads up to ACount bytes; returns how many were read.
  virtual int32_t Read(void* ABuffer, int32_t ACount) = 0;
  virtual int32_t Write(const void* ABuffer, int32_t ACount) = 0;
  virtual int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) = 0;
  // ReadBuffer raises EReadError "Stream read error" when fewer bytes are left; WriteBuffer
  // raises EWriteError "Stream write error" when not all are written.
  void ReadBuffer(void* ABuffer, int32_t ACount);
  void WriteBuffer(const void* ABuffer, int32_t ACount);
  // Copies ACount bytes from ASource's position (all of ASource from its start when 0).
  int64_t CopyFrom(TStream* ASource, int64_t ACount);

  int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(int64_t AValue) { Seek(AValue, soBeginning); }
  virtual int64_t GetSize();
  virtual void SetSize(int64_t ANewSize);

  // One byte, or the raw bytes of a text in UTF-8 (what scripts read and write).
  uint8_t ReadByte();
  void WriteByte(uint8_t AValue);
  String ReadText(int32_t ACount);
  int32_t WriteText(std::u16string_view AText);

 private:
  std::vector<TStreamClient*> FClients;

 public:
  static void QelRegisterMembers(TClassInfo& AInfo);
};
QEL_PUBLISHED(TStream, QelProp<u"Position", &TStream::GetPosition, &TStream::SetPosition>,
              QelProp<u"Size", &TStream::GetSize, &TStream::SetSize>);

// A stream over an open file descriptor it does not own.
class THandleStream : public TStream {
  QEL_CLASS(THandleStream, TStream)
 public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}
  int GetHandle() const { return FHandle; }
  int32_t Read(void* ABuffer, int32_t ACount) override;
  int32_t Write(const void* ABuffer, int32_t ACount) override;
  int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) override;
  void SetSize(int64_t ANewSize) override;

 protected:
  int FHandle = -1;
};

// Opens or creates a file: fmCreate truncates, the fmOpen modes open an existing file.
// Failures raise EFCreateError "Cannot create file "%s". %s" or EFOpenError
// "Cannot open file "%s". %s" with the system's reason.
class TFileStream : public THandleStream {
  QEL_CLASS(TFileStream, THandleStream)
 public:
  TFileStream(const String& AFileName, uint16_t AMode);
  ~TFileStream() override;
  const String& GetFileName() const { return FFileName; }

 private:
  String FFileName;
};

class TCustomMemoryStream : public TStream {
  QEL_CLASS(TCustomMemoryStream, TStream)
 public:
  int32_t Read(void* ABuffer, int32_t ACount) override;
  int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) override;
  int64_t GetSize() override { return static_cast<int64_t>(FData.size()); }
  void SaveToStream(TStream* AStream);
  void SaveToFile(const String& AFileName);
  const TBytes& Data() const { return FData; }

 protected:
  TBytes FData;
  int64_t FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  QEL_CLASS(TMemoryStream, TCustomMemoryStream)
 public:
  int32_t Write(const void* ABuffer, int32_t ACount) override;
  void SetSize(int64_t ANewSize) override;
  void Clear();
  void LoadFromStream(TStream* AStream);
  void LoadFromFile(const String& AFileName);
};

class TBytesStream : public TMemoryStream {
  QEL_CLASS(TBytesStream, TMemoryStream)
 public:
  TBytesStream() = default;
  explicit TBytesStream(TBytes AData) { FData = std::move(AData); }
  const TBytes& GetBytes() const { return FData; }
};

// Text held as UTF-8 bytes.
class TStringStream : public TBytesStream {
  QEL_CLASS(TStringStream, TBytesStream)
 public:
  TStringStream() = default;
  explicit TStringStream(std::u16string_view AString);
  String GetDataString() const;
  String ReadString(int32_t ACount) { return ReadText(ACount); }
  void WriteString(std::u16string_view AString) { WriteText(AString); }

 public:
  static void QelRegisterMembers(TClassInfo& AInfo);
};
QEL_PUBLISHED(TStringStream, QelProp<u"DataString", &TStringStream::GetDataString>);

// ---------------------------------------------------------------------------
// Collections

class TCollection;

// An item belongs to at most one collection; setting Collection moves it, freeing it removes
// it from its collection.
class TCollectionItem : public TPersistent {
  QEL_CLASS(TCollectionItem, TPersistent)
 public:
  TCollectionItem() = default;
  ~TCollectionItem() override;
  TCollection* GetCollection() const { return FCollection; }
  void SetCollection(TCollection* AValue);
  int GetID() const { return FID; }
  int GetIndex() const;
  void SetIndex(int AValue);
  virtual String GetDisplayName() const { return FDisplayName.empty() ? ClassName() : FDisplayName; }
  virtual void SetDisplayName(const String& AValue) { FDisplayName = AValue; }
  String GetNamePath() const override;

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
  String FDisplayName;

 public:
  static void QelRegisterMembers(TClassInfo& AInfo);
};
QEL_PUBLISHED(TCollectionItem, QelProp<u"Index", &TCollectionItem::GetIndex, &TCollectionItem::SetIndex>,
              QelProp<u"DisplayName", &TCollectionItem::GetDisplayName, &TCollectionItem::SetDisplayName>);

// Items of one class (ItemClass, a TCollectionItem class) made by Add; the collection owns
// them. A bad index raises EListError "List index out of bounds (%d)".
class TCollection : public TPersistent {
  QEL_CLASS(TCollection, TPersistent)
 public:
  TCollection() : TCollection(TCollectionItem::StaticClass()) {}
  // Raises EInvalidCast when AItemClass is not a TCollectionItem class that can be made.
  explicit TCollection(TClass AItemClass);
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int AIndex);
  void Delete(int AIndex);
  void Clear();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  TCollectionItem* FindItemID(int AID) const;
  void Exchange(int AIndex1, int AIndex2);
  void Assign(TPersistent* ASource) override;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* GetItems(int AIndex) const;
  void SetItems(int AIndex, TCollectionItem* AValue);
  TClass GetItemClass() const { return FItemClass; }
  int GetUpdateCount() const { return FUpdateCount; }
  virtual TPersistent* GetOwner() const { return nullptr; }
  String GetNamePath() const override;

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* AItem, int AIndex);
  void RemoveItem(TCollectionItem* AItem);
  void CheckIndex(int AIndex) const;

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
  bool FChangedWhileUpdating = false;

 public:
  static void QelRegisterMembers(TClassInfo& AInfo);
};
QEL_PUBLISHED(TCollection, QelProp<u"Count", &TCollection::GetCount>);

// A collection whose owner a designer shows it under.
class TOwnedCollection : public TCollection {
  QEL_CLASS(TOwnedCollection, TCollection)
 public:
  TOwnedCollection(TPersistent* AOwner, TClass AItemClass) : TCollection(AItemClass), FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// ---------------------------------------------------------------------------
// Thread-safe lists

// A TList behind a lock: LockList returns the list with the lock held until UnlockList.
class TThreadList : public TObject {
  QEL_CLASS(TThreadList, TObject)
 public:
  void Add(void* AItem);
  void Remove(void* AItem);
  void Clear();
  TList* LockList();
  void UnlockList();
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates AValue) { FDuplicates = AValue; }

 private:
  std::recursive_mutex FLock;
  TList FList;
  TDuplicates FDuplicates = dupIgnore;
};

// ---------------------------------------------------------------------------
// Data modules

class TDataModule : public TComponent {
  QEL_CLASS(TDataModule, TComponent)
 public:
  using TComponent::TComponent;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

 public:
  static void QelRegisterMembers(TClassInfo& AInfo);
};
QEL_PUBLISHED(TDataModule, QelEvent<u"OnCreate", &TDataModule::OnCreate>, QelEvent<u"OnDestroy", &TDataModule::OnDestroy>);
