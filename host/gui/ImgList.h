// Host unit "ImgList": lists of images of one size (the small pictures of list views).
//
// The list keeps its own copies as bitmaps; a control showing the images registers a change
// link and redraws when the list changes or goes.
#pragma once

#include "host/core/UnitData.h"

#include <vector>

#include "host/gui/Graphics.h"

class TCustomImageList;

// Tells one client of an image list about its changes.
class TChangeLink : public TObject {
  QEL_CLASS(TChangeLink, TObject)
 public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TCustomImageList* GetSender() const { return FSender; }
  void SetSender(TCustomImageList* AValue) { FSender = AValue; }
  void Change();
  TNotifyEvent OnChange;

 private:
  TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
  QEL_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;
  void Assign(TPersistent* ASource) override;

  int GetWidth() const { return FWidth; }
  // Changing the size of the images empties the list.
  void SetWidth(int AValue) { SetSize(AValue, FHeight); }
  int GetHeight() const { return FHeight; }
  void SetHeight(int AValue) { SetSize(FWidth, AValue); }
  void SetSize(int AWidth, int AHeight);
  int GetCount() const { return static_cast<int>(FImages.size()); }
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor AValue) { FBkColor = AValue; Change(); }
  TColor GetBlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor AValue) { FBlendColor = AValue; }
  TDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle AValue) { FDrawingStyle = AValue; Change(); }
  TImageType GetImageType() const { return FImageType; }
  void SetImageType(TImageType AValue) { FImageType = AValue; }
  bool GetMasked() const { return FMasked; }
  void SetMasked(bool AValue) { FMasked = AValue; Change(); }

  // Adds the image (a wider one is cut into pieces of the list's width); returns the index of
  // the first piece. The mask is taken as transparency: its white pixels are not drawn.
  int Add(TBitmap* AImage, TBitmap* AMask);
  // As Add, with the pixels of AMaskColor transparent.
  int AddMasked(TBitmap* AImage, TColor AMaskColor);
  // Adds every image of AImages.
  void AddImages(TCustomImageList* AImages);
  void Insert(int AIndex, TBitmap* AImage, TBitmap* AMask);
  void Replace(int AIndex, TBitmap* AImage, TBitmap* AMask);
  void Delete(int AIndex);
  void Move(int ACurIndex, int ANewIndex);
  void Clear();
  // Copies image AIndex into AImage; false for a bad index.
  bool GetBitmap(int AIndex, TBitmap* AImage) const;
  void Draw(TCanvas* ACanvas, int X, int Y, int AIndex, bool AEnabled = true) const;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  void RegisterChanges(TChangeLink* AValue);
  void UnRegisterChanges(TChangeLink* AValue);
  // The image at AIndex as the list keeps it, or null (for the controls that show it).
  const TBitmap* Image(int AIndex) const;

  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  void CheckIndex(int AIndex) const;
  // The pieces of AImage, each of the list's size, with the mask applied.
  std::vector<TBitmap*> Pieces(TBitmap* AImage, TBitmap* AMask, const TColor* AMaskColor) const;
  void InsertPieces(int AIndex, std::vector<TBitmap*> APieces);

  std::vector<TBitmap*> FImages;
  std::vector<TChangeLink*> FLinks;
  int FWidth = 16, FHeight = 16;
  int FUpdateCount = 0;
  bool FChangedWhileUpdating = false;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  TImageType FImageType = itImage;
  bool FMasked = true;
};

class TImageList : public TCustomImageList {
  QEL_CLASS(TImageList, TCustomImageList)
 public:
  explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};
