#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/interrupt_cleanup.h"
#include "common/output_file.h"

namespace kem {

namespace {

class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() { ::close(fd_); }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;

 private:
  int fd_;
};

}  // namespace

ReadResult ReadRegularFile(const std::string& path, std::string& bytes, std::size_t limit) {
  bytes.clear();
  // Looked at before it is opened, since opening a FIFO or a device may wait or have effects.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
    return ReadResult::kCannotOpen;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ReadResult::kCannotOpen;
  FdCloser closer(fd);
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return ReadResult::kCannotOpen;
  const auto size = static_cast<std::size_t>(status.st_size);
  if (size > limit) return ReadResult::kTooLarge;
  bytes.reserve(size);
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return ReadResult::kCannotOpen;
    }
    // The file may grow while it is read.
    if (static_cast<std::size_t>(n) > limit - bytes.size()) {
      bytes.clear();
      bytes.shrink_to_fit();
      return ReadResult::kTooLarge;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return ReadResult::kRead;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  return ReadRegularFile(path, bytes) == ReadResult::kRead;
}

bool CanBeOpened(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

ReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                  const std::function<void()>& before_replacing) {
  OutputFile file;
  if (!file.Create(path)) return ReplaceResult::kCannotCreate;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) == bytes.size();
  if (!file.Finish() || !written) return ReplaceResult::kWriteFailed;
  InterruptBlock block;
  if (before_replacing) before_replacing();
  return file.Publish() ? ReplaceResult::kReplaced : ReplaceResult::kCannotCreate;
}

}  // namespace kem
