// What a line format that throws leaves: the exception on the caller's
// thread, whichever thread formatted the block, and the old target.
#include "obt/text_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "support/temp_dir.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// Two lines a block, so that six lines make three blocks: 0 and 2 on the
// calling thread, 1 on the helper.
constexpr std::size_t kLongestLine = std::size_t{1} << 20;
constexpr std::size_t kLines = 6;

TEST(TextWriterTest, AThrowingFormatEndsTheLinesAndKeepsTheTarget) {
  for (const std::size_t throwing_line : {0, 2, 4}) {
    SCOPED_TRACE(throwing_line);
    const TempDir dir;
    const std::string target = dir.File("t.obt");
    WriteFile(target, "old\r\n");
    obt::PendingIoError pending;
    obt::TextWriter writer(pending);
    ASSERT_EQ(writer.OpenForWriting(target), 0);
    const obt::LineBlockFormat format = [&](std::size_t first, std::size_t end,
                                            char* out) {
      if (first <= throwing_line && throwing_line < end) {
        throw std::runtime_error("no line");
      }
      for (std::size_t line = first; line < end; ++line) {
        std::memcpy(out, "0\r\n", 3);
        out += 3;
      }
      return out;
    };
    EXPECT_THROW(writer.WriteLines(kLines, kLongestLine, format),
                 std::runtime_error);
    writer.CloseTextFile();
    EXPECT_EQ(ReadFile(target), "old\r\n");
  }
}

}  // namespace
