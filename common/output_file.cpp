#include "common/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/interrupt_cleanup.h"

namespace kem {

namespace {

constexpr int kTemporaryNameAttempts = 100;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The process id keeps other processes' temporaries apart; the attempt number those of this one,
// since a name that is taken makes the next attempt.
std::string TemporaryName(const std::string& folder, int attempt) {
  return folder + ".kem-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
}

}  // namespace

bool OutputFile::Create(const std::string& path) {
  Discard();
  struct stat old {};
  bool replaces_file = false;
  if (::lstat(path.c_str(), &old) == 0) {
    if (S_ISREG(old.st_mode)) {
      if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return false;
      replaces_file = true;
    } else if (!S_ISLNK(old.st_mode)) {
      return false;
    }
  } else if (errno != ENOENT) {
    return false;  // too long a name, a folder that cannot be searched, ...
  }

  const std::string folder = FolderOf(path);
  InterruptBlock block;
  int fd = -1;
  std::string temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
    temporary = TemporaryName(folder, attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  if (replaces_file) ::fchmod(fd, old.st_mode & 07777);
  stream_ = ::fdopen(fd, "wb");
  if (stream_ == nullptr) {
    ::close(fd);
    ::unlink(temporary.c_str());
    return false;
  }
  RegisterTemporary(temporary);
  path_ = path;
  temporary_ = std::move(temporary);
  return true;
}

bool OutputFile::Finish() {
  if (stream_ == nullptr) return finished_;
  const bool written = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (written && closed) {
    finished_ = true;
    return true;
  }
  RemoveTemporary();
  return false;
}

bool OutputFile::Publish() {
  if (!finished_) return false;
  InterruptBlock block;
  finished_ = false;
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    RemoveTemporary();
    return false;
  }
  ForgetTemporary(temporary_);
  temporary_.clear();
  return true;
}

void OutputFile::Discard() {
  if (stream_ != nullptr) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  finished_ = false;
  RemoveTemporary();
}

void OutputFile::RemoveTemporary() {
  if (temporary_.empty()) return;
  InterruptBlock block;
  ::unlink(temporary_.c_str());
  ForgetTemporary(temporary_);
  temporary_.clear();
}

bool ReplaceWithEmptyFile(const std::string& path) {
  OutputFile file;
  return file.Create(path) && file.Commit();
}

}  // namespace kem
