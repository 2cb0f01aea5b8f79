#include "mesh_files.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace mesh_test {
namespace {

std::string Base64(const std::string& bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t group = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) group |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) group |= static_cast<uint8_t>(bytes[i + 2]);
    const std::size_t left = bytes.size() - i;
    text += kDigits[(group >> 18) & 63];
    text += kDigits[(group >> 12) & 63];
    text += left > 1 ? kDigits[(group >> 6) & 63] : '=';
    text += left > 2 ? kDigits[group & 63] : '=';
  }
  return text;
}

template <typename T>
void Append(std::string& bytes, T value) {
  char raw[sizeof value];
  std::memcpy(raw, &value, sizeof value);
  bytes.append(raw, sizeof value);
}

std::string Numbers(const Vertex& v) {
  std::ostringstream out;
  out.precision(17);
  out << v[0] << ' ' << v[1] << ' ' << v[2];
  return out.str();
}

}  // namespace

std::string AsciiStl(const std::vector<Vertex>& vertices,
                     const std::vector<Corners>& corners) {
  std::string text = "solid test\n";
  for (const Corners& c : corners) {
    text += "facet normal 0 0 0\nouter loop\n";
    for (const int i : c) text += "vertex " + Numbers(vertices[i]) + "\n";
    text += "endloop\nendfacet\n";
  }
  return text + "endsolid test\n";
}

std::string BinaryStl(const std::vector<Vertex>& vertices,
                      const std::vector<Corners>& corners) {
  std::string bytes(80, 'b');
  Append(bytes, static_cast<uint32_t>(corners.size()));
  for (const Corners& c : corners) {
    for (int k = 0; k < 3; ++k) Append(bytes, 0.0f);
    for (const int i : c) {
      for (const double coordinate : vertices[i]) {
        Append(bytes, static_cast<float>(coordinate));
      }
    }
    Append(bytes, uint16_t{0});
  }
  return bytes;
}

std::string AsciiPly(const std::vector<Vertex>& vertices,
                     const std::vector<Corners>& corners) {
  std::string text = "ply\nformat ascii 1.0\nelement vertex " +
                     std::to_string(vertices.size()) +
                     "\nproperty float x\nproperty float y\nproperty float "
                     "z\nelement face " +
                     std::to_string(corners.size()) +
                     "\nproperty list uchar int vertex_indices\nend_header\n";
  for (const Vertex& v : vertices) text += Numbers(v) + "\n";
  for (const Corners& c : corners) {
    text += "3 " + std::to_string(c[0]) + " " + std::to_string(c[1]) + " " +
            std::to_string(c[2]) + "\n";
  }
  return text;
}

std::string GltfBuffer(const std::vector<Vertex>& vertices,
                       const std::vector<Corners>& corners) {
  std::string buffer;
  for (const Vertex& v : vertices) {
    for (const double coordinate : v) {
      Append(buffer, static_cast<float>(coordinate));
    }
  }
  for (const Corners& c : corners) {
    for (const int i : c) Append(buffer, static_cast<uint32_t>(i));
  }
  return buffer;
}

namespace {

std::string GltfOver(const std::vector<Vertex>& vertices,
                     const std::vector<Corners>& corners,
                     const std::string& nodes_json,
                     const std::string& roots_json, const std::string& uri) {
  const std::size_t positions = vertices.size() * 3 * sizeof(float);
  const std::size_t size = positions + corners.size() * 3 * sizeof(uint32_t);
  const std::string count = std::to_string(vertices.size());
  return R"({"asset": {"version": "2.0"}, "scene": 0, "scenes": [{"nodes": )" +
         roots_json + R"(}], "nodes": )" + nodes_json +
         R"(, "meshes": [{"primitives": [{"attributes": {"POSITION": 0},)"
         R"( "indices": 1}]}], "accessors": [{"bufferView": 0,)"
         R"( "componentType": 5126, "count": )" +
         count +
         R"(, "type": "VEC3"}, {"bufferView": 1, "componentType":)"
         R"( 5125, "count": )" +
         std::to_string(3 * corners.size()) +
         R"(, "type": "SCALAR"}], "bufferViews": [{"buffer": 0,)"
         R"( "byteOffset": 0, "byteLength": )" +
         std::to_string(positions) + R"(}, {"buffer": 0, "byteOffset": )" +
         std::to_string(positions) + R"(, "byteLength": )" +
         std::to_string(size - positions) +
         R"(}], "buffers": [{"byteLength": )" + std::to_string(size) +
         R"(, "uri": ")" + uri + R"("}]})";
}

}  // namespace

std::string Gltf(const std::vector<Vertex>& vertices,
                 const std::vector<Corners>& corners,
                 const std::string& nodes_json, const std::string& roots_json) {
  return GltfOver(vertices, corners, nodes_json, roots_json,
                  "data:application/octet-stream;base64," +
                      Base64(GltfBuffer(vertices, corners)));
}

std::string GltfWithBuffer(const std::vector<Vertex>& vertices,
                           const std::vector<Corners>& corners,
                           const std::string& uri) {
  return GltfOver(vertices, corners, R"([{"mesh": 0}])", "[0]", uri);
}

std::vector<PlacedTriangle> PlacedTriangles(const obt::ObtObject& object) {
  std::vector<PlacedTriangle> placed;
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    PlacedTriangle triangle{{}, object.fourth_values[t]};
    for (int c = 0; c < 3; ++c) {
      triangle.corners[c] =
          object.points.at(static_cast<std::size_t>(object.triangles[t][c]));
    }
    placed.push_back(triangle);
  }
  std::sort(placed.begin(), placed.end());
  return placed;
}

}  // namespace mesh_test
