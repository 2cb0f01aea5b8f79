#include "mesh/export_scene.h"

#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace mesh {
namespace {

constexpr int kFourthValues = 256;

aiVector3D Scaled(const work::TableEntry& point, double scale) {
  return aiVector3D(static_cast<float>(point[0] / scale),
                    static_cast<float>(point[1] / scale),
                    static_cast<float>(point[2] / scale));
}

// Material 0 bears the name the OBJ reader gives the material it puts
// first, so that it takes the two for one and every number stays; the
// others have three digits, so that readers that order materials by name
// (COLLADA) keep their numbers too.
aiMaterial* NumberedMaterial(int number) {
  auto* material = new aiMaterial;
  char name[32];
  std::snprintf(name, sizeof name, "FourthValue%03d", number);
  const aiString text(number == 0 ? "DefaultMaterial" : name);
  material->AddProperty(&text, AI_MATKEY_NAME);
  return material;
}

aiMesh* NewMesh(std::size_t vertices, std::size_t faces, unsigned material) {
  auto* mesh = new aiMesh;
  mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
  mesh->mMaterialIndex = material;
  mesh->mNumVertices = static_cast<unsigned>(vertices);
  mesh->mVertices = new aiVector3D[vertices];
  mesh->mNumFaces = static_cast<unsigned>(faces);
  mesh->mFaces = new aiFace[faces];
  return mesh;
}

void SetFace(aiFace& face, unsigned a, unsigned b, unsigned c) {
  face.mNumIndices = 3;
  face.mIndices = new unsigned[3]{a, b, c};
}

aiMesh* WholeMesh(const obt::ObtObject& object, double scale,
                  unsigned material) {
  aiMesh* mesh =
      NewMesh(object.points.size(), object.triangles.size(), material);
  for (std::size_t p = 0; p < object.points.size(); ++p) {
    mesh->mVertices[p] = Scaled(object.points[p], scale);
  }
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    const work::TableEntry& corners = object.triangles[t];
    SetFace(mesh->mFaces[t], static_cast<unsigned>(corners[0]),
            static_cast<unsigned>(corners[1]),
            static_cast<unsigned>(corners[2]));
  }
  return mesh;
}

// The triangles `members` (of one FourthValue) over the points they use.
aiMesh* PartMesh(const obt::ObtObject& object, double scale,
                 const uint32_t* members, std::size_t count, unsigned material,
                 std::vector<uint32_t>& local, std::vector<bool>& taken) {
  std::vector<uint32_t> points;
  for (std::size_t i = 0; i < count; ++i) {
    for (const int32_t corner : object.triangles[members[i]]) {
      const auto p = static_cast<std::size_t>(corner);
      if (!taken[p]) {
        taken[p] = true;
        points.push_back(static_cast<uint32_t>(p));
      }
    }
  }
  std::sort(points.begin(), points.end());
  aiMesh* mesh = NewMesh(points.size(), count, material);
  for (std::size_t v = 0; v < points.size(); ++v) {
    local[points[v]] = static_cast<uint32_t>(v);
    taken[points[v]] = false;
    mesh->mVertices[v] = Scaled(object.points[points[v]], scale);
  }
  for (std::size_t i = 0; i < count; ++i) {
    const work::TableEntry& corners = object.triangles[members[i]];
    SetFace(mesh->mFaces[i], local[static_cast<std::size_t>(corners[0])],
            local[static_cast<std::size_t>(corners[1])],
            local[static_cast<std::size_t>(corners[2])]);
  }
  return mesh;
}

}  // namespace

std::unique_ptr<aiScene> BuildExportScene(const obt::ObtObject& object,
                                          double scale, bool by_fourth_value) {
  std::array<std::size_t, kFourthValues> counts{};
  for (const uint8_t fourth : object.fourth_values) ++counts[fourth];
  std::vector<unsigned> values;
  for (int v = 0; v < kFourthValues; ++v) {
    if (counts[v] > 0) values.push_back(static_cast<unsigned>(v));
  }
  if (!by_fourth_value || values.empty()) values = {0};

  auto scene = std::make_unique<aiScene>();
  scene->mNumMaterials = values.back() + 1;
  scene->mMaterials = new aiMaterial*[scene->mNumMaterials];
  for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
    scene->mMaterials[m] = NumberedMaterial(static_cast<int>(m));
  }
  scene->mNumMeshes = static_cast<unsigned>(values.size());
  scene->mMeshes = new aiMesh*[scene->mNumMeshes]();
  scene->mRootNode = new aiNode;
  scene->mRootNode->mNumMeshes = scene->mNumMeshes;
  scene->mRootNode->mMeshes = new unsigned[scene->mNumMeshes];
  for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
    scene->mRootNode->mMeshes[m] = m;
  }
  if (values.size() == 1) {
    scene->mMeshes[0] = WholeMesh(object, scale, values[0]);
    return scene;
  }

  // The triangles sorted by FourthValue, each run in file order.
  std::array<std::size_t, kFourthValues + 1> starts{};
  for (int v = 0; v < kFourthValues; ++v) starts[v + 1] = starts[v] + counts[v];
  std::vector<uint32_t> order(object.triangles.size());
  std::array<std::size_t, kFourthValues> next{};
  std::copy(starts.begin(), starts.end() - 1, next.begin());
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    order[next[object.fourth_values[t]]++] = static_cast<uint32_t>(t);
  }
  std::vector<uint32_t> local(object.points.size());
  std::vector<bool> taken(object.points.size());
  for (std::size_t m = 0; m < values.size(); ++m) {
    const unsigned v = values[m];
    scene->mMeshes[m] = PartMesh(object, scale, order.data() + starts[v],
                                 counts[v], v, local, taken);
  }
  return scene;
}

}  // namespace mesh
