// obtmirror-peer: the conversion as a competent user would write it without
// this project, to measure the converter against. One file, iostreams,
// `>>` into int and `<<` with "\r\n", std::vector tables. It handles
// well-formed OBT files only: no 0x1A end mark, no "$" hexadecimal numbers,
// no lone CR line ends, no capacity refusal.
//
//   obtmirror-peer SOURCE TARGET --from CODE --to LIST [-x X -y Y -z Z]
//
// CODE is one octant code (1, 2, 4, ..., 128); LIST is codes separated by
// commas, "all" or "none"; the centre is three plain integers.

#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kExitUsage = 64;

struct Point {
  int x, y, z;
};

struct Triangle {
  int first, second, third, fourth;
};

// The side (0 negative, 1 positive) of an octant on each axis.
struct Sides {
  int x, y, z;
};

constexpr int kCodes[8] = {1, 2, 4, 8, 16, 32, 64, 128};
constexpr Sides kSides[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                             {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};

// One copy: the sign per axis and whether its triangles turn the other way.
struct Copy {
  int sign_x = 1, sign_y = 1, sign_z = 1;
  bool flip = false;
};

int SlotOf(const std::string& text) {
  for (int slot = 0; slot < 8; ++slot) {
    if (text == std::to_string(kCodes[slot])) return slot;
  }
  return -1;
}

bool ParseTargets(const std::string& list, std::vector<bool>& wanted) {
  wanted.assign(8, false);
  if (list == "none") return true;
  if (list == "all") {
    wanted.assign(8, true);
    return true;
  }
  std::istringstream codes(list);
  std::string code;
  while (std::getline(codes, code, ',')) {
    const int slot = SlotOf(code);
    if (slot < 0) return false;
    wanted[slot] = true;
  }
  return !list.empty() && list.back() != ',';
}

// The mirror image of `value` through `centre`, with the wrap-around of
// 32-bit arithmetic that the converter uses.
int Mirror(int value, int centre, int sign) {
  if (sign > 0) return value;
  return static_cast<int32_t>(2 * static_cast<int64_t>(centre) - value);
}

int Usage() {
  std::cerr << "usage: obtmirror-peer SOURCE TARGET --from CODE --to LIST "
               "[-x X -y Y -z Z]\n";
  return kExitUsage;
}

bool ReadHeaderLine(std::ifstream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (argc - 3) % 2 != 0) return Usage();
  const std::string source_name = argv[1];
  const std::string target_name = argv[2];
  int from_slot = 0;
  std::vector<bool> wanted = {false, true,  false, false,
                              false, false, false, false};
  int centre_x = 0, centre_y = 0, centre_z = 0;
  for (int i = 3; i < argc; i += 2) {
    const std::string option = argv[i];
    const std::string value = argv[i + 1];
    if (option == "--from") {
      from_slot = SlotOf(value);
      if (from_slot < 0) return Usage();
    } else if (option == "--to") {
      if (!ParseTargets(value, wanted)) return Usage();
    } else if (option == "-x" || option == "-y" || option == "-z") {
      int number = 0;
      std::istringstream text(value);
      if (!(text >> number) || !text.eof()) return Usage();
      (option == "-x"   ? centre_x
       : option == "-y" ? centre_y
                        : centre_z) = number;
    } else {
      return Usage();
    }
  }

  std::vector<Copy> copies(1);  // the source object itself comes first
  const Sides from = kSides[from_slot];
  for (int slot = 0; slot < 8; ++slot) {
    if (!wanted[slot]) continue;
    Copy copy;
    if (kSides[slot].x != from.x) copy.sign_x = -1;
    if (kSides[slot].y != from.y) copy.sign_y = -1;
    if (kSides[slot].z != from.z) copy.sign_z = -1;
    copy.flip = (copy.sign_x * copy.sign_y * copy.sign_z) < 0;
    copies.push_back(copy);
  }

  std::ifstream in(source_name, std::ios::binary);
  if (!in) {
    std::cerr << "obtmirror-peer: cannot open " << source_name << '\n';
    return 1;
  }
  std::string magic, version;
  if (!ReadHeaderLine(in, magic) || !ReadHeaderLine(in, version) ||
      magic != "QZ_OBT" || (version != "1.000000" && version != "2.000000")) {
    std::cerr << "obtmirror-peer: not an OBT file: " << source_name << '\n';
    return 1;
  }

  int point_count = 0;
  in >> point_count;
  std::vector<Point> points(point_count);
  for (Point& p : points) in >> p.x >> p.y >> p.z;
  int triangle_count = 0;
  in >> triangle_count;
  std::vector<Triangle> triangles(triangle_count);
  for (Triangle& t : triangles)
    in >> t.first >> t.second >> t.third >> t.fourth;
  if (!in) {
    std::cerr << "obtmirror-peer: cannot read " << source_name << '\n';
    return 1;
  }

  std::ofstream out(target_name, std::ios::binary);
  if (!out) {
    std::cerr << "obtmirror-peer: cannot create " << target_name << '\n';
    return 1;
  }
  const int copy_count = static_cast<int>(copies.size());
  out << magic << "\r\n" << version << "\r\n";
  out << copy_count * point_count << "\r\n";
  for (const Copy& copy : copies) {
    for (const Point& p : points) {
      out << Mirror(p.x, centre_x, copy.sign_x) << ' '
          << Mirror(p.y, centre_y, copy.sign_y) << ' '
          << Mirror(p.z, centre_z, copy.sign_z) << "\r\n";
    }
  }
  out << copy_count * triangle_count << "\r\n";
  for (int n = 0; n < copy_count; ++n) {
    const int offset = n * point_count;
    for (const Triangle& t : triangles) {
      int first = t.first + offset;
      int second = t.second + offset;
      if (copies[n].flip) std::swap(first, second);
      out << first << ' ' << second << ' ' << t.third + offset << ' '
          << (t.fourth & 255) << "\r\n";
    }
  }
  if (version == "2.000000") out << "0\r\n";
  out.close();
  if (!out) {
    std::cerr << "obtmirror-peer: cannot write " << target_name << '\n';
    return 1;
  }
  return 0;
}
