// Host unit "ListActns": actions that hold a list of items, and keep the combo boxes and list
// boxes they are the action of showing those items and the chosen one.
//
// A list control whose Action is a list action shows the action's items (while the action is
// Active) and its ItemIndex; choosing an item in one client (its click) sets the action's
// ItemIndex, which every other client then shows, and runs OnItemSelected and OnExecute.
#pragma once

#include "host/core/UnitData.h"

#include <memory>
#include <vector>

#include "host/gui/ActnList.h"

class TCustomListAction;
class TCustomListControl;

QEL_EVENT_TYPE(TGetItemCountEvent, void(TCustomListAction* Sender, int& Count));
QEL_EVENT_TYPE(TItemSelectedEvent, void(TCustomListAction* Sender, TControl* Control));
QEL_EVENT_TYPE(TGetVirtualListItem,
               void(TCustomListAction* Sender, int Index, String& Value, int& ImageIndex));

// The link between a list action and one list control: it fills the control with the items.
class TListActionLink : public TActionLink {
  QEL_CLASS(TListActionLink, TActionLink)
 public:
  TListActionLink(TCustomListAction* AAction, TCustomListControl* AClient);
  // The action goes away before the link does.
  void Detach() { FAction = nullptr; }
  TCustomListControl* GetClient() const { return FClient; }
  // Shows the action's items (none while it is inactive) and its ItemIndex.
  void Refill();
  void SetItemIndex(int AValue);

 private:
  TCustomListAction* ListAction() const;
  TCustomListControl* FClient;
};

class TCustomListAction : public TCustomAction {
  QEL_CLASS(TCustomListAction, TCustomAction)
 public:
  explicit TCustomListAction(TComponent* AOwner) : TCustomAction(AOwner) {}
  ~TCustomListAction() override;
  // The number of items, as OnGetItemCount corrects it.
  int GetCount() const;
  int GetItemIndex() const { return FItemIndex; }
  // -1 chooses nothing; an index outside the items raises EListError.
  void SetItemIndex(int AValue);
  bool GetActive() const { return FActive; }
  void SetActive(bool AValue);
  // Item AIndex's text and image.
  virtual void GetItem(int AIndex, String& AValue, int& AImageIndex) = 0;
  // A click of a client chooses the item the client shows, then runs the handlers.
  bool Execute() override;
  void RegisterChanges(TBasicActionLink* ALink) override;
  void UnRegisterChanges(TBasicActionLink* ALink) override;
  // Shows the items again on every client.
  void ItemsChanged();
  int GetListClientCount() const { return static_cast<int>(FLinks.size()); }
  TGetItemCountEvent OnGetItemCount;
  TItemSelectedEvent OnItemSelected;

 protected:
  virtual int ItemCount() const = 0;

 private:
  friend class TListActionLink;
  // Each list client's control link, with the link that fills the client.
  std::vector<std::pair<TBasicActionLink*, std::unique_ptr<TListActionLink>>> FLinks;
  int FItemIndex = -1;
  bool FActive = true, FShowing = false;
};

// ---- items held by the action ---------------------------------------------------

class TListControlItems;

class TListControlItem : public TCollectionItem {
  QEL_CLASS(TListControlItem, TCollectionItem)
 public:
  TListControlItem() = default;
  void Assign(TPersistent* ASource) override;
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue) {
    FCaption = AValue;
    Changed();
  }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue) {
    FImageIndex = AValue;
    Changed();
  }
  TObject* GetData() const { return FData; }
  void SetData(TObject* AValue) { FData = AValue; }
  String GetDisplayName() const override {
    return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption;
  }

 private:
  void Changed();
  String FCaption;
  int FImageIndex = -1;
  TObject* FData = nullptr;
};

class TListControlItems : public TOwnedCollection {
  QEL_CLASS(TListControlItems, TOwnedCollection)
 public:
  explicit TListControlItems(TPersistent* AOwner)
      : TOwnedCollection(AOwner, TListControlItem::StaticClass()) {}
  TListControlItem* Add() { return static_cast<TListControlItem*>(TCollection::Add()); }
  // Adds an item with this caption.
  TListControlItem* AddItem(const String& ACaption, int AImageIndex);
  TListControlItem* GetListItems(int AIndex) const {
    return static_cast<TListControlItem*>(GetItems(AIndex));
  }
  // The index of the item with this caption (compared exactly), or -1.
  int IndexOf(const String& ACaption) const;
  // Shows the items again on the owning action's clients (once an update ends).
  void Changed() override;
};

class TCustomStaticListAction;

class TStaticListItems : public TListControlItems {
  QEL_CLASS(TStaticListItems, TListControlItems)
 public:
  explicit TStaticListItems(TCustomStaticListAction* AOwner);
};

class TCustomStaticListAction : public TCustomListAction {
  QEL_CLASS(TCustomStaticListAction, TCustomListAction)
 public:
  explicit TCustomStaticListAction(TComponent* AOwner);
  ~TCustomStaticListAction() override;
  TStaticListItems* GetListItems() const { return FItems; }
  void SetListItems(TStaticListItems* AValue) { FItems->Assign(AValue); }
  void GetItem(int AIndex, String& AValue, int& AImageIndex) override;
  // Runs for every item shown, after the item's own caption and image were taken.
  TGetVirtualListItem OnGetItem;

 protected:
  int ItemCount() const override { return FItems->GetCount(); }

 private:
  TStaticListItems* FItems;
};

class TStaticListAction : public TCustomStaticListAction {
  QEL_CLASS(TStaticListAction, TCustomStaticListAction)
 public:
  explicit TStaticListAction(TComponent* AOwner) : TCustomStaticListAction(AOwner) {}
};

// ---- items asked for ------------------------------------------------------------------

// Count items, each asked of OnGetItem when a client shows it.
class TCustomVirtualListAction : public TCustomListAction {
  QEL_CLASS(TCustomVirtualListAction, TCustomListAction)
 public:
  explicit TCustomVirtualListAction(TComponent* AOwner) : TCustomListAction(AOwner) {}
  // Raises EListError for a negative count.
  void SetCount(int AValue);
  void GetItem(int AIndex, String& AValue, int& AImageIndex) override;
  TGetVirtualListItem OnGetItem;

 protected:
  int ItemCount() const override { return FCount; }

 private:
  int FCount = 0;
};

class TVirtualListAction : public TCustomVirtualListAction {
  QEL_CLASS(TVirtualListAction, TCustomVirtualListAction)
 public:
  explicit TVirtualListAction(TComponent* AOwner) : TCustomVirtualListAction(AOwner) {}
};
