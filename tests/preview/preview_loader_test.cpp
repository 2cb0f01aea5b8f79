#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "obt/io_error.h"
#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "preview/view_projection.h"
#include "preview_test_files.h"
#include "work/feedback.h"

namespace preview {
namespace {

using preview_test::ObtText;
using preview_test::RecordingFeedback;
using preview_test::TempDir;
using preview_test::Triple;
using preview_test::WriteFile;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// One preview object on files in a temporary directory, with the window's
// box of 231 x 177.
class PreviewLoaderTest : public ::testing::Test {
 protected:
  void Load(const std::string& content, int32_t view_kind = kViewFront) {
    WriteFile(dir_.File("object.obt"), content);
    preview_.set_view_kind(view_kind);
    preview_.PreviewLoader(dir_.File("object.obt"), 231, 177, feedback_);
  }

  std::vector<PreviewPoint> LoadedPoints() const {
    const auto table = preview_.preview_point_table();
    return {table.begin(), table.begin() + preview_.last_point_index() + 1};
  }

  TempDir dir_;
  obt::PendingIoError pending_;
  Preview preview_{pending_};
  RecordingFeedback feedback_;
};

struct HeaderCase {
  std::string name;
  std::string header;  // the first two lines, with their line ends
  uint8_t error;
};

TEST_F(PreviewLoaderTest, HeaderLeniency) {
  const std::string rest = "1\r\n1 2 3\r\n0\r\n";
  const std::vector<HeaderCase> cases = {
      {"plain", "QZ_OBT\r\n2.000000\r\n", kPreviewLoaded},
      {"version 1", "QZ_OBT\r\n1.000000\r\n", kPreviewLoaded},
      {"text after the magic", "QZ_OBT version\r\n2.000000\r\n",
       kPreviewLoaded},
      {"magic twice", "QZ_OBTQZ_OBT\r\n2.000000\r\n", kPreviewLoaded},
      {"text after the version", "QZ_OBT\r\n1.0000009 x\r\n", kPreviewLoaded},
      {"lone CR line ends", "QZ_OBT\r2.000000\r", kPreviewLoaded},
      {"five characters", "QZ_OB\r\n2.000000\r\n", kPreviewNotObt},
      {"lower case", "qz_obt\r\n2.000000\r\n", kPreviewNotObt},
      {"leading blank", " QZ_OBT\r\n2.000000\r\n", kPreviewNotObt},
      {"short version", "QZ_OBT\r\n2.00000\r\n", kPreviewNotObt},
      {"version 2.0", "QZ_OBT\r\n2.0\r\n", kPreviewNotObt},
      {"other digits", "QZ_OBT\r\n3.000000\r\n", kPreviewNotObt},
      {"blank before the version", "QZ_OBT\r\n 1.000000\r\n", kPreviewNotObt},
      // Without CR the first line runs to the end of the file.
      {"LF line ends", "QZ_OBT\n2.000000\n", kPreviewNotObt},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.header + rest);
    EXPECT_EQ(preview_.preview_error(), c.error);
    // A rejected file is closed at once.
    EXPECT_EQ(preview_.preview_file_open(), c.error == kPreviewLoaded);
    preview_.ClosePreviewFile();
  }
  Load("");
  EXPECT_EQ(preview_.preview_error(), kPreviewNotObt);
  EXPECT_FALSE(preview_.preview_file_open());
}

TEST_F(PreviewLoaderTest, PathsThatCannotBeOpened) {
  for (const std::string& path :
       {std::string(), dir_.File("missing.obt"), dir_.path()}) {
    SCOPED_TRACE(path);
    pending_.Set(obt::kIoInvalidNumber);  // left by earlier work
    preview_.PreviewLoader(path, 231, 177, feedback_);
    EXPECT_EQ(preview_.preview_error(), kPreviewNotOpened);
    EXPECT_FALSE(preview_.preview_file_open());
    EXPECT_EQ(pending_.Peek(), 0);
  }
  EXPECT_TRUE(feedback_.calls.empty());
}

TEST_F(PreviewLoaderTest, PointLimit) {
  std::vector<Triple> points(20001, Triple{1, 2, 3});
  points.back() = {5, 0, 9};
  Load(ObtText(points, {{0, 1, 2}, {3, 4, 5}}));
  ASSERT_EQ(preview_.preview_error(), kPreviewLoaded);
  EXPECT_EQ(preview_.last_point_index(), 20000);
  EXPECT_EQ(preview_.last_triangle_index(), 1);
  // z spans 6 and x 4: the height sets the scale, 176 / 6.
  EXPECT_EQ(preview_.preview_point_table()[20000], (PreviewPoint{117, 0}));
  preview_.ClosePreviewFile();
  const std::vector<PreviewPoint> before = LoadedPoints();

  points.push_back({7, 7, 7});
  Load(ObtText(points, {}));
  EXPECT_EQ(preview_.preview_error(), kPreviewTooManyPoints);
  EXPECT_EQ(preview_.last_point_index(), 20001);
  EXPECT_FALSE(preview_.preview_file_open());
  // The table is as the earlier load left it.
  const auto table = preview_.preview_point_table();
  EXPECT_TRUE(std::equal(before.begin(), before.end(), table.begin()));
}

struct FitCase {
  std::string name;
  int32_t view_kind;
  std::vector<Triple> points;
  std::vector<PreviewPoint> pixels;
  Extended scale;
};

TEST_F(PreviewLoaderTest, FitsIntoTheBox) {
  const std::vector<FitCase> cases = {
      {"one point", kView3D, {{100, 50, 20}}, {{0, 176}}, 1},
      {"same v: not enlarged",
       kViewFront,
       {{0, 0, 5}, {10, 0, 5}, {20, 0, 5}},
       {{0, 176}, {10, 176}, {20, 176}},
       1},
      {"front view: 57.5 rounds up, 172.5 down",
       kViewFront,
       {{0, 0, 0}, {1, 0, 1}, {3, 0, 3}, {4, 0, 0}, {2, 0, 2}},
       {{0, 176}, {58, 118}, {172, 4}, {230, 176}, {115, 61}},
       57.5L},
      {"scale 2.3",
       kViewFront,
       {{0, 0, 0}, {100, 0, 50}},
       {{0, 176}, {230, 61}},
       Real6::FromExtended(2.3L).ToExtended()},
      {"oblique view, anchored bottom left",
       kView3D,
       {{0, 0, 0}, {0, 10, 0}, {10, 0, 0}},
       {{95, 176}, {0, 81}, {230, 176}},
       Real6::FromExtended(230.0L / 17).ToExtended()},
      {"top view",
       kViewTop,
       {{-5, -5, 99}, {5, 5, -99}},
       {{0, 176}, {176, 0}},
       Real6::FromExtended(176.0L / 10).ToExtended()},
      // Extents beyond 32 bits: u runs from kMin + 115 to kMax (saturated).
      {"u across the 32-bit range",
       kViewFront,
       {{kMin, 0, 0}, {kMax, 0, 0}, {0, 0, 0}},
       {{0, 176}, {230, 176}, {115, 176}},
       Real6::FromExtended(230.0L / (int64_t{kMax} - (kMin + 115)))
           .ToExtended()},
      {"v across the 32-bit range",
       kViewRight,
       {{0, 0, kMax}, {0, 0, kMin}},
       {{0, 0}, {0, 176}},
       Real6::FromExtended(176.0L / (int64_t{kMax} - (kMin + 88)))
           .ToExtended()},
      {"oblique view at the range ends",
       kView3D,
       {{kMax, kMin, 0}, {kMin, kMax, kMin}, {0, 0, 0}},
       {{230, 176}, {0, 94}, {115, 95}},
       Real6::FromExtended(230.0L / (int64_t{kMax} - kMin)).ToExtended()},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    Load(ObtText(c.points, {}), c.view_kind);
    ASSERT_EQ(preview_.preview_error(), kPreviewLoaded);
    EXPECT_EQ(LoadedPoints(), c.pixels);
    EXPECT_EQ(preview_.preview_scale().ToExtended(), c.scale);
    EXPECT_EQ(preview_.last_triangle_index(), -1);
    EXPECT_TRUE(preview_.preview_file_open());
    preview_.ClosePreviewFile();
    EXPECT_FALSE(preview_.preview_file_open());
  }
}

TEST_F(PreviewLoaderTest, GaugeAndStatusWhileLoading) {
  Load(ObtText({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, {}));
  EXPECT_EQ(feedback_.calls, (std::vector<std::string>{"gauge 0", "max 2",
                                                       "status Lade Punkte ...",
                                                       "gauge 1", "gauge 2"}));
  preview_.ClosePreviewFile();

  // A single point needs no gauge.
  feedback_.calls.clear();
  Load(ObtText({{0, 0, 0}}, {}));
  EXPECT_TRUE(feedback_.calls.empty());
}

struct CountCase {
  std::string name;
  std::string body;  // everything after the header
  int32_t last_point_index;
  int32_t last_triangle_index;
};

// Counts are not checked against the lines that follow: the loader reads
// what stands where it expects it, and 0 past the end of the file.
TEST_F(PreviewLoaderTest, CountsAsRead) {
  const std::vector<CountCase> cases = {
      {"triangles", "2\r\n1 1 1\r\n2 2 2\r\n3\r\n", 1, 2},
      {"extra text on the count lines", "1 x\r\n1 1 1 9 9\r\n2 y\r\n", 0, 1},
      {"truncated file", "3\r\n1 1 1\r\n", 2, -1},
      // One point is read even so; the triangle count is the line after it.
      {"no points", "0\r\n5\r\n6 7 8 9\r\n4\r\n", -1, 3},
      {"negative point count", "-7\r\n1 2 3\r\n2\r\n", -8, 1},
      {"smallest point count", "-2147483648\r\n1 2 3\r\n2\r\n", kMin, 1},
      {"smallest triangle count", "1\r\n1 2 3\r\n-2147483648\r\n", 0, kMin},
      {"largest triangle count", "1\r\n1 2 3\r\n2147483647\r\n", 0, kMax - 1},
      {"malformed numbers read as 0", "2\r\n1,2,3\r\n4 5 6\r\nx\r\n", 1, -1},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.name);
    Load("QZ_OBT\r\n2.000000\r\n" + c.body);
    EXPECT_EQ(preview_.preview_error(), kPreviewLoaded);
    EXPECT_EQ(preview_.last_point_index(), c.last_point_index);
    EXPECT_EQ(preview_.last_triangle_index(), c.last_triangle_index);
    preview_.ClosePreviewFile();
  }
}

TEST_F(PreviewLoaderTest, InitPreviewResetsErrorAndView) {
  preview_.set_view_kind(kViewRight);
  Load("nothing");
  ASSERT_EQ(preview_.preview_error(), kPreviewNotObt);
  preview_.InitPreview();
  EXPECT_EQ(preview_.preview_error(), kPreviewLoaded);
  EXPECT_EQ(preview_.view_kind(), kView3D);
  // Nothing is open, so closing has nothing to report.
  preview_.ClosePreviewFile();
  EXPECT_EQ(pending_.Peek(), 0);
}

}  // namespace
}  // namespace preview
