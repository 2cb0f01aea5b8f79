#include "mesh/reader_child.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cerrno>
#include <cstdint>
#include <exception>
#include <new>
#include <span>
#include <utility>

#include "mesh/known_readers.h"
#include "mesh/mesh_import.h"
#include "mesh/reader_bounds.h"
#include "mesh/reader_io_system.h"
#include "mesh/reader_messages.h"
#include "mesh/reader_result.h"
#include "mesh/reader_sandbox.h"

namespace mesh {

void SendReaderMessage(ReaderMessageKind kind, uint32_t value) {
  const ReaderMessage message = {kind, value};
  while (::write(kMessageFd, &message, sizeof message) < 0 && errno == EINTR) {
  }
}

namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;

// The gauge, as messages to the command, one for each step it moves.
class MessageFeedback final : public work::Feedback {
 public:
  void SetStatusText(std::string_view) override {}
  void SetGaugeMaximum(int32_t maximum) override { maximum_ = maximum; }
  void SetGaugeProgress(int32_t progress) override {
    if (maximum_ <= 0) return;
    const auto percent = static_cast<uint32_t>(
        std::clamp<int64_t>(int64_t{progress} * 100 / maximum_, 0, 100));
    if (percent == sent_) return;
    sent_ = percent;
    SendReaderMessage(ReaderMessageKind::kProgress, percent);
  }

 private:
  int32_t maximum_ = 0;
  uint32_t sent_ = UINT32_MAX;
};

// The library's operator new fails only at the memory bound: the command
// is told so, and the process ends, before anything goes on with a null.
void OutOfMemory() {
  SendReaderMessage(ReaderMessageKind::kOutOfMemory, 0);
  ::_exit(1);
}

// The soft bounds follow the bytes the library has opened.
class GrowingBounds {
 public:
  explicit GrowingBounds(const ReaderStart& start)
      : start_(start), bytes_(start.model_bytes) {}

  void Opened(uint64_t bytes) {
    bytes_ += bytes;
    const ReaderBounds bounds = BoundsFor(start_.limits, start_.base, bytes_);
    RaiseReaderBounds(bounds.memory_soft, bounds.seconds_soft);
    SendReaderMessage(ReaderMessageKind::kMemoryBound,
                      static_cast<uint32_t>(std::min<uint64_t>(
                          bounds.memory_soft / kMiB, UINT32_MAX)));
    SendReaderMessage(ReaderMessageKind::kTimeBound,
                      static_cast<uint32_t>(bounds.seconds_soft));
  }

 private:
  const ReaderStart& start_;
  uint64_t bytes_;
};

ImportOutcome Read(const ReaderStart& start, obt::ObtObject& object) {
  GrowingBounds bounds(start);
  // The importer takes the file system over and deletes it.
  auto* files =
      new ReaderIoSystem(kFolderFd, kModelFd, start.model_name,
                         [&bounds](uint64_t bytes) { bounds.Opened(bytes); });
  // Never given back: taking the scene apart block by block would cost as
  // much as a tenth of the reading, and the process ends as soon as the
  // object has been handed back, when the system takes all of it at once.
  Assimp::Importer& importer = *new Assimp::Importer;
  importer.SetIOHandler(files);
  ChooseReaders(importer, start.limits.any_format);
  ImportOutcome outcome;
  if (std::string reason =
          UnclaimedReason(importer, start.model_name, start.limits.any_format);
      !reason.empty()) {
    outcome.status = ImportOutcome::Status::kNotRead;
    outcome.reason = std::move(reason);
    return outcome;
  }
  MessageFeedback feedback;
  outcome = ReadScene(importer, files->ModelPath(), start.options, feedback,
                      object, [](std::size_t points, std::size_t triangles) {
                        // At most what a run holds, which fits the messages.
                        SendReaderMessage(ReaderMessageKind::kPointCount,
                                          static_cast<uint32_t>(points));
                        SendReaderMessage(ReaderMessageKind::kTriangleCount,
                                          static_cast<uint32_t>(triangles));
                      });
  outcome.notes = files->notes();
  return outcome;
}

// The bytes of `items`, when `used`.
template <typename Items>
std::span<const std::byte> BytesOf(const Items& items, bool used) {
  return used ? std::as_bytes(std::span(items)) : std::span<const std::byte>();
}

// Writes `bytes` to the memory file at its end, a piece at a time, and
// gives each piece's whole pages back once written: the object never
// takes twice its memory. The command hears how far the file has come,
// so that it can look at those pages meanwhile.
bool WritePieces(std::span<const std::byte> bytes, uint64_t& written) {
  // Pieces end where huge pages do, so that each is given back whole.
  constexpr uintptr_t kPiece = uintptr_t{2} << 20;
  const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  while (!bytes.empty()) {
    const auto at = reinterpret_cast<uintptr_t>(bytes.data());
    const std::span<const std::byte> piece = bytes.first(
        std::min<std::size_t>((at / kPiece + 1) * kPiece - at, bytes.size()));
    const ssize_t n = ::write(kResultFd, piece.data(), piece.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    const auto done = static_cast<std::size_t>(n);
    const auto from = reinterpret_cast<uintptr_t>(piece.data());
    const uintptr_t start = (from + page - 1) / page * page;
    const uintptr_t end = (from + done) / page * page;
    if (start < end) {
      ::madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
    }
    bytes = bytes.subspan(done);
    written += done;
    SendReaderMessage(ReaderMessageKind::kWritten,
                      static_cast<uint32_t>(written >> 20));
  }
  return true;
}

// Writes the result to the memory file and seals it, so that the command
// may use it as it is, knowing it can no longer change. The object goes
// from where it lies, and is gone from there afterwards.
bool HandBack(const ImportOutcome& outcome, const obt::ObtObject& object) {
  const std::vector<std::byte> header = ReaderResultHeader(
      outcome, object.points.size(), object.triangles.size());
  const std::vector<std::byte> texts = ReaderResultTexts(outcome);
  const bool imported = outcome.status == ImportOutcome::Status::kImported;
  uint64_t written = 0;
  for (const std::span<const std::byte> part :
       {BytesOf(header, true), BytesOf(object.points, imported),
        BytesOf(object.triangles, imported),
        BytesOf(object.fourth_values, imported), BytesOf(texts, true)}) {
    if (!WritePieces(part, written)) return false;
  }
  return ::fcntl(kResultFd, F_ADD_SEALS,
                 F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) == 0;
}

}  // namespace

void RunReader(const ReaderStart& start) {
  std::set_new_handler(OutOfMemory);
  ImportOutcome outcome;
  obt::ObtObject object;
  std::string reason;
  if (!ConfineReader(BoundsFor(start.limits, start.base, start.model_bytes),
                     reason)) {
    outcome.status = ImportOutcome::Status::kNotRead;
    outcome.reason = "the reader process " + reason;
  } else {
    try {
      outcome = Read(start, object);
    } catch (const std::bad_alloc&) {
      OutOfMemory();
    } catch (const std::exception& error) {
      outcome = {};
      outcome.status = ImportOutcome::Status::kNotRead;
      outcome.reason = error.what();
    }
  }
  if (HandBack(outcome, object)) {
    SendReaderMessage(ReaderMessageKind::kDone, 0);
  } else if (errno == ENOMEM) {
    OutOfMemory();
  }
  // The scene and the object go with the process, all at once.
  ::_exit(0);
}

}  // namespace mesh
