#include "framework/ImgList.h"

#include <algorithm>

#include "framework/Exception.h"

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
  RemoveFreeNotifications();  // while holders can still tell what is going
  for (TChangeLink* link : links_) link->sender_ = nullptr;
  links_.clear();
}

void TCustomImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  if (width <= 0 || height <= 0) throw Exception("Invalid image size");
  width_ = width;
  height_ = height;
  images_.clear();
  Change();
}

void TCustomImageList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw Exception("Image index out of range");
}

void TCustomImageList::CheckSize(TBitmap& image) const {
  if (image.Width() != width_ || image.Height() != height_) throw Exception("Invalid image size");
}

int TCustomImageList::Add(TBitmap& image) {
  CheckSize(image);
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(image);
  images_.push_back(std::move(copy));
  Change();
  return Count() - 1;
}

void TCustomImageList::Replace(int index, TBitmap& image) {
  CheckIndex(index);
  CheckSize(image);
  images_[static_cast<std::size_t>(index)]->Assign(image);
  Change();
}

void TCustomImageList::Delete(int index) {
  CheckIndex(index);
  images_.erase(images_.begin() + index);
  Change();
}

void TCustomImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Change();
}

void TCustomImageList::GetBitmap(int index, TBitmap& image) {
  CheckIndex(index);
  image.Assign(*images_[static_cast<std::size_t>(index)]);
  image.SetTransparent(true);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ == this) return;
  if (link->sender_) link->sender_->UnRegisterChanges(link);
  links_.push_back(link);
  link->sender_ = this;
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ != this) return;
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
  link->sender_ = nullptr;
}

void TCustomImageList::Change() {
  if (OnChange) OnChange(this);
  // A copy: a holder may unregister in reaction.
  const auto links = links_;
  for (TChangeLink* link : links)
    if (link->sender_ == this && link->OnChange) link->OnChange(this);
}
