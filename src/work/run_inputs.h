#ifndef OBTMIRROR_WORK_RUN_INPUTS_H_
#define OBTMIRROR_WORK_RUN_INPUTS_H_

#include <array>
#include <string>

namespace work {

// What a conversion run reads from the front end: the window fills it from
// its controls, the command line from its arguments. The octant arrays are
// in code order 1, 2, 4, ..., 128.
struct RunInputs {
  // Full file name of the source selection; empty when nothing is selected.
  std::string source_name;
  // The mirror centre's texts as shown, before any filtering.
  std::string centre_x_text = "0";
  std::string centre_y_text = "0";
  std::string centre_z_text = "0";
  // The source octant's radio buttons: exactly one is checked in the window.
  std::array<bool, 8> source_octant_checked = {true};
  // The target octants' check boxes.
  std::array<bool, 8> target_octant_checked = {false, true};
};

}  // namespace work

#endif  // OBTMIRROR_WORK_RUN_INPUTS_H_
