// The shaded picture of arbitrary objects with what the check finds in
// them, as `check --png` draws it:
//   byte 0      the octants to fill (octant 1 is the source)
//   byte 1      bit 0: whole 32-bit coordinates, else small ones; bits 1-3:
//               the view (0 to 3, else a turn made of bytes 2 and 3)
//   bytes 2, 3  width and height less one (a turn's angles too)
//   then        the centre, the point count (a byte), the points (three
//               coordinates of four or one bytes), and triangles of three
//               point numbers (two past the last name no point) and a
//               fourth value, a byte each, up to the end
//
// Checked, beside what the sanitizers see: the picture has the size asked
// for, whatever the coordinates, the copies and the view.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "geometry/object_check.h"
#include "picture/shaded_picture.h"

using fuzzing::Fail;
using fuzzing::InputReader;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  InputReader input{data, size};
  const uint8_t targets = input.Byte();
  const uint8_t flags = input.Byte();
  const bool whole = (flags & 1) != 0;
  const int view_kind = flags >> 1 & 7;
  const uint8_t across = input.Byte();
  const uint8_t down = input.Byte();
  const picture::ViewTurn view =
      view_kind < 4 ? picture::ViewOfKind(view_kind)
                    : picture::ViewFromAngles(across * 1.5, down - 128.0);
  const int32_t width = across % 96 + 1;
  const int32_t height = down % 96 + 1;
  const mirror::MirrorCentre centre{input.Coordinate(whole),
                                    input.Coordinate(whole),
                                    input.Coordinate(whole)};
  const obt::ObtObject object = fuzzing::ReadObject(input, whole, 2);

  const geometry::CheckedRun run{centre, 1, mirror::BuildCopyPlan(1, targets)};
  const geometry::FindingList findings =
      geometry::CheckObject(object, run, picture::MarkedKindSet());
  const picture::PictureScene scene{
      object.points, object.triangles, {run.centre, run.plan}};
  const picture::ShadedPicture shaded(scene, view, width, height);
  const picture::RgbImage image = shaded.Draw(findings);
  if (image.width() != width || image.height() != height) {
    Fail("a picture of another size");
  }
  return 0;
}
