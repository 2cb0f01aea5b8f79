#include "mesh/reader_child.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <assimp/Importer.hpp>
#include <cerrno>
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
  outcome =
      ReadScene(importer, files->ModelPath(), start.options, feedback, object);
  outcome.notes = files->notes();
  return outcome;
}

// Writes the result to the memory file and seals it, so that the command
// may use it as it is, knowing it can no longer change. The object goes
// from where it lies, in one call.
bool HandBack(const ImportOutcome& outcome, const obt::ObtObject& object) {
  const std::vector<std::byte> head =
      ReaderResultHead(outcome, object.points.size(), object.triangles.size());
  const bool imported = outcome.status == ImportOutcome::Status::kImported;
  const auto whole = [imported](const auto& items) {
    return iovec{const_cast<void*>(static_cast<const void*>(items.data())),
                 imported ? items.size() * sizeof items[0] : 0};
  };
  std::array<iovec, 4> pieces = {
      iovec{const_cast<std::byte*>(head.data()), head.size()},
      whole(object.points), whole(object.triangles),
      whole(object.fourth_values)};
  std::span<iovec> left(pieces);
  while (!left.empty()) {
    const ssize_t written =
        ::writev(kResultFd, left.data(), static_cast<int>(left.size()));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    auto rest = static_cast<std::size_t>(written);
    while (!left.empty() && rest >= left.front().iov_len) {
      rest -= left.front().iov_len;
      left = left.subspan(1);
    }
    if (!left.empty()) {
      left.front().iov_base = static_cast<char*>(left.front().iov_base) + rest;
      left.front().iov_len -= rest;
    }
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
