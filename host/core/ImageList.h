// Host unit "ImageList": the non-visual base of image lists and the links that follow them.
#pragma once

#include "host/core/Classes.h"

class TBaseImageList;

// Follows an image list: told (OnChange) when the list changes or is freed.
class TImageLink : public TObject {
  QEL_CLASS(TImageLink, TObject)
 public:
  TImageLink() = default;
  ~TImageLink() override;
  TBaseImageList* GetImages() const { return FImages; }
  void SetImages(TBaseImageList* AValue);
  int32_t GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int32_t AValue);
  bool GetIgnoreIndex() const { return FIgnoreIndex; }
  void SetIgnoreIndex(bool AValue) { FIgnoreIndex = AValue; }
  bool GetIgnoreImages() const { return FIgnoreImages; }
  void SetIgnoreImages(bool AValue) { FIgnoreImages = AValue; }
  virtual void Change();
  TNotifyEvent OnChange;

 private:
  friend class TBaseImageList;
  TBaseImageList* FImages = nullptr;
  int32_t FImageIndex = -1;
  bool FIgnoreIndex = false;
  bool FIgnoreImages = false;
};

// The images themselves are a descendant's (the visual image list); Count is 0 here.
class TBaseImageList : public TComponent {
  QEL_CLASS(TBaseImageList, TComponent)
 public:
  using TComponent::TComponent;
  ~TBaseImageList() override;
  virtual int32_t GetCount() const { return 0; }
  // Change tells the links now, or once the outermost EndUpdate comes.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  bool GetUpdating() const { return FUpdateCount > 0; }
  void Change();
  int32_t GetLinkCount() const { return static_cast<int32_t>(FLinks.size()); }
  // Raises EListError "List index out of bounds (%d)".
  TImageLink* GetLinks(int32_t AIndex) const;
  TNotifyEvent OnChange;

 private:
  friend class TImageLink;
  std::vector<TImageLink*> FLinks;
  int FUpdateCount = 0;
  bool FChanged = false;
};
