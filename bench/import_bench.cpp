// The scene conversion of an import: the eighth of a sphere of the
// end-to-end benchmark as the asset library hands it over, once with every
// corner repeated (as an STL file holds it) and once with shared vertices
// (as a PLY file does). The library's own loading is bench/mesh.sh's floor
// and is left out here.

#include <assimp/scene.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "mesh/scene_to_object.h"
#include "shapes.h"
#include "work/feedback.h"

namespace {

std::unique_ptr<aiScene> SphereScene(bool repeat_corners) {
  const obtgen::Mesh sphere = obtgen::SphereOctant(1413, 1'000'000);
  auto mesh = std::make_unique<aiMesh>();
  mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
  const std::size_t triangles = sphere.triangles().size();
  mesh->mNumVertices = static_cast<unsigned>(
      repeat_corners ? 3 * triangles : sphere.points().size());
  mesh->mVertices = new aiVector3D[mesh->mNumVertices];
  if (!repeat_corners) {
    for (std::size_t p = 0; p < sphere.points().size(); ++p) {
      const obtgen::Point& at = sphere.points()[p];
      mesh->mVertices[p] =
          aiVector3D(static_cast<float>(at[0]), static_cast<float>(at[1]),
                     static_cast<float>(at[2]));
    }
  }
  mesh->mNumFaces = static_cast<unsigned>(triangles);
  mesh->mFaces = new aiFace[triangles];
  for (std::size_t t = 0; t < triangles; ++t) {
    aiFace& face = mesh->mFaces[t];
    face.mNumIndices = 3;
    face.mIndices = new unsigned[3];
    for (int c = 0; c < 3; ++c) {
      const auto point =
          static_cast<std::size_t>(sphere.triangles()[t].corners[c]);
      const std::size_t vertex = repeat_corners ? 3 * t + c : point;
      face.mIndices[c] = static_cast<unsigned>(vertex);
      if (repeat_corners) {
        const obtgen::Point& at = sphere.points()[point];
        mesh->mVertices[vertex] =
            aiVector3D(static_cast<float>(at[0]), static_cast<float>(at[1]),
                       static_cast<float>(at[2]));
      }
    }
  }
  auto scene = std::make_unique<aiScene>();
  scene->mNumMeshes = 1;
  scene->mMeshes = new aiMesh* [1] { mesh.release() };
  scene->mRootNode = new aiNode();
  scene->mRootNode->mNumMeshes = 1;
  scene->mRootNode->mMeshes = new unsigned[1]{0};
  return scene;
}

void BM_ConvertSphereScene(benchmark::State& state) {
  const std::unique_ptr<aiScene> scene = SphereScene(state.range(0) != 0);
  work::NullFeedback feedback;
  mesh::ImportOptions options;
  options.scale = 1;
  for (auto _ : state) {
    obt::ObtObject object;
    benchmark::DoNotOptimize(mesh::ConvertScene(
        *scene, options, mesh::GaugeStretch(feedback, 0, 100), object));
  }
  state.SetItemsProcessed(state.iterations() * scene->mMeshes[0]->mNumVertices);
}
// 1: every corner repeated; 0: shared vertices.
BENCHMARK(BM_ConvertSphereScene)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
