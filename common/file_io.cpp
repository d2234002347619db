#include "common/file_io.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "common/windows_paths.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdint>

#include "common/interrupt_cleanup.h"
#include "common/output_file.h"

namespace kem {

namespace {

#ifdef _WIN32

int CloseFd(int fd) {
  return _close(fd);
}

long ReadFd(int fd, char* buffer, unsigned size) {
  return _read(fd, buffer, size);
}

HANDLE OpenExisting(const std::string& path, DWORD access, DWORD flags) {
  return CreateFileW(WidePath(path).c_str(), access,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     flags, nullptr);
}

// A descriptor for the regular file at `path` with its size, or -1. A folder does not open
// without backup semantics; a device, console or pipe opens, but is no disk file.
int OpenRegularFile(const std::string& path, std::uint64_t& size) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return -1;
  const HANDLE handle = OpenExisting(path, GENERIC_READ, FILE_ATTRIBUTE_NORMAL);
  if (handle == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER length{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &length)) {
    CloseHandle(handle);
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return -1;
  }
  size = static_cast<std::uint64_t>(length.QuadPart);
  return fd;
}

#else

int CloseFd(int fd) {
  return ::close(fd);
}

ssize_t ReadFd(int fd, char* buffer, std::size_t size) {
  return ::read(fd, buffer, size);
}

int OpenRegularFile(const std::string& path, std::uint64_t& size) {
  // Looked at before it is opened, since opening a FIFO or a device may wait or have effects.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return -1;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return -1;
  }
  size = static_cast<std::uint64_t>(status.st_size);
  return fd;
}

#endif

class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() { CloseFd(fd_); }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;

 private:
  int fd_;
};

}  // namespace

ReadResult ReadRegularFile(const std::string& path, std::string& bytes, std::size_t limit) {
  bytes.clear();
  std::uint64_t file_size = 0;
  const int fd = OpenRegularFile(path, file_size);
  if (fd < 0) return ReadResult::kCannotOpen;
  FdCloser closer(fd);
  if (file_size > limit) return ReadResult::kTooLarge;
  const auto size = static_cast<std::size_t>(file_size);
  bytes.reserve(size);
  char buffer[65536];
  for (;;) {
    const auto n = ReadFd(fd, buffer, sizeof buffer);
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

#ifdef _WIN32

PathKind KindOfPath(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::kMissing
                                                                          : PathKind::kFile;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return PathKind::kNotAFile;
  const HANDLE handle = OpenExisting(path, FILE_READ_ATTRIBUTES, 0);
  if (handle == INVALID_HANDLE_VALUE) return PathKind::kFile;
  const bool disk_file = GetFileType(handle) == FILE_TYPE_DISK;
  CloseHandle(handle);
  return disk_file ? PathKind::kFile : PathKind::kNotAFile;
}

// A folder counts as it does elsewhere, where it opens for reading.
bool CanBeOpened(const std::string& path) {
  const HANDLE handle = OpenExisting(path, GENERIC_READ, FILE_FLAG_BACKUP_SEMANTICS);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

namespace {

// The volume and the file's index on it name one file, whatever path leads to it; the C
// library's stat() gives no inode number here.
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  const HANDLE handle = OpenExisting(path, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  return known;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first{};
  BY_HANDLE_FILE_INFORMATION second{};
  return FileIdentity(a, first) && FileIdentity(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

#else

PathKind KindOfPath(const std::string& path) {
  struct stat status {};
  // A path that cannot be looked at (a folder on the way without permission) is there, but
  // cannot be read.
  if (::stat(path.c_str(), &status) != 0)
    return errno == ENOENT || errno == ENOTDIR ? PathKind::kMissing : PathKind::kFile;
  return S_ISREG(status.st_mode) ? PathKind::kFile : PathKind::kNotAFile;
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

#endif

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
