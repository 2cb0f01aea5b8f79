#include "preview/outline_drawer.h"

#include <utility>

namespace preview {

OutlineDrawer::OutlineDrawer(PreviewBitmap& bitmap, bool helped)
    : bitmap_(bitmap) {
  batch_.reserve(kBatchSize);
  if (!helped) return;
  helper_bitmap_ =
      std::make_unique<PreviewBitmap>(bitmap.width(), bitmap.height());
  helper_batch_.reserve(kBatchSize);
  queued_batch_.reserve(kBatchSize);
  // No thread to be had: slower, but the same pixels.
  if (!helper_.Start([this] { HelperLoop(); })) helper_bitmap_.reset();
}

OutlineDrawer::~OutlineDrawer() { StopHelper(); }

void OutlineDrawer::Draw(PreviewBitmap& bitmap,
                         const std::vector<Outline>& batch) {
  for (const Outline& o : batch) {
    bitmap.MoveTo(o.a.column, o.a.row);
    bitmap.LineTo(o.b.column, o.b.row);
    bitmap.LineTo(o.c.column, o.c.row);
    bitmap.LineTo(o.a.column, o.a.row);
  }
}

void OutlineDrawer::HandOver() {
  if (helper_.Started()) {
    std::unique_lock lock(mutex_);
    if (!helper_busy_) {
      helper_batch_.swap(batch_);
      helper_busy_ = true;
      lock.unlock();
      changed_.notify_all();
      batch_.clear();
      return;
    }
    if (queued_batch_.empty()) {
      queued_batch_.swap(batch_);
      batch_.clear();
      return;
    }
  }
  Draw(bitmap_, batch_);
  batch_.clear();
}

void OutlineDrawer::HelperLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return helper_busy_ || stopping_; });
    if (!helper_busy_) return;
    lock.unlock();
    Draw(*helper_bitmap_, helper_batch_);
    lock.lock();
    if (!queued_batch_.empty()) {
      helper_batch_.swap(queued_batch_);
      queued_batch_.clear();
      continue;
    }
    helper_busy_ = false;
    changed_.notify_all();
  }
}

void OutlineDrawer::StopHelper() {
  if (!helper_.Started()) return;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !helper_busy_; });
    stopping_ = true;
  }
  changed_.notify_all();
  helper_.Wait();
}

void OutlineDrawer::Finish() {
  Draw(bitmap_, batch_);
  batch_.clear();
  StopHelper();
  if (helper_bitmap_) {
    bitmap_.MergeFrom(*helper_bitmap_);
    helper_bitmap_.reset();
  }
}

}  // namespace preview
