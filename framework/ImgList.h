#pragma once
#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/Graphics.h"

class TCustomImageList;

// A holder's ear on an image list: OnChange runs, with the list as sender, after every change
// of the list while the link is registered with it.
class TChangeLink {
 public:
  TChangeLink() = default;
  ~TChangeLink();
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;

  // The list the link is registered with, or nullptr.
  TCustomImageList* Sender() const { return sender_; }
  TNotifyEvent OnChange;

 private:
  friend class TCustomImageList;
  TCustomImageList* sender_ = nullptr;
};

// Images of one size, kept as copies, addressed by index from 0.
class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;
  const char* ClassName() const override { return "TCustomImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new image size empties the list.
  void SetSize(int width, int height);
  int Count() const { return static_cast<int>(images_.size()); }

  // Appends a copy of `image` (of the list's size, else "Invalid image size"); returns its index.
  int Add(TBitmap& image);
  void Replace(int index, TBitmap& image);
  void Delete(int index);
  void Clear();
  // Copies image `index` into `image` (transparent, keyed on its bottom-left pixel); an index out
  // of range fails with "Image index out of range".
  void GetBitmap(int index, TBitmap& image);

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  TNotifyEvent OnChange;

 protected:
  // Tells OnChange and every registered link.
  void Change();

 private:
  void CheckIndex(int index) const;
  void CheckSize(TBitmap& image) const;

  int width_ = 16, height_ = 16;
  std::vector<std::unique_ptr<TBitmap>> images_;
  std::vector<TChangeLink*> links_;  // borrowed
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
  const char* ClassName() const override { return "TImageList"; }
};
