#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "preview/view_projection.h"
#include "preview_test_files.h"

namespace preview {
namespace {

using preview_test::kFrontPoints;
using preview_test::ObtText;
using preview_test::RecordingFeedback;
using preview_test::TempDir;
using preview_test::Triple;
using preview_test::WriteFile;

// One whole preview as the window runs it: load, draw when the load got
// through, close.
class WireframeTest : public ::testing::Test {
 protected:
  void Show(const std::string& content, int32_t width = 231,
            int32_t height = 177) {
    WriteFile(dir_.File("object.obt"), content);
    preview_.set_view_kind(kViewFront);
    preview_.PreviewLoader(dir_.File("object.obt"), width, height, feedback_);
    preview_.DrawWireframe(feedback_, [this] { feedback_.Repaint(); });
    preview_.ClosePreviewFile();
  }

  // Every caller looks at pixels, so a missing bitmap ends the test.
  const PreviewBitmap& Bitmap() const {
    if (!preview_.preview_bitmap()) throw std::logic_error("nothing drawn");
    return *preview_.preview_bitmap();
  }

  TempDir dir_;
  obt::PendingIoError pending_;
  Preview preview_{pending_};
  RecordingFeedback feedback_;
};

TEST_F(WireframeTest, DrawsEveryCorner) {
  Show(ObtText(kFrontPoints, {{0, 1, 3}, {1, 2, 4}}));
  ASSERT_EQ(preview_.preview_error(), kPreviewLoaded);
  const PreviewBitmap& bitmap = Bitmap();
  EXPECT_EQ(bitmap.width(), 231);
  EXPECT_EQ(bitmap.height(), 177);
  for (const auto& [column, row] : std::vector<std::pair<int, int>>{
           {0, 176}, {58, 118}, {172, 4}, {230, 176}, {115, 61}}) {
    EXPECT_TRUE(bitmap.IsBlack(column, row)) << column << "," << row;
  }
  EXPECT_FALSE(bitmap.IsBlack(0, 0));
  EXPECT_FALSE(bitmap.IsBlack(230, 0));
  EXPECT_FALSE(preview_.preview_file_open());
}

TEST_F(WireframeTest, GaugeStatusAndRepaintInOrder) {
  Show(ObtText(kFrontPoints, {{0, 1, 3}, {1, 2, 4}}));
  EXPECT_EQ(
      feedback_.calls,
      (std::vector<std::string>{
          "gauge 0", "max 4", "status Lade Punkte ...", "gauge 1", "gauge 2",
          "gauge 3", "gauge 4", "status Zeichne Dreiecke ...", "max 1",
          "gauge 0", "gauge 1", "repaint", "gauge 0", "status "}));
}

TEST_F(WireframeTest, NoTrianglesGiveAWhiteBitmap) {
  Show(ObtText({{5, 5, 5}}, {}));
  EXPECT_EQ(Bitmap().CountBlack(), 0);
  EXPECT_EQ(Bitmap().width(), 231);
  EXPECT_EQ(feedback_.calls,
            (std::vector<std::string>{"status Zeichne Dreiecke ...", "repaint",
                                      "gauge 0", "status "}));
}

// A triangle that names a point this load did not read is left out, even
// when an earlier load filled that entry of the table.
TEST_F(WireframeTest, TrianglesNamingNoLoadedPointAreLeftOut) {
  Show(ObtText(kFrontPoints, {{0, 1, 3}}));
  const int64_t drawn = Bitmap().CountBlack();
  ASSERT_GT(drawn, 0);

  const std::vector<Triple> three = {kFrontPoints[0], kFrontPoints[1],
                                     kFrontPoints[3]};
  const std::vector<std::vector<Triple>> outside = {
      {{0, 1, 3}},     {{-1, 0, 1}},         {{0, 1, 20000}},
      {{0, 1, 20001}}, {{0, 2147483647, 1}}, {{-2147483647 - 1, 0, 1}},
  };
  for (const auto& triangles : outside) {
    SCOPED_TRACE(triangles[0][0]);
    Show(ObtText(three, triangles));
    EXPECT_EQ(Bitmap().CountBlack(), 0);
  }
  // Left out one by one among drawn ones.
  Show(ObtText(three, {{-1, 0, 1}, {0, 1, 2}, {5, 0, 1}}));
  EXPECT_EQ(Bitmap().CountBlack(), drawn);
}

// Past the end of the file the missing triangles read as 0 0 0 and draw
// nothing; a short file claiming two billion of them ends at once.
TEST_F(WireframeTest, DrawingStopsAtTheEndOfTheFile) {
  std::string text = ObtText(kFrontPoints, {{0, 1, 3}});
  text.replace(text.find("\r\n1\r\n0 1 3"), 3, "\r\n2000000000\r\n");
  Show(text);
  ASSERT_EQ(preview_.preview_error(), kPreviewLoaded);
  EXPECT_EQ(preview_.last_triangle_index(), 1999999999);
  EXPECT_GT(Bitmap().CountBlack(), 0);
  EXPECT_EQ(feedback_.calls.back(), "status ");
}

TEST_F(WireframeTest, NoPointsDrawNothing) {
  for (const std::string count : {"0", "-1", "-2147483648"}) {
    SCOPED_TRACE(count);
    Show(ObtText(kFrontPoints, {{0, 1, 3}}));
    // The one point read anyway comes from the line after the count; the
    // other entries hold the earlier load's pixels.
    Show("QZ_OBT\r\n2.000000\r\n" + count +
         "\r\n9 0 9\r\n2\r\n0 1 3 0\r\n2 3 4 0\r\n");
    ASSERT_EQ(preview_.preview_error(), kPreviewLoaded);
    ASSERT_EQ(preview_.last_triangle_index(), 1);
    EXPECT_EQ(Bitmap().CountBlack(), 0);
  }
}

TEST_F(WireframeTest, FailedLoadKeepsThePicture) {
  Show(ObtText(kFrontPoints, {{0, 1, 3}}));
  const PreviewBitmap* before = preview_.preview_bitmap();
  ASSERT_NE(before, nullptr);
  const int64_t drawn = before->CountBlack();
  feedback_.calls.clear();

  Show("QZ_OBT\r\n9.000000\r\n");
  EXPECT_EQ(preview_.preview_error(), kPreviewNotObt);
  EXPECT_EQ(preview_.preview_bitmap(), before);
  EXPECT_EQ(before->CountBlack(), drawn);
  EXPECT_TRUE(feedback_.calls.empty());
}

// Every drawing starts from a white bitmap of the box's size.
TEST_F(WireframeTest, EachDrawingReplacesTheBitmap) {
  Show(ObtText(kFrontPoints, {{0, 1, 3}}));
  Show(ObtText(kFrontPoints, {}), 40, 30);
  EXPECT_EQ(Bitmap().width(), 40);
  EXPECT_EQ(Bitmap().height(), 30);
  EXPECT_EQ(Bitmap().CountBlack(), 0);
}

// With an even box the fit reaches one pixel past the right and bottom
// edges; those pixels are clipped.
TEST_F(WireframeTest, EvenBoxClipsTheFarEdges) {
  Show(ObtText(kFrontPoints, {{0, 3, 2}}), 230, 176);
  ASSERT_EQ(preview_.preview_point_table()[3], (PreviewPoint{230, 176}));
  const PreviewBitmap& bitmap = Bitmap();
  EXPECT_TRUE(bitmap.IsBlack(172, 4));
  EXPECT_TRUE(bitmap.IsBlack(1, 175));
  EXPECT_TRUE(bitmap.IsBlack(229, 173));
}

}  // namespace
}  // namespace preview
