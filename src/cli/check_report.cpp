#include "cli/check_report.h"

#include <array>
#include <cstdint>

#include "cli/json_text.h"
#include "mirror/octant_table.h"

namespace cli {
namespace {

using geometry::Finding;
using geometry::FindingKind;
using geometry::FindingList;

// What the line after the kept findings of a kind calls the rest.
constexpr std::array<const char*, geometry::kFindingKindCount> kPlurals = {
    "centres",
    "duplicate copies",
    "octant notes",
    "octant findings",
    "points beyond a mirror plane",
    "cut notes",
    "mirror images outside 32 bits",
    "negative counts",
    "lists that end early",
    "texts after the end",
    "triangles with bad point numbers",
    "degenerate triangles",
    "triangles in a mirror plane",
    "edges closed by the mirroring",
    "open edges",
    "edges used by more than two triangles",
    "edges used twice the same way",
    "inside-out parts",
    "parts that enclose nothing",
    "volume findings",
    "volume findings",
    "volume findings",
};
static_assert(kPlurals.back() != nullptr, "a kind without its plural");

std::string N(int64_t value) { return std::to_string(value); }

char Axis(int64_t axis) { return static_cast<char>('x' + axis); }

std::string Plane(int64_t axis, int64_t value) {
  return std::string(1, Axis(axis)) + " = " + N(value);
}

std::string Octants(int64_t mask) {
  std::string list;
  for (const mirror::OctantCode code : mirror::kOctantCodes) {
    if ((mask & code) == 0) continue;
    if (!list.empty()) list += ", ";
    list += N(code);
  }
  return list;
}

std::string Edge(const Finding& f) {
  return "edge " + N(f.numbers[0]) + "-" + N(f.numbers[1]);
}

std::string Part(const Finding& f) {
  return "part " + N(f.numbers[1]) + " of " + N(f.numbers[2]) +
         ", which starts with triangle " + N(f.numbers[0]) + ",";
}

const char* ListNoun(int64_t list) { return list == 0 ? "point" : "triangle"; }

std::string CentreText(const Finding& f, const CheckReportContext& context) {
  std::string text = "mirror centre " + N(f.numbers[0]) + " " +
                     N(f.numbers[1]) + " " + N(f.numbers[2]);
  for (std::size_t i = 0; i < context.centre_notes.size(); ++i) {
    text += (i == 0 ? " (" : ", ") + context.centre_notes[i];
  }
  if (!context.centre_notes.empty()) text += ")";
  return text;
}

std::string SummaryLine(const FindingList& findings) {
  const int64_t spoiling = findings.SpoilingCount();
  const int64_t count = findings.InformationCount();
  const std::string information =
      N(count) + (count == 1 ? " is" : " are") + " information";
  if (spoiling == 0) return "nothing spoils the result; " + information;
  return N(spoiling) + (spoiling == 1 ? " finding spoils" : " findings spoil") +
         " the result; " + information;
}

// The kinds that were found, in report order.
template <typename Visit>
void ForEachFoundKind(const FindingList& findings, const Visit& visit) {
  for (std::size_t i = 0; i < geometry::kFindingKindCount; ++i) {
    const auto kind = static_cast<FindingKind>(i);
    if (findings.Count(kind) > 0) visit(kind);
  }
}

}  // namespace

std::string FindingText(const Finding& f, const CheckReportContext& context) {
  const auto& n = f.numbers;
  switch (f.kind) {
    case FindingKind::kCentre:
      return CentreText(f, context);
    case FindingKind::kDuplicateCopy:
      return "the copy into octant " + N(n[0]) +
             " is the source object again, unmirrored: the result holds it "
             "twice";
    case FindingKind::kObjectInOtherOctant:
      return "the object lies in octant " + N(n[0]) + ", not in octant " +
             N(n[1]) + "; the copies still fill octants " + Octants(n[2]);
    case FindingKind::kCopiesInOtherOctants:
      return "the object lies in octant " + N(n[0]) + ", not in octant " +
             N(n[1]) + ": the result fills octants " + Octants(n[2]) +
             " instead of " + Octants(n[3]);
    case FindingKind::kPointBeyondPlane:
      return "point " + N(n[0]) + " (" + Axis(n[1]) + " " + N(n[2]) +
             ") lies beyond the mirror plane " + Plane(n[1], n[3]) +
             ": the object crosses it and its copies overlap; --clip cuts "
             "it there";
    case FindingKind::kCutAtPlanes:
      return "--clip cuts " + N(n[0]) +
             " triangles at the mirror planes, "
             "drops " +
             N(n[1]) + " and adds " + N(n[2]) +
             " points: nothing is left beyond a plane";
    case FindingKind::kImageWraps:
      return "the mirror image of point " + N(n[0]) + " on " + Axis(n[1]) +
             " is " + N(n[2]) + ", beyond 32 bits: the run writes " + N(n[3]);
    case FindingKind::kNegativeCount:
      return std::string("the ") + ListNoun(n[0]) + " count " + N(n[1]) +
             " is negative: the run reads no " + ListNoun(n[0]) + "s";
    case FindingKind::kListEndsEarly:
      return std::string("the file ends before ") + ListNoun(n[0]) + " " +
             N(n[1]) + " of " + N(n[2]) + ": the run reads the missing " +
             ListNoun(n[0]) + "s as zeros";
    case FindingKind::kTextAfterEnd:
      return "text after the end of the object, which the run does not copy";
    case FindingKind::kBadPointNumber:
      return "triangle " + N(n[0]) + " names point " + N(n[1]) +
             (n[2] > 0 ? ", but the points are numbered 0 to " + N(n[2] - 1)
                       : std::string(", but the object has no points"));
    case FindingKind::kDegenerateTriangle:
      if (n[1] == 0) return "triangle " + N(n[0]) + " names one point twice";
      if (n[1] == 1) {
        return "two corners of triangle " + N(n[0]) + " lie in one place";
      }
      return "the corners of triangle " + N(n[0]) +
             " lie on one line: it has no area";
    case FindingKind::kTriangleInPlane:
      return "triangle " + N(n[0]) + " lies in the mirror plane " +
             Plane(n[1], n[2]) + ": the result holds it twice";
    case FindingKind::kEdgeClosedByMirroring:
      return "open " + Edge(f) + " lies in the mirror plane " +
             Plane(n[2], n[3]) + " and is closed by the mirroring";
    case FindingKind::kOpenEdge:
      return Edge(f) + " is open: the result has a hole there";
    case FindingKind::kCrowdedEdge:
      return Edge(f) + " is used by " + (n[3] != 0 ? "at least " : "") +
             N(n[2]) + " triangles of the result";
    case FindingKind::kInconsistentEdge:
      return Edge(f) +
             " runs the same way in two triangles of the result: their "
             "windings disagree";
    case FindingKind::kInwardPart:
      if (f.numbers[3] != 0) {
        return Part(f) + " lies inside part " + N(f.numbers[3]) +
               " and its signed volume is positive: as the wall of a cavity "
               "it is inside out";
      }
      return Part(f) +
             " is closed, but its signed volume is negative: it is inside out";
    case FindingKind::kFlatPart:
      return Part(f) +
             " is closed, but its signed volume is zero: it encloses nothing";
    case FindingKind::kOutwardVolume:
      return "the result is closed and its signed volume is positive: it "
             "faces outward";
    case FindingKind::kInwardVolume:
      return "the result is closed, but its signed volume is negative: it is "
             "inside out";
    case FindingKind::kFlatVolume:
      return "the result is closed, but its signed volume is zero: it "
             "encloses nothing";
  }
  return {};
}

std::string TextReport(const FindingList& findings,
                       const CheckReportContext& context) {
  std::string report;
  ForEachFoundKind(findings, [&](FindingKind kind) {
    for (const Finding& finding : findings.Kept(kind)) {
      if (finding.line != 0) report += N(finding.line) + ": ";
      report += FindingText(finding, context) + "\n";
    }
    const int64_t more =
        findings.Count(kind) - static_cast<int64_t>(findings.Kept(kind).size());
    if (more > 0) {
      report += "... and " + N(more) + " more " +
                kPlurals[static_cast<std::size_t>(kind)] + "\n";
    }
  });
  return report + SummaryLine(findings) + "\n";
}

std::string JsonReport(const FindingList& findings,
                       const CheckReportContext& context) {
  std::string json =
      "{\"source\": " + JsonString(context.source) + ",\n \"findings\": [";
  const char* kind_separator = "\n  ";
  ForEachFoundKind(findings, [&](FindingKind kind) {
    const geometry::KindTraits& traits = geometry::TraitsOf(kind);
    json += kind_separator;
    kind_separator = ",\n  ";
    json += "{\"kind\": " + JsonString(traits.key) +
            ", \"spoils\": " + (traits.spoils ? "true" : "false") +
            ", \"count\": " + N(findings.Count(kind)) + ", \"shown\": [";
    const char* separator = "";
    for (const Finding& finding : findings.Kept(kind)) {
      json += separator;
      separator = ", ";
      json += "{\"line\": " +
              (finding.line != 0 ? N(finding.line) : std::string("null")) +
              ", \"text\": " + JsonString(FindingText(finding, context)) + "}";
    }
    json += "]}";
  });
  return json + "],\n \"spoiling\": " + N(findings.SpoilingCount()) +
         ",\n \"information\": " + N(findings.InformationCount()) +
         ",\n \"summary\": " + JsonString(SummaryLine(findings)) + "}\n";
}

}  // namespace cli
