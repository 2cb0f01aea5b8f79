#include "mesh/known_readers.h"

#include <assimp/BaseImporter.h>

#include <algorithm>
#include <array>
#include <assimp/Importer.hpp>
#include <cstring>
#include <string_view>

#ifdef OBTMIRROR_TEST_READERS
#include "mesh/test_readers.h"
#endif

namespace mesh {
namespace {

// The library's names of the readers kept, which have been fuzzed for
// years and read the formats people exchange meshes in.
constexpr std::array<std::string_view, 8> kKeptReaders = {
    "Wavefront Object Importer",
    "Stanford Polygon Library (PLY) Importer",
    "Stereolithography (STL) Importer",
    "OFF Importer",
    "glTF2 Importer",
    "Collada Importer",
    "Autodesk FBX Importer",
    "3mf Importer",
};

bool Kept(Assimp::BaseImporter& reader) {
  const aiImporterDesc* info = reader.GetInfo();
  return info != nullptr && info->mName != nullptr &&
         std::find(kKeptReaders.begin(), kKeptReaders.end(),
                   std::string_view(info->mName)) != kKeptReaders.end();
}

}  // namespace

void ChooseReaders(Assimp::Importer& importer, bool any_format) {
  if (!any_format) {
    for (std::size_t i = importer.GetImporterCount(); i-- > 0;) {
      Assimp::BaseImporter* reader = importer.GetImporter(i);
      if (reader == nullptr || Kept(*reader)) continue;
      // The importer no longer knows the reader, so it is ours to delete.
      importer.UnregisterLoader(reader);
      delete reader;
    }
  }
#ifdef OBTMIRROR_TEST_READERS
  RegisterTestReaders(importer);
#endif
}

std::string UnclaimedReason(const Assimp::Importer& importer,
                            const std::string& name, bool any_format) {
  if (any_format) return "";
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot + 1 < name.size() &&
      importer.IsExtensionSupported(name.substr(dot))) {
    return "";
  }
  return std::string(dot == std::string::npos
                         ? "a file without an extension"
                         : "no reader for ." + name.substr(dot + 1) +
                               " files") +
         " among the known formats (" + kKnownFormats +
         "); --any-format tries every reader of the mesh library";
}

}  // namespace mesh
