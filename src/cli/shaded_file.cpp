#include "cli/shaded_file.h"

#include "cli/bitmap_file.h"
#include "picture/shaded_picture.h"

namespace cli {

bool WriteShadedPicture(const picture::PictureScene& scene,
                        const ShadedRequest& request,
                        const geometry::FindingList* findings,
                        std::ostream& err) {
  const picture::ShadedPicture shaded(scene, request.view.Turn(),
                                      request.size.width, request.size.height);
  const picture::RgbImage image =
      findings != nullptr ? shaded.Draw(*findings) : shaded.Draw();
  const std::string error = WritePng(image, request.png_path);
  if (error.empty()) return true;
  err << WriteFailureLine(request.png_path, error) << '\n';
  return false;
}

}  // namespace cli
