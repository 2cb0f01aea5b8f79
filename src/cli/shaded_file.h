#ifndef OBTMIRROR_CLI_SHADED_FILE_H_
#define OBTMIRROR_CLI_SHADED_FILE_H_

#include <ostream>

#include "cli/picture_options.h"
#include "geometry/findings.h"
#include "picture/picture_scene.h"

namespace cli {

// Draws `scene` as `request` asks, with the marks of `findings` when
// there are any to draw, and writes it as a PNG file. False, with the
// reason on `err`, when the file is not written; an old file is then left
// as it was.
bool WriteShadedPicture(const picture::PictureScene& scene,
                        const ShadedRequest& request,
                        const geometry::FindingList* findings,
                        std::ostream& err);

}  // namespace cli

#endif  // OBTMIRROR_CLI_SHADED_FILE_H_
