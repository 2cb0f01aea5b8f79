#include "mesh/mesh_instances.h"

#include <assimp/scene.h>

#include <unordered_set>
#include <utility>

namespace mesh {
namespace {

AffineTransform FromNode(const aiMatrix4x4& t) {
  return AffineTransform(
      {t.a1, t.a2, t.a3, t.a4, t.b1, t.b2, t.b3, t.b4, t.c1, t.c2, t.c3, t.c4});
}

}  // namespace

AffineTransform::AffineTransform() : m_{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0} {}

AffineTransform AffineTransform::After(const AffineTransform& inner) const {
  std::array<double, 12> product{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      double sum = column == 3 ? m_[4 * row + 3] : 0.0;
      for (int k = 0; k < 3; ++k) {
        sum += m_[4 * row + k] * inner.m_[4 * k + column];
      }
      product[4 * row + column] = sum;
    }
  }
  return AffineTransform(product);
}

std::optional<std::vector<MeshInstance>> CollectMeshInstances(
    const aiScene& scene, std::string& reason) {
  std::vector<MeshInstance> instances;
  if (scene.mRootNode == nullptr) return instances;
  // A stack rather than recursion: a file decides how deep the tree is. A
  // node met twice would make a graph of the tree, which no importer should
  // hand out, and could multiply the work without end.
  std::vector<std::pair<const aiNode*, AffineTransform>> pending;
  std::unordered_set<const aiNode*> seen;
  pending.emplace_back(scene.mRootNode,
                       FromNode(scene.mRootNode->mTransformation));
  while (!pending.empty()) {
    const auto [node, transform] = pending.back();
    pending.pop_back();
    if (!seen.insert(node).second) {
      reason = "the scene's node tree holds a node twice";
      return std::nullopt;
    }
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
      const unsigned index = node->mMeshes[i];
      if (index >= scene.mNumMeshes || scene.mMeshes[index] == nullptr) {
        reason = "a node names mesh " + std::to_string(index) +
                 ", which the scene does not hold";
        return std::nullopt;
      }
      instances.push_back({scene.mMeshes[index], index, transform});
    }
    // Children pushed last to first come off the stack first to last.
    for (unsigned i = node->mNumChildren; i-- > 0;) {
      const aiNode* child = node->mChildren[i];
      if (child == nullptr) continue;
      pending.emplace_back(child,
                           transform.After(FromNode(child->mTransformation)));
    }
  }
  return instances;
}

}  // namespace mesh
