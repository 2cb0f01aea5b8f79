#ifndef OBTMIRROR_MESH_READER_IO_SYSTEM_H_
#define OBTMIRROR_MESH_READER_IO_SYSTEM_H_

#include <assimp/IOSystem.hpp>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace mesh {

// The file system as the library's readers see it in the reader process:
// the model, from the descriptor it was opened with, and the files it
// refers to (an OBJ's material library, a glTF's buffers), each resolved
// from the model's folder and never beyond it, and only when it is a
// regular file. The library is given the model as "./NAME", so that every
// file it asks for is named relative to that folder; an absolute name, a
// ".." that climbs out, a link that leads out or a URI scheme is refused.
// Each reference that the library tried to open and that was refused is
// noted once, as a line for the user that names it as the file does.
class ReaderIoSystem final : public Assimp::IOSystem {
 public:
  // `folder` is a descriptor of the model's folder (O_PATH will do),
  // `model` one of the model itself, named `model_name` in that folder.
  // Neither is closed here. `opened` hears of every file opened for the
  // first time, with its size.
  ReaderIoSystem(int folder, int model, std::string model_name,
                 std::function<void(uint64_t bytes)> opened);

  // The name to give the library for the model.
  std::string ModelPath() const { return "./" + model_name_; }

  bool Exists(const char* path) const override;
  char getOsSeparator() const override { return '/'; }
  Assimp::IOStream* Open(const char* path, const char* mode) override;
  void Close(Assimp::IOStream* stream) override;

  // The lines about the references refused or missing, in the order met.
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  // A new descriptor of `path`, or -1, with the reason noted when `noted`.
  int OpenBeneath(const std::string& path, bool noted) const;
  void Note(const std::string& reference, const std::string& why) const;

  int folder_;
  int model_;
  std::string model_name_;
  std::function<void(uint64_t)> opened_;
  mutable std::set<std::string> seen_;
  mutable std::vector<std::string> notes_;
};

// What a reference names in a file of this kind: "material library" for an
// OBJ's .mtl, "image" for a picture, "buffer" for anything else of a glTF,
// "file" otherwise.
std::string ReferenceKind(const std::string& model_name,
                          const std::string& reference);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_READER_IO_SYSTEM_H_
