// The command believes nothing of what the reader process hands back that
// it has not checked.
#include "mesh/reader_result.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using mesh::ImportOutcome;
using Bytes = std::vector<std::byte>;

obt::ObtObject Triangle() {
  obt::ObtObject object;
  object.points = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}};
  object.triangles = {{0, 1, 2}};
  object.fourth_values = {7};
  return object;
}

Bytes Encoded(const ImportOutcome& outcome, const obt::ObtObject& object) {
  return mesh::EncodeReaderResult(outcome, object);
}

// The bytes in eight-byte words, as the mapping of the memory file is
// aligned, and what parsing them gives, which points into them.
struct Parsed {
  explicit Parsed(const Bytes& bytes) : words((bytes.size() + 7) / 8) {
    if (!bytes.empty()) std::memcpy(words.data(), bytes.data(), bytes.size());
    result = mesh::ParseReaderResult(
        std::span(reinterpret_cast<const std::byte*>(words.data()),
                  bytes.size()),
        fault);
  }

  std::vector<uint64_t> words;
  std::string fault;
  std::optional<mesh::ReaderResult> result;
};

TEST(ReaderResultTest, AResultComesBackAsItWasSent) {
  ImportOutcome outcome;
  outcome.meshes = 2;
  outcome.scale = 0.5;
  outcome.notes = {"material library \"a\x1b[2J.mtl\" lies outside"};
  const obt::ObtObject object = Triangle();
  const Parsed parsed(Encoded(outcome, object));
  const std::optional<mesh::ReaderResult>& result = parsed.result;
  ASSERT_TRUE(result) << parsed.fault;
  EXPECT_EQ(result->outcome.meshes, 2);
  EXPECT_EQ(result->outcome.scale, 0.5);
  // A file cannot rewrite the user's terminal through a message.
  EXPECT_EQ(
      result->outcome.notes,
      std::vector<std::string>{"material library \"a?[2J.mtl\" lies outside"});
  EXPECT_EQ(
      std::vector(result->lists.points.begin(), result->lists.points.end()),
      object.points);
  EXPECT_EQ(result->lists.triangles[0], object.triangles[0]);
  EXPECT_EQ(result->lists.fourth_values[0], 7);
}

TEST(ReaderResultTest, ARefusalComesBackWithItsReasonAlone) {
  ImportOutcome outcome;
  outcome.status = ImportOutcome::Status::kNoTriangle;
  outcome.reason = "the file holds no triangle";
  const Parsed parsed(Encoded(outcome, Triangle()));
  ASSERT_TRUE(parsed.result) << parsed.fault;
  EXPECT_EQ(parsed.result->outcome.status, outcome.status);
  EXPECT_EQ(parsed.result->outcome.reason, outcome.reason);
  EXPECT_TRUE(parsed.result->lists.points.empty());
}

TEST(ReaderResultTest, DamagedResultsAreRefused) {
  // Byte offsets of the header's fields.
  constexpr std::size_t kStatus = 8;
  constexpr std::size_t kNotes = 12;
  constexpr std::size_t kMeshes = 16;
  constexpr std::size_t kScale = 40;
  constexpr std::size_t kPoints = 48;
  constexpr std::size_t kTriangles = 56;
  const auto put = [](Bytes& bytes, std::size_t at, auto value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
  };
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
    const char* fault;
  };
  const std::vector<Case> cases = {
      {"empty", [](Bytes& b) { b.clear(); }, "no result of the reader"},
      {"another magic", [](Bytes& b) { b[0] = std::byte{'X'}; },
       "no result of the reader"},
      {"a status beyond the last",
       [&](Bytes& b) { put(b, kStatus, uint32_t{99}); },
       "an outcome the reader cannot have"},
      {"too many notes", [&](Bytes& b) { put(b, kNotes, uint32_t{65}); },
       "an outcome the reader cannot have"},
      {"notes past the end", [&](Bytes& b) { put(b, kNotes, uint32_t{60}); },
       "a text cut short"},
      {"a negative count", [&](Bytes& b) { put(b, kMeshes, int64_t{-1}); },
       "counts or a scale the reader cannot have"},
      {"a scale that is no number",
       [&](Bytes& b) { put(b, kScale, std::nan("")); },
       "counts or a scale the reader cannot have"},
      {"more points than a run holds",
       [&](Bytes& b) { put(b, kPoints, uint64_t{1} << 40); },
       "counts outside what a run holds"},
      {"counts that overflow",
       [&](Bytes& b) { put(b, kTriangles, ~uint64_t{0}); },
       "counts outside what a run holds"},
      {"no triangle", [&](Bytes& b) { put(b, kTriangles, uint64_t{0}); },
       "counts outside what a run holds"},
      {"lists cut short", [](Bytes& b) { b.resize(80 + 10); },
       "lists of another size than their counts"},
      {"texts cut short", [](Bytes& b) { b.pop_back(); }, "a text cut short"},
      {"longer", [](Bytes& b) { b.push_back(std::byte{0}); },
       "bytes after the texts"},
      // The last corner begins nine bytes before the end: its FourthValue
      // and the empty reason's length follow.
      {"a corner beyond the points",
       [](Bytes& b) { b[b.size() - 9] = std::byte{3}; },
       "a triangle naming a point the object lacks"},
      {"a negative corner", [](Bytes& b) { b[b.size() - 6] = std::byte{0x80}; },
       "a triangle naming a point the object lacks"},
      {"a failure with an object",
       [&](Bytes& b) {
         put(b, kStatus,
             static_cast<uint32_t>(ImportOutcome::Status::kNotRead));
       },
       "an object beside a failure"},
  };
  const Bytes good = Encoded({}, Triangle());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = good;
    c.damage(bytes);
    const Parsed parsed(bytes);
    EXPECT_FALSE(parsed.result);
    EXPECT_EQ(parsed.fault, c.fault);
  }
}

}  // namespace
