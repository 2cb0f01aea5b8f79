// A whole conversion run on arbitrary source bytes, centre texts and
// octants. Input layout:
//   byte 0      bits 0-2: the source octant; bit 3: a target exists before
//               the run; bit 4: the result is welded
//   byte 1      the target mask (bit i = octant code 1 << i)
//   3 times     a length byte (taken modulo 5), then that many bytes of a
//               centre text (X, Y, Z)
//   the rest    the source file
//
// Runs whose counts would have the engine read and write millions of lines
// for a few bytes are skipped (see SkipsLongRun): they are legal and only
// slow, and would hide everything else behind timeouts.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "geometry/weld_stage.h"
#include "obt/io_error.h"
#include "obt/obt_object.h"
#include "obt/pending_io_error.h"
#include "obt/text_reader.h"
#include "run/conversion_job.h"
#include "work/feedback.h"
#include "work/run_inputs.h"
#include "work/work_tables.h"

namespace {

namespace fs = std::filesystem;
using fuzzing::Fail;
using fuzzing::InputReader;
using fuzzing::MakeScratchDir;
using fuzzing::ReadRunInputs;
using fuzzing::WriteBytes;

// Counts up to this many run fully; larger ones that the tables would still
// take are skipped. Counts beyond the tables are refused at once and run.
constexpr int32_t kLargestCountRun = 4096;
constexpr std::string_view kOldTarget = "old target\r\n";

// One scratch directory for the whole process.
const fs::path& ScratchDir() {
  static const fs::path dir = MakeScratchDir("fuzz-conversion");
  return dir;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool SkippedCount(int32_t count) {
  return count > kLargestCountRun && count <= work::kTableCapacity;
}

// Reads the two counts as the run reads them, with the engine's own reader.
bool SkipsLongRun(const fs::path& source) {
  obt::PendingIoError pending;
  obt::TextReader reader(pending);
  reader.OpenForReading(source.string());
  reader.ReadLineText(64);
  reader.SkipToNextLine();
  reader.ReadLineText(64);
  reader.SkipToNextLine();
  const int32_t point_count = reader.ReadNumber();
  reader.SkipToNextLine();
  if (SkippedCount(point_count)) return true;
  // Refused before any point is read.
  if (point_count > kLargestCountRun) return false;
  for (int32_t i = 0; i < point_count; ++i) {
    reader.ReadNumber();
    reader.ReadNumber();
    reader.ReadNumber();
    reader.SkipToNextLine();
  }
  return SkippedCount(reader.ReadNumber());
}

bool LeftUnfinishedFile() {
  for (const auto& entry : fs::directory_iterator(ScratchDir())) {
    if (entry.path().filename().string().find(".obtmirror-unfinished-") !=
        std::string::npos) {
      return true;
    }
  }
  return false;
}

// A welded result is an ordinary OBT object: its counts are what it holds,
// nothing follows it, its triangles name its points, and no two points
// are equal.
void CheckWelded(const fs::path& target) {
  obt::ObtObject object;
  work::NullFeedback feedback;
  if (obt::ReadObtFile(target.string(), object, feedback).status !=
      obt::ObtReadOutcome::Status::kRead) {
    Fail("a welded target that does not read back");
  }
  if (object.points_missing_from != -1 || object.triangles_missing_from != -1 ||
      object.text_after_end_line != 0 ||
      object.point_count != static_cast<int32_t>(object.points.size()) ||
      object.triangle_count != static_cast<int32_t>(object.triangles.size())) {
    Fail("a welded target whose counts are not what it holds");
  }
  for (const work::TableEntry& triangle : object.triangles) {
    for (const int32_t corner : triangle) {
      if (corner < 0 || corner >= object.point_count) {
        Fail("a welded triangle that names no point");
      }
    }
  }
  if (std::set<work::TableEntry>(object.points.begin(), object.points.end())
          .size() != object.points.size()) {
    Fail("a welded target with two equal points");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  InputReader input{data, size};
  work::RunInputs inputs;
  const uint8_t octant_byte = ReadRunInputs(input, inputs);
  const bool target_existed = (octant_byte & 8) != 0;
  const bool welded = (octant_byte & 16) != 0;

  const fs::path source = ScratchDir() / "source.obt";
  const fs::path target = ScratchDir() / "target.obt";
  WriteBytes(source, input.Text(input.size));
  if (SkipsLongRun(source)) return 0;
  std::error_code ignored;
  fs::remove(target, ignored);
  if (target_existed) WriteBytes(target, kOldTarget);
  inputs.source_name = source.string();

  // One job for the process, as the program keeps it.
  static obt::PendingIoError pending;
  static run::ConversionJob job(pending);
  static geometry::WeldStage weld;
  work::NullFeedback feedback;
  job.set_target_name(target.string());
  job.set_result_stage(welded ? &weld : nullptr);
  bool succeeded = false;
  try {
    succeeded =
        job.RunConversionJob(inputs, feedback) == run::RunResult::kSucceeded;
  } catch (const obt::IoError&) {
  }

  if (LeftUnfinishedFile()) Fail("an unfinished output was left behind");
  if (succeeded) {
    if (!fs::exists(target)) Fail("a run succeeded without a target");
    if (ReadBytes(target).rfind("QZ_OBT\r\n", 0) != 0) {
      Fail("a target that does not start with the magic line");
    }
    if (welded) CheckWelded(target);
  } else if (target_existed) {
    if (ReadBytes(target) != kOldTarget)
      Fail("a failed run changed the target");
  } else if (fs::exists(target)) {
    Fail("a failed run made a target");
  }
  return 0;
}
