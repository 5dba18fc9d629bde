// Host unit "Contnrs": object lists that may own their objects, class and component lists,
// stacks and queues, and bucket lists (hash maps from pointers to pointers).
#pragma once

#include <map>

#include "host/core/Classes.h"

class TObjectList : public TList {
  QEL_CLASS(TObjectList, TList)
 public:
  TObjectList() = default;
  explicit TObjectList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
  // The owned objects are freed here, while Notify is still this class's.
  ~TObjectList() override { Clear(); }

  int Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(int AIndex, TObject* AObject) { TList::Insert(AIndex, AObject); }
  int Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* AItem) { return static_cast<TObject*>(TList::Extract(AItem)); }
  int IndexOf(const TObject* AObject) const { return TList::IndexOf(AObject); }
  // From AStartAt on: the first object whose class is AClass (or descends from it unless
  // AExact), -1 when none.
  int FindInstanceOf(TClass AClass, bool AExact = true, int AStartAt = 0) const;
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  TObject* GetItems(int AIndex) const { return static_cast<TObject*>(TList::GetItems(AIndex)); }
  void SetItems(int AIndex, TObject* AObject) { TList::SetItems(AIndex, AObject); }
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool AValue) { FOwnsObjects = AValue; }

 protected:
  void Notify(void* APtr, TListNotification AAction) override;

 private:
  bool FOwnsObjects = true;

 public:
  static void QelRegisterMembers(TClassInfo& AInfo);
};
QEL_PUBLISHED(TObjectList, QelProp<u"OwnsObjects", &TObjectList::GetOwnsObjects, &TObjectList::SetOwnsObjects>);

// Owns its components by default like an object list, and drops a component that is freed
// elsewhere (free notification), so it never holds a dangling pointer.
class TComponentList : public TObjectList {
  QEL_CLASS(TComponentList, TObjectList)
 public:
  TComponentList() = default;
  explicit TComponentList(bool AOwnsObjects) : TObjectList(AOwnsObjects) {}
  ~TComponentList() override;

  int Add(TComponent* AComponent) { return TObjectList::Add(AComponent); }
  void Insert(int AIndex, TComponent* AComponent) { TObjectList::Insert(AIndex, AComponent); }
  int Remove(TComponent* AComponent) { return TObjectList::Remove(AComponent); }
  TComponent* Extract(TComponent* AItem) { return static_cast<TComponent*>(TObjectList::Extract(AItem)); }
  int IndexOf(const TComponent* AComponent) const { return TObjectList::IndexOf(AComponent); }
  TComponent* First() const { return static_cast<TComponent*>(TObjectList::First()); }
  TComponent* Last() const { return static_cast<TComponent*>(TObjectList::Last()); }
  TComponent* GetItems(int AIndex) const { return static_cast<TComponent*>(TObjectList::GetItems(AIndex)); }
  void SetItems(int AIndex, TComponent* AComponent) { TObjectList::SetItems(AIndex, AComponent); }

 protected:
  void Notify(void* APtr, TListNotification AAction) override;

 private:
  // The component that watches the listed ones for their destruction.
  class TWatcher;
  TWatcher* FWatcher = nullptr;
};

// A list of classes (descriptors).
class TClassList : public TList {
  QEL_CLASS(TClassList, TList)
 public:
  int Add(TClass AClass) { return TList::Add(const_cast<TClassInfo*>(AClass)); }
  void Insert(int AIndex, TClass AClass) { TList::Insert(AIndex, const_cast<TClassInfo*>(AClass)); }
  int Remove(TClass AClass) { return TList::Remove(const_cast<TClassInfo*>(AClass)); }
  TClass Extract(TClass AItem) { return static_cast<TClass>(TList::Extract(const_cast<TClassInfo*>(AItem))); }
  int IndexOf(TClass AClass) const { return TList::IndexOf(AClass); }
  TClass First() const { return static_cast<TClass>(TList::First()); }
  TClass Last() const { return static_cast<TClass>(TList::Last()); }
  TClass GetItems(int AIndex) const { return static_cast<TClass>(TList::GetItems(AIndex)); }
  void SetItems(int AIndex, TClass AClass) { TList::SetItems(AIndex, const_cast<TClassInfo*>(AClass)); }
};

// The base of stacks and queues: Push adds where the kind says, Pop and Peek take from the
// front of the list. Popping or peeking an empty one raises EListError.
class TOrderedList : public TObject {
  QEL_CLASS(TOrderedList, TObject)
 public:
  ~TOrderedList() override;
  int Count() const { return FList.GetCount(); }
  bool AtLeast(int ACount) const { return Count() >= ACount; }
  void* Push(void* AItem);
  void* Pop();
  void* Peek() const;

 protected:
  virtual void PushItem(void* AItem) = 0;
  // Told of the items that leave the list by Pop (object stacks and queues do not own them).
  TList& List() { return FList; }
  const TList& List() const { return FList; }

 private:
  TList FList;
};

class TStack : public TOrderedList {
  QEL_CLASS(TStack, TOrderedList)
 protected:
  void PushItem(void* AItem) override;
};

class TQueue : public TOrderedList {
  QEL_CLASS(TQueue, TOrderedList)
 protected:
  void PushItem(void* AItem) override;
};

class TObjectStack : public TStack {
  QEL_CLASS(TObjectStack, TStack)
 public:
  TObject* Push(TObject* AObject) { return static_cast<TObject*>(TStack::Push(AObject)); }
  TObject* Pop() { return static_cast<TObject*>(TStack::Pop()); }
  TObject* Peek() const { return static_cast<TObject*>(TStack::Peek()); }
};

class TObjectQueue : public TQueue {
  QEL_CLASS(TObjectQueue, TQueue)
 public:
  TObject* Push(TObject* AObject) { return static_cast<TObject*>(TQueue::Push(AObject)); }
  TObject* Pop() { return static_cast<TObject*>(TQueue::Pop()); }
  TObject* Peek() const { return static_cast<TObject*>(TQueue::Peek()); }
};

enum TBucketListSizes { bl2, bl4, bl8, bl16, bl32, bl64, bl128, bl256 };
QEL_ENUM_TYPE(TBucketListSizes, bl2, bl4, bl8, bl16, bl32, bl64, bl128, bl256);

// Items keyed by a pointer-sized value, each with a data pointer. Adding a key twice raises
// EListError "Duplicate item"; reading or removing a missing key raises EListError
// "Item not found".
class TCustomBucketList : public TObject {
  QEL_CLASS(TCustomBucketList, TObject)
 public:
  void Clear() { FItems.clear(); }
  int GetCount() const { return static_cast<int>(FItems.size()); }
  bool Exists(intptr_t AItem) const { return FItems.count(AItem) != 0; }
  // True with AData set when found.
  bool Find(intptr_t AItem, intptr_t& AData) const;
  intptr_t GetData(intptr_t AItem) const;
  void SetData(intptr_t AItem, intptr_t AData);

 protected:
  intptr_t AddItem(intptr_t AItem, intptr_t AData);
  intptr_t RemoveItem(intptr_t AItem);

 private:
  std::map<intptr_t, intptr_t> FItems;
};

// Keys are pointers (objects in scripts' terms).
class TBucketList : public TCustomBucketList {
  QEL_CLASS(TBucketList, TCustomBucketList)
 public:
  TBucketList() = default;
  explicit TBucketList(TBucketListSizes) {}
  intptr_t Add(intptr_t AItem, intptr_t AData) { return AddItem(AItem, AData); }
  intptr_t Remove(intptr_t AItem) { return RemoveItem(AItem); }
};

class TObjectBucketList : public TBucketList {
  QEL_CLASS(TObjectBucketList, TBucketList)
 public:
  TObject* Add(TObject* AItem, TObject* AData);
  TObject* Remove(TObject* AItem);
  TObject* GetData(TObject* AItem) const;
  void SetData(TObject* AItem, TObject* AData);
};

class TIntegerBucketList : public TBucketList {
  QEL_CLASS(TIntegerBucketList, TBucketList)
 public:
  int32_t Add(int32_t AItem, int32_t AData) { return int32_t(AddItem(AItem, AData)); }
  int32_t Remove(int32_t AItem) { return int32_t(RemoveItem(AItem)); }
  int32_t GetData(int32_t AItem) const { return int32_t(TCustomBucketList::GetData(AItem)); }
  void SetData(int32_t AItem, int32_t AData) { TCustomBucketList::SetData(AItem, AData); }
};
