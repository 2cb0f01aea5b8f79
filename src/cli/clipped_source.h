#ifndef OBTMIRROR_CLI_CLIPPED_SOURCE_H_
#define OBTMIRROR_CLI_CLIPPED_SOURCE_H_

#include <string>

#include "geometry/plane_cut.h"
#include "work/run_inputs.h"

namespace cli {

// The source of a convert with --clip: the object read whole, cut at the
// mirror planes it crosses, and written to a private temporary folder for
// the run to read, which goes with this object. Where nothing is cut, or
// the run is to refuse the source or its names anyway, the run reads the
// source itself, and so writes what it writes without --clip.
class ClippedSource {
 public:
  explicit ClippedSource(const work::RunInputs& inputs,
                         const std::string& target);
  ~ClippedSource();
  ClippedSource(const ClippedSource&) = delete;
  ClippedSource& operator=(const ClippedSource&) = delete;

  // The file the run reads.
  const std::string& path() const { return path_; }
  const geometry::CutCounts& counts() const { return counts_; }
  // Whether the source is a pipe, a device or the like, which the cut
  // cannot read before the run reads it.
  bool not_regular() const { return not_regular_; }
  // The I/O error code of writing the cut object, 0 when it was written or
  // not needed.
  int write_error() const { return write_error_; }
  // "clipped: 212 triangles cut, 96 dropped, 118 points added".
  std::string Line() const;

 private:
  std::string path_;
  std::string folder_;
  geometry::CutCounts counts_;
  int write_error_ = 0;
  bool not_regular_ = false;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_CLIPPED_SOURCE_H_
