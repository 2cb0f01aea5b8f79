#include "mesh/test_readers.h"

#include <assimp/BaseImporter.h>
#include <assimp/importerdesc.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <assimp/IOStream.hpp>
#include <assimp/IOSystem.hpp>
#include <assimp/Importer.hpp>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace mesh {
namespace {

enum class Misdeed { kCrash, kSpin, kSleep, kHoard, kSocket, kPeek };

class MisbehavingReader final : public Assimp::BaseImporter {
 public:
  MisbehavingReader(Misdeed misdeed, const char* extension)
      : misdeed_(misdeed) {
    info_.mName = "test reader";
    info_.mFileExtensions = extension;
  }

  bool CanRead(const std::string& file, Assimp::IOSystem*,
               bool) const override {
    const std::string ending = std::string(".") + info_.mFileExtensions;
    return file.size() >= ending.size() &&
           file.compare(file.size() - ending.size(), ending.size(), ending) ==
               0;
  }

  const aiImporterDesc* GetInfo() const override { return &info_; }

 protected:
  void InternReadFile(const std::string& file, aiScene*,
                      Assimp::IOSystem* files) override {
    switch (misdeed_) {
      case Misdeed::kCrash: {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
        break;
      }
      case Misdeed::kSpin: {
        volatile unsigned long turns = 0;
        for (;;) turns = turns + 1;
      }
      case Misdeed::kSleep:
        for (;;) ::sleep(1000);
      case Misdeed::kHoard: {
        std::vector<std::unique_ptr<char[]>> hoard;
        for (;;) {
          hoard.emplace_back(new char[1 << 20]);
          std::memset(hoard.back().get(), 1, 1 << 20);
        }
      }
      case Misdeed::kSocket:
        ::socket(AF_INET, SOCK_STREAM, 0);
        break;
      case Misdeed::kPeek:
        Peek(file, *files);
    }
    throw std::runtime_error("the test reader survived its misdeed");
  }

 private:
  // Opens the file that the model names, behind the library's back.
  [[noreturn]] static void Peek(const std::string& file,
                                Assimp::IOSystem& files) {
    std::unique_ptr<Assimp::IOStream> model(files.Open(file, "rb"));
    std::string path(model ? model->FileSize() : 0, '\0');
    if (model) model->Read(path.data(), 1, path.size());
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd >= 0) throw std::runtime_error("opened " + path);
    throw std::runtime_error("cannot open " + path + ": " +
                             std::strerror(errno));
  }

  Misdeed misdeed_;
  aiImporterDesc info_{};
};

}  // namespace

void RegisterTestReaders(Assimp::Importer& importer) {
  importer.RegisterLoader(new MisbehavingReader(Misdeed::kCrash, "crash-test"));
  importer.RegisterLoader(new MisbehavingReader(Misdeed::kSpin, "spin-test"));
  importer.RegisterLoader(new MisbehavingReader(Misdeed::kSleep, "sleep-test"));
  importer.RegisterLoader(new MisbehavingReader(Misdeed::kHoard, "hoard-test"));
  importer.RegisterLoader(
      new MisbehavingReader(Misdeed::kSocket, "socket-test"));
  importer.RegisterLoader(new MisbehavingReader(Misdeed::kPeek, "peek-test"));
}

}  // namespace mesh
