// The whole check of a run on arbitrary source bytes, centre texts and
// octants, with the same input layout as fuzz_conversion:
//   byte 0      bits 0-2: the source octant
//   byte 1      the target mask (bit i = octant code 1 << i)
//   3 times     a length byte (taken modulo 5), then that many bytes of a
//               centre text (X, Y, Z)
//   the rest    the source file
//
// Beside the check's own invariants, its verdict on the surface is held
// against the run's real output: where the check says the result is
// closed, every edge of the converted file, with points compared by their
// coordinates, is used once in each direction, and its signed volume has
// the sign the check gives; where it finds an edge that keeps the result
// open, the output has one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "cli/check_command.h"
#include "cli/check_report.h"
#include "fuzz_support.h"
#include "geometry/exact_arithmetic.h"
#include "geometry/object_check.h"
#include "mirror/copy_plan.h"
#include "obt/io_error.h"
#include "obt/obt_object.h"
#include "obt/pending_io_error.h"
#include "run/conversion_job.h"

namespace {

namespace fs = std::filesystem;
using fuzzing::Fail;
using fuzzing::InputReader;
using fuzzing::MakeScratchDir;
using fuzzing::ReadRunInputs;
using fuzzing::WriteBytes;
using geometry::FindingKind;
using geometry::FindingList;

// Sources with more entries than this are checked but not converted.
constexpr std::size_t kLargestConverted = 4096;

const fs::path& ScratchDir() {
  static const fs::path dir = MakeScratchDir("fuzz-check");
  return dir;
}

void CheckList(const FindingList& findings, int64_t last_line) {
  int64_t total = 0;
  for (std::size_t i = 0; i < geometry::kFindingKindCount; ++i) {
    const auto kind = static_cast<FindingKind>(i);
    const auto kept = findings.Kept(kind);
    total += findings.Count(kind);
    if (static_cast<int64_t>(kept.size()) > findings.Count(kind) ||
        kept.size() > FindingList::kKeptPerKind) {
      Fail("more findings kept than counted");
    }
    for (std::size_t k = 0; k < kept.size(); ++k) {
      if (kept[k].line < 0 || kept[k].line > last_line) {
        Fail("a finding on a line the file does not have");
      }
      if (k > 0 && kept[k].line < kept[k - 1].line) {
        Fail("findings out of line order");
      }
    }
  }
  if (total != findings.SpoilingCount() + findings.InformationCount()) {
    Fail("the summary does not add up");
  }
  if (findings.Count(FindingKind::kCentre) != 1) Fail("no centre");
}

// The check may only be held against the output where the output is the
// surface it describes: every triangle names points of its own copy, and
// no copy lies over another.
bool OutputIsTheSurface(const FindingList& findings) {
  for (const FindingKind kind :
       {FindingKind::kDuplicateCopy, FindingKind::kPointBeyondPlane,
        FindingKind::kImageWraps, FindingKind::kNegativeCount,
        FindingKind::kListEndsEarly, FindingKind::kBadPointNumber}) {
    if (findings.Count(kind) > 0) return false;
  }
  return true;
}

bool ClaimsClosed(const FindingList& findings) {
  return findings.Count(FindingKind::kOutwardVolume) +
             findings.Count(FindingKind::kInwardVolume) +
             findings.Count(FindingKind::kFlatVolume) >
         0;
}

bool FindsGaps(const FindingList& findings) {
  return findings.Count(FindingKind::kOpenEdge) +
             findings.Count(FindingKind::kCrowdedEdge) +
             findings.Count(FindingKind::kInconsistentEdge) >
         0;
}

// Whether the converted object is closed, by the plainest means, and the
// sign of its volume.
struct Surface {
  bool has_edges = false;
  bool closed = true;
  int volume_sign = 0;
};

Surface SurfaceOf(const obt::ObtObject& result) {
  using Place = work::TableEntry;
  std::map<std::pair<Place, Place>, int> uses;
  geometry::Int128 volume = 0;
  for (const work::TableEntry& t : result.triangles) {
    for (const int32_t corner : t) {
      if (corner < 0 ||
          static_cast<std::size_t>(corner) >= result.points.size()) {
        Fail("the output names a point it does not hold");
      }
    }
    const Place a = result.points[static_cast<std::size_t>(t[0])];
    const Place b = result.points[static_cast<std::size_t>(t[1])];
    const Place c = result.points[static_cast<std::size_t>(t[2])];
    if (a == b || b == c || c == a) continue;
    const mirror::MirrorCentre origin;
    volume += geometry::TripleProduct(geometry::RelativeTo(a, origin),
                                      geometry::RelativeTo(b, origin),
                                      geometry::RelativeTo(c, origin));
    ++uses[{a, b}];
    ++uses[{b, c}];
    ++uses[{c, a}];
  }
  Surface surface;
  for (const auto& [edge, count] : uses) {
    surface.has_edges = true;
    const auto back = uses.find({edge.second, edge.first});
    if (count != 1 || back == uses.end() || back->second != 1) {
      surface.closed = false;
    }
  }
  surface.volume_sign = volume > 0 ? 1 : volume < 0 ? -1 : 0;
  return surface;
}

void HoldAgainstOutput(const FindingList& findings, const fs::path& source,
                       const work::RunInputs& inputs) {
  static obt::PendingIoError pending;
  static run::ConversionJob job(pending);
  const fs::path target = ScratchDir() / "target.obt";
  job.set_target_name(target.string());
  work::NullFeedback feedback;
  work::RunInputs run_inputs = inputs;
  run_inputs.source_name = source.string();
  try {
    if (job.RunConversionJob(run_inputs, feedback) !=
        run::RunResult::kSucceeded) {
      Fail("a run the check accepts was refused");
    }
  } catch (const obt::IoError&) {
    Fail("a run the check accepts raised an I/O error");
  }
  obt::ObtObject result;
  if (obt::ReadObtFile(target.string(), result, feedback).status !=
      obt::ObtReadOutcome::Status::kRead) {
    Fail("the output cannot be read back");
  }
  const Surface surface = SurfaceOf(result);
  if (ClaimsClosed(findings) && !surface.closed) {
    Fail("the check calls an open result closed");
  }
  if (FindsGaps(findings) && surface.closed) {
    Fail("the check finds a gap in a closed result");
  }
  if (surface.has_edges && surface.closed && !ClaimsClosed(findings)) {
    Fail("the check misses that the result is closed");
  }
  const int claimed = findings.Count(FindingKind::kOutwardVolume) > 0  ? 1
                      : findings.Count(FindingKind::kInwardVolume) > 0 ? -1
                                                                       : 0;
  if (ClaimsClosed(findings) && claimed != surface.volume_sign) {
    Fail("the check gives the volume the wrong sign");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  InputReader input{data, size};
  work::RunInputs read;
  ReadRunInputs(input, read);
  cli::RunOptions options;
  options.centre_x = read.centre_x_text;
  options.centre_y = read.centre_y_text;
  options.centre_z = read.centre_z_text;
  options.source_octant = read.source_octant_checked;
  options.target_octants = read.target_octant_checked;
  const std::string bytes = input.Text(input.size);
  const fs::path source = ScratchDir() / "source.obt";
  WriteBytes(source, bytes);

  // The command itself, both ways.
  for (const bool json : {false, true}) {
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        cli::CheckSource(source.string(), options, json, out, err);
    if (status < 0 || status > 2) Fail("an exit status check never gives");
    if (out.str().empty() == err.str().empty()) {
      Fail("neither or both of a report and a refusal");
    }
    if (!out.str().empty() && out.str().back() != '\n') {
      Fail("a report without its last line end");
    }
  }

  // The engine, held against the run.
  obt::ObtObject object;
  work::NullFeedback feedback;
  if (obt::ReadObtFile(source.string(), object, feedback).status !=
      obt::ObtReadOutcome::Status::kRead) {
    return 0;
  }
  const work::RunInputs inputs = options.InputsFor(source.string());
  geometry::CheckedRun run;
  if (!mirror::ReadMirrorCentre(inputs.centre_x_text, inputs.centre_y_text,
                                inputs.centre_z_text, run.centre)) {
    return 0;
  }
  mirror::OctantCode source_octant = 0;
  mirror::ReadSourceOctant(inputs.source_octant_checked, source_octant);
  run.source_octant = source_octant;
  run.plan = mirror::BuildCopyPlan(
      source_octant, mirror::ReadTargetMask(inputs.target_octant_checked));
  const FindingList findings = geometry::CheckObject(object, run);
  // The line after the last one that a CR ends may hold text, and a list
  // that ends early is told on the line after its last entry.
  CheckList(
      findings,
      static_cast<int64_t>(std::count(bytes.begin(), bytes.end(), '\r')) + 2);
  if (OutputIsTheSurface(findings) &&
      object.points.size() + object.triangles.size() <= kLargestConverted) {
    HoldAgainstOutput(findings, source, inputs);
  }
  return 0;
}
