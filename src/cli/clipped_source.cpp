#include "cli/clipped_source.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "geometry/run_copies.h"
#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "obt/file_identity.h"
#include "obt/io_error.h"
#include "obt/obt_object.h"
#include "work/feedback.h"

namespace cli {

ClippedSource::ClippedSource(const work::RunInputs& inputs,
                             const std::string& target)
    : path_(inputs.source_name) {
  // The run refuses these itself, with the source's own name.
  if (path_.empty() || target.empty() || obt::NameSameFile(path_, target)) {
    return;
  }
  std::error_code error;
  if (std::filesystem::exists(path_, error) &&
      !std::filesystem::is_regular_file(path_, error)) {
    not_regular_ = true;
    return;
  }
  mirror::MirrorCentre centre;
  if (!mirror::ReadMirrorCentre(inputs.centre_x_text, inputs.centre_y_text,
                                inputs.centre_z_text, centre)) {
    return;
  }
  mirror::OctantCode source_octant = 0;
  mirror::ReadSourceOctant(inputs.source_octant_checked, source_octant);
  const mirror::CopyPlan plan = mirror::BuildCopyPlan(
      source_octant, mirror::ReadTargetMask(inputs.target_octant_checked));
  // Most objects cross no plane, which their points alone tell.
  obt::ObtObject object;
  work::NullFeedback feedback;
  if (obt::ReadObtPoints(path_, object, feedback).status !=
      obt::ObtReadOutcome::Status::kRead) {
    return;
  }
  const geometry::RunCopies copies(source_octant, plan);
  if (!geometry::PlanesToCut(object, centre, copies.source_sides(),
                             copies.mirrored_axes())
           .Any()) {
    return;
  }
  if (obt::ReadObtFile(path_, object, feedback).status !=
      obt::ObtReadOutcome::Status::kRead) {
    return;
  }
  const auto points_read =
      static_cast<std::size_t>(std::max(object.point_count, 0));
  counts_ = geometry::CutForRun(object, centre, source_octant, plan);
  if (counts_.bad_triangle >= 0 ||
      (counts_.cut + counts_.dropped + counts_.points_added == 0 &&
       object.points.size() == points_read)) {
    return;
  }

  const char* const temporary = std::getenv("TMPDIR");
  std::string folder =
      std::string(temporary != nullptr && *temporary != '\0' ? temporary
                                                             : "/tmp") +
      "/obtmirror-clip-XXXXXX";
  std::vector<char> name(folder.begin(), folder.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) {
    write_error_ = obt::IoCodeFromErrno(errno);
    return;
  }
  folder_ = name.data();
  path_ = folder_ + "/clipped.obt";
  int create_error = 0;
  write_error_ = obt::WriteObtFile(path_, object, create_error);
}

ClippedSource::~ClippedSource() {
  if (folder_.empty()) return;
  ::unlink(path_.c_str());
  ::rmdir(folder_.c_str());
}

std::string ClippedSource::Line() const {
  return "clipped: " + std::to_string(counts_.cut) + " triangles cut, " +
         std::to_string(counts_.dropped) + " dropped, " +
         std::to_string(counts_.points_added) + " points added";
}

}  // namespace cli
