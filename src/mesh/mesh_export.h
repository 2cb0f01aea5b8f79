#ifndef OBTMIRROR_MESH_MESH_EXPORT_H_
#define OBTMIRROR_MESH_MESH_EXPORT_H_

#include <string>
#include <vector>

#include "mesh/export_formats.h"
#include "mesh/gauge_stretch.h"
#include "mesh/write_failure.h"
#include "mesh/written_file.h"
#include "obt/obt_object.h"

namespace mesh {

// How an export ended.
struct ExportOutcome {
  enum class Status {
    kExported,
    // The object cannot be written as a mesh: `reason` says why.
    kRefused,
    // A file could not be made or written: see `failure`.
    kWriteFailed,
    // The exporter gave up: `reason` is its message.
    kNotExported,
  };

  Status status = Status::kExported;
  std::string reason;
  WriteFailure failure;
  // Every file written, the one named first.
  std::vector<WrittenFile> files;
};

// Writes the object read from `source` to `path` (and the files beside it
// that the format needs) with the exporter of `format`, coordinates divided
// by `scale`. Refuses an object without triangles, one whose file falls
// short of its counts, and one with a corner outside its points. Nothing
// is written unless all of it is. `object` gives its memory to the scene
// and is empty afterwards.
ExportOutcome ExportObject(obt::ObtObject&& object, const std::string& source,
                           const std::string& path, const ExportFormat& format,
                           double scale, const GaugeStretch& progress);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_MESH_EXPORT_H_
