// The item strings of list controls and memos, kept in the Qt widget (sources only).
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "host/core/Classes.h"

// What a widget offers for its items.
class TQelItemBackend {
 public:
  virtual ~TQelItemBackend() = default;
  virtual int Count() const = 0;
  virtual QString Get(int AIndex) const = 0;
  virtual void Put(int AIndex, const QString& S) = 0;
  virtual void Insert(int AIndex, const QString& S) = 0;
  virtual void Delete(int AIndex) = 0;
  virtual void Clear() = 0;
};

class TQtItemStrings final : public TStrings {
 public:
  explicit TQtItemStrings(std::unique_ptr<TQelItemBackend> ABackend) : FBackend(std::move(ABackend)) {}
  String Get(int AIndex) const override;
  int GetCount() const override { return FBackend->Count(); }
  TObject* GetObject(int AIndex) const override;
  void Put(int AIndex, const String& S) override;
  void PutObject(int AIndex, TObject* AObject) override;
  void Insert(int AIndex, const String& S) override;
  void InsertObject(int AIndex, const String& S, TObject* AObject) override;
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Delete(int AIndex) override;
  void Clear() override;
  bool GetSorted() const { return FSorted; }
  // Sorting puts the items in order now and keeps new ones in place.
  void SetSorted(bool AValue);
  TNotifyEvent OnChange;

 private:
  void Check(int AIndex, bool AInsert = false) const;
  void Changed() { OnChange(this); }

  std::unique_ptr<TQelItemBackend> FBackend;
  std::vector<TObject*> FObjects;
  bool FSorted = false;
};
