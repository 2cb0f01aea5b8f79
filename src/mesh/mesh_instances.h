#ifndef OBTMIRROR_MESH_MESH_INSTANCES_H_
#define OBTMIRROR_MESH_MESH_INSTANCES_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

struct aiMesh;
struct aiScene;

namespace mesh {

// x' = m[0] x + m[1] y + m[2] z + m[3], and so on for y' and z': the upper
// three rows of a node transform. Held in double, so that a chain of nodes
// does not lose what single precision cannot carry.
class AffineTransform {
 public:
  AffineTransform();  // the identity
  explicit AffineTransform(const std::array<double, 12>& rows) : m_(rows) {}

  // This transform applied after `inner`.
  AffineTransform After(const AffineTransform& inner) const;

  // Whether this turns space inside out (the determinant of its linear
  // part is negative), as a mirroring does: a face then turns the other
  // way round, and its corners must be taken in the opposite order to
  // keep facing the same side.
  bool Mirrors() const {
    const double determinant = m_[0] * (m_[5] * m_[10] - m_[6] * m_[9]) -
                               m_[1] * (m_[4] * m_[10] - m_[6] * m_[8]) +
                               m_[2] * (m_[4] * m_[9] - m_[5] * m_[8]);
    return determinant < 0;
  }

  std::array<double, 3> Apply(double x, double y, double z) const {
    return {m_[0] * x + m_[1] * y + m_[2] * z + m_[3],
            m_[4] * x + m_[5] * y + m_[6] * z + m_[7],
            m_[8] * x + m_[9] * y + m_[10] * z + m_[11]};
  }

 private:
  std::array<double, 12> m_;
};

// A mesh where the node tree places it: the same mesh under two nodes is
// two instances.
struct MeshInstance {
  const aiMesh* mesh = nullptr;
  unsigned mesh_index = 0;
  AffineTransform transform;
};

// Every mesh instance of the scene's node tree, depth first, a node's own
// meshes before those of its children. Nothing, with `reason` set, when a
// node names a mesh the scene does not hold.
std::optional<std::vector<MeshInstance>> CollectMeshInstances(
    const aiScene& scene, std::string& reason);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_MESH_INSTANCES_H_
