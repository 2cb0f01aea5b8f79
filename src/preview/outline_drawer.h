#ifndef OBTMIRROR_PREVIEW_OUTLINE_DRAWER_H_
#define OBTMIRROR_PREVIEW_OUTLINE_DRAWER_H_

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "preview/preview.h"
#include "preview/preview_bitmap.h"
#include "work/background.h"

namespace preview {

// Draws the outlines of triangles into a bitmap, on this thread and, for
// many triangles, on a helper thread that draws into a bitmap of its own.
// A pixel is black when any line covers it, whichever line came first, so
// the two bitmaps merged are the bitmap of all the lines drawn in order.
// While the helper draws a batch, this thread reads the next.
class OutlineDrawer {
 public:
  // `helped`: whether to share the work (worth it for many triangles); a
  // helper thread that cannot be started leaves all of it to this thread.
  OutlineDrawer(PreviewBitmap& bitmap, bool helped);
  ~OutlineDrawer();
  OutlineDrawer(const OutlineDrawer&) = delete;
  OutlineDrawer& operator=(const OutlineDrawer&) = delete;

  // The outline a, b, c, a.
  void Add(const PreviewPoint& a, const PreviewPoint& b,
           const PreviewPoint& c) {
    batch_.push_back({a, b, c});
    if (batch_.size() == kBatchSize) HandOver();
  }

  // Draws what is left and merges the helper's bitmap into this one.
  void Finish();

 private:
  struct Outline {
    PreviewPoint a;
    PreviewPoint b;
    PreviewPoint c;
  };
  static constexpr std::size_t kBatchSize = 4096;

  static void Draw(PreviewBitmap& bitmap, const std::vector<Outline>& batch);
  // Gives the full batch to the helper when it is idle, or queues it when
  // the queue is free; else draws it here.
  void HandOver();
  void HelperLoop();
  void StopHelper();

  PreviewBitmap& bitmap_;
  std::vector<Outline> batch_;

  std::unique_ptr<PreviewBitmap> helper_bitmap_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_: the helper's batch, full while it has work, and the
  // one it takes next, so that a batch that draws slowly does not leave
  // the next to this thread, which reads.
  std::vector<Outline> helper_batch_;
  std::vector<Outline> queued_batch_;
  bool helper_busy_ = false;
  bool stopping_ = false;
  // Declared last: it ends before what it works on goes.
  work::Background helper_;
};

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_OUTLINE_DRAWER_H_
