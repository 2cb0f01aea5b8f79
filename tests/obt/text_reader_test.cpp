#include "obt/text_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "obt/io_error.h"
#include "obt/pending_io_error.h"
#include "obt/vector_digits.h"
#include "test_files.h"

namespace obt_test {
namespace {

// The reader takes the file in pieces of this size; tokens and line ends
// that straddle a piece's end are the cases worth checking.
constexpr std::size_t kReaderPiece = 256 * 1024;

// In the contents below, \032 is the byte 0x1A that ends the input and
// \177 is DEL, the one byte past the blank that is no separator.

// A malformed token: its value is not fixed, only the error 106.
constexpr std::optional<int32_t> kBad = std::nullopt;

// A reader on a file that holds `content`; throws when it does not open.
struct OpenText {
  explicit OpenText(const std::string& content) {
    WriteFile(dir.File("in.obt"), content);
    if (reader.OpenForReading(dir.File("in.obt")) != 0) {
      throw std::runtime_error("cannot open in.obt");
    }
  }

  TempDir dir;
  obt::PendingIoError pending;
  obt::TextReader reader{pending};
};

struct NumberCase {
  std::string name;
  std::string content;
  std::vector<std::optional<int32_t>> numbers;
};

// Reads the expected count of numbers (and two more, which must be the end
// of input) and checks each value and the error it leaves.
void ExpectNumbers(const NumberCase& c) {
  SCOPED_TRACE(c.name);
  OpenText in(c.content);
  for (std::size_t i = 0; i < c.numbers.size(); ++i) {
    const int32_t value = in.reader.ReadNumber();
    const int error = in.pending.TakeIoError();
    if (c.numbers[i]) {
      EXPECT_EQ(value, *c.numbers[i]) << "number " << i;
      EXPECT_EQ(error, 0) << "number " << i;
    } else {
      EXPECT_EQ(error, obt::kIoInvalidNumber) << "number " << i;
    }
  }
  for (int extra = 0; extra < 2; ++extra) {
    EXPECT_EQ(in.reader.ReadNumber(), 0) << "past the end";
    EXPECT_EQ(in.pending.TakeIoError(), 0) << "past the end";
  }
}

TEST(ReadNumberTest, TokenRules) {
  const std::vector<NumberCase> cases = {
      {"signs and zeros", "+7 007 $1A -0", {7, 7, 26, 0}},
      {"hex pattern", "$FFFFFFFF\r\n$000000001 $7fffffff", {-1, 1, INT32_MAX}},
      {"nine hex digits", "$100000000 5", {kBad, 5}},
      {"lone signs", "- + 5", {kBad, kBad, 5}},
      {"sign before dollar", "-$5 6", {kBad, 6}},
      {"lone dollar", "$ 1", {kBad, 1}},
      {"range", "2147483648 -2147483648", {kBad, INT32_MIN}},
      {"commas go on", "1,2,3 4", {kBad, 4}},
      {"decimal point goes on", "1.5\r\n9", {kBad, 9}},
      {"36 zeros then 1234", std::string(36, '0') + "1234", {0, 1234}},
      {"cut exactly at 32", std::string(32, '0') + "-5", {0, -5}},
      {"cut inside digits", std::string(31, '0') + "12", {1, 2}},
      {"cut leaves a bad rest", std::string(32, '1') + "x", {kBad, kBad}},
      {"DEL is no separator", "\1777 8", {kBad, 8}},
      {"empty file", "", {}},
      {"only separators", " \t\r\n\r\n  \n", {}},
      {"lone sign at the end", "3 -", {3, kBad}},
      {"nine and ten digits",
       "-123456789 1234567890 -2147483647",
       {-123456789, 1234567890, -2147483647}},
      {"letter after nine digits", "123456789x 1", {kBad, 1}},
      {"digits up to the end", "7 999999999", {7, 999999999}},
  };
  for (const NumberCase& c : cases) ExpectNumbers(c);
}

TEST(ReadNumberTest, SeparatorsIncludeEveryControlByte) {
  std::string content;
  for (int byte = 0; byte <= 0x20; ++byte) {
    if (byte == 0x1A) continue;
    content += std::to_string(byte);
    content += static_cast<char>(byte);
  }
  std::vector<std::optional<int32_t>> numbers;
  for (int byte = 0; byte <= 0x20; ++byte) {
    if (byte != 0x1A) numbers.push_back(byte);
  }
  ExpectNumbers({"control bytes", content, numbers});
}

TEST(ReadNumberTest, InputEndsAtTheFirstEofByte) {
  const std::vector<NumberCase> cases = {
      {"between numbers", "1 2\032 3 4", {1, 2}},
      {"ends a token", "12\03234", {12}},
      {"first byte", "\0325", {}},
      {"after separators", " \r\n\032\r\n7", {}},
  };
  for (const NumberCase& c : cases) ExpectNumbers(c);
}

TEST(ReadNumberTest, TokensStraddlingTheReadersPieces) {
  const std::string pad_to_edge(kReaderPiece - 4, ' ');
  const std::vector<NumberCase> cases = {
      {"token across the edge", pad_to_edge + "123456789 $1A", {123456789, 26}},
      {"cut run across the edge",
       std::string(kReaderPiece - 14, '\n') + std::string(36, '0') + "1234",
       {0, 1234}},
      {"token right after the edge",
       std::string(kReaderPiece, '\t') + "-77",
       {-77}},
      {"malformed across the edge", pad_to_edge + "12,34 5", {kBad, 5}},
      {"eof byte in the next piece",
       pad_to_edge + "99 " + std::string(10, ' ') + "\0325",
       {99}},
  };
  for (const NumberCase& c : cases) ExpectNumbers(c);
}

TEST(ReadNumberTest, ManyRecordsAcrossPiecesKeepTheirValues) {
  std::string text;
  int lines = 0;
  while (text.size() < 2 * kReaderPiece + 1000) {
    text +=
        std::to_string(lines) + " -" + std::to_string(lines) + " $" + "FF\r\n";
    ++lines;
  }
  OpenText in(text);
  for (int i = 0; i < lines; ++i) {
    ASSERT_EQ(in.reader.ReadNumber(), i);
    ASSERT_EQ(in.reader.ReadNumber(), -i);
    ASSERT_EQ(in.reader.ReadNumber(), 255);
    in.reader.SkipToNextLine();
  }
  EXPECT_EQ(in.reader.ReadNumber(), 0);
  EXPECT_EQ(in.pending.TakeIoError(), 0);
}

struct LineCase {
  std::string name;
  std::string content;
  std::vector<std::string> lines;  // each read, then skipped
};

TEST(ReadLineTextTest, LineEnds) {
  const std::vector<LineCase> cases = {
      {"CR LF", "ab\r\ncd\r\n", {"ab", "cd", ""}},
      {"lone CR", "ab\rcd\r", {"ab", "cd", ""}},
      {"lone LF is a byte", "ab\ncd\r\nef", {"ab\ncd", "ef"}},
      {"LF-only file is one line",
       "QZ_OBT\n2.000000\n",
       {"QZ_OBT\n2.000000\n"}},
      {"CR CR LF", "ab\r\r\ncd", {"ab", "", "cd"}},
      {"LF CR", "ab\n\rcd", {"ab\n", "cd"}},
      {"eof byte ends the line", "ab\032cd\r\nef", {"ab", "", ""}},
      {"CR LF split by the edge",
       std::string(kReaderPiece - 1, 'a') + "\r\nnext\r\n",
       {std::string(kReaderPiece - 1, 'a'), "next", ""}},
      {"line across the edge",
       "x\r\n" + std::string(kReaderPiece, 'b') + "\rend",
       {"x", std::string(kReaderPiece, 'b'), "end"}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.name);
    OpenText in(c.content);
    for (const std::string& line : c.lines) {
      EXPECT_EQ(in.reader.ReadLineText(), line);
      in.reader.SkipToNextLine();
    }
    EXPECT_EQ(in.pending.TakeIoError(), 0);
  }
}

TEST(ReadLineTextTest, LimitAndLineEndLeftUnread) {
  OpenText in("abcdef\r\nxy\r\n5");
  obt::TextReader& reader = in.reader;
  EXPECT_EQ(reader.ReadLineText(3), "abc");
  EXPECT_EQ(reader.ReadLineText(), "def");
  EXPECT_EQ(reader.ReadLineText(), "");  // still in front of the CR
  reader.SkipToNextLine();
  EXPECT_EQ(reader.ReadLineText(), "xy");
  reader.SkipToNextLine();
  EXPECT_EQ(reader.ReadNumber(), 5);
}

TEST(TextReaderTest, OpenAndCloseFailuresSetThePendingCode) {
  TempDir dir;
  obt::PendingIoError pending;
  obt::TextReader reader(pending);
  EXPECT_EQ(reader.OpenForReading(dir.File("missing.obt")), ENOENT);
  EXPECT_EQ(pending.TakeIoError(), obt::kIoFileNotFound);
  EXPECT_EQ(reader.ReadNumber(), 0);
  EXPECT_EQ(reader.OpenForReading(dir.path()), EISDIR);
  EXPECT_EQ(pending.TakeIoError(), obt::kIoAccessDenied);
  reader.CloseTextFile();
  EXPECT_EQ(pending.TakeIoError(), obt::kIoFileNotOpen);
}

// Random lines of common and strange tokens, separators and line ends, some
// longer than the one-pass reader looks at, over more than two pieces.
std::string MixedLines(unsigned seed) {
  static const std::vector<std::string> kTokens = {
      "0",          "7",
      "-7",         "123456789",
      "-123456789", "1234567890",
      "-",          "--1",
      "$1F",        "+5",
      "1e3",        "x",
      "12,5",       "00000000000000000000000000000000000001",
      "\177",       "2147483648",
      "12345678",   "-12345678",
      "1-2",        "-0",
      "5-",         "\200"};
  static const std::vector<std::string> kGaps = {" ",  " ",  " ",    "\t",
                                                 "  ", "\n", "\001", " \r\n "};
  static const std::vector<std::string> kEnds = {"\r\n", "\r\n", "\r\n",
                                                 "\r",   "\n",   "\r\r\n"};
  std::mt19937 random(seed);
  const auto pick = [&random](const std::vector<std::string>& from) {
    return from[random() % from.size()];
  };
  std::string text;
  while (text.size() < 2 * kReaderPiece + 5000) {
    const int tokens = static_cast<int>(random() % 7);
    for (int i = 0; i < tokens; ++i) {
      if (i > 0 || random() % 4 == 0) text += pick(kGaps);
      // Mostly common numbers, as in real files.
      text += random() % 3 != 0
                  ? std::to_string(static_cast<int>(random()) % 100000)
                  : pick(kTokens);
    }
    if (random() % 50 == 0) text += std::string(140, ' ') + "9";
    text += pick(kEnds);
  }
  return text;
}

// Reading a line of numbers at once must give what reading them one by one
// and skipping to the next line gives: the same values, the same errors,
// the same place afterwards.
// Chooses the loops of the readers and writers; only x86-64 has vector
// ones.
void AllowVectors(bool allowed) {
#if defined(__x86_64__)
  obt::vector_digits::AllowVectors(allowed);
#else
  static_cast<void>(allowed);
#endif
}

template <std::size_t kCount>
void ExpectLinesReadAsNumbers(const std::string& text) {
  OpenText at_once(text);
  OpenText one_by_one(text);
  ASSERT_FALSE(one_by_one.reader.AtEndOfInput());
  for (int line = 0; !one_by_one.reader.AtEndOfInput(); ++line) {
    std::array<int32_t, kCount> values{};
    at_once.reader.ReadNumberLine(values);
    std::array<int32_t, kCount> expected{};
    for (int32_t& value : expected) value = one_by_one.reader.ReadNumber();
    one_by_one.reader.SkipToNextLine();
    ASSERT_EQ(values, expected) << "line " << line;
    ASSERT_EQ(at_once.pending.TakeIoError(), one_by_one.pending.TakeIoError())
        << "line " << line;
    ASSERT_EQ(at_once.reader.line_number(), one_by_one.reader.line_number())
        << "line " << line;
  }
  EXPECT_TRUE(at_once.reader.AtEndOfInput());
}

TEST(ReadNumberLineTest, ReadsWhatNumbersOneByOneAndASkipRead) {
  for (const auto& [seed, vectors] :
       {std::pair{1u, true}, {2u, true}, {3u, true}, {1u, false}}) {
    SCOPED_TRACE(seed);
    SCOPED_TRACE(vectors ? "vector loops where the processor has them"
                         : "plain loops");
    AllowVectors(vectors);
    const std::string text = MixedLines(seed);
    ExpectLinesReadAsNumbers<3>(text);
    ExpectLinesReadAsNumbers<4>(text);
    // The same ended early by the end-of-input byte.
    ExpectLinesReadAsNumbers<4>(text.substr(0, text.size() / 2) + "\032" +
                                text);
  }
  AllowVectors(true);
}

}  // namespace
}  // namespace obt_test
