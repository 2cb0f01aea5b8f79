#include "support/obt_text.h"

namespace testing_support {

std::string ObtText(int version, const std::vector<std::string>& points,
                    const std::vector<std::string>& triangles) {
  std::string text = "QZ_OBT\r\n" + std::to_string(version) + ".000000\r\n";
  const auto add_list = [&text](const std::vector<std::string>& lines) {
    text += std::to_string(lines.size()) + "\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
  };
  add_list(points);
  add_list(triangles);
  if (version == 2) text += "0\r\n";
  return text;
}

}  // namespace testing_support
