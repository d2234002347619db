#include "common/output_file.h"

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

#include "common/interrupt_cleanup.h"

namespace kem {

namespace {

constexpr int kTemporaryNameAttempts = 100;

enum class NewFile { kCreated, kNameTaken, kFailed };

#ifdef _WIN32

// "C:name" is a name in the current folder of drive C:.
constexpr const char* kFolderEnds = "/\\:";

unsigned long ProcessId() {
  return GetCurrentProcessId();
}

struct PreviousFile {};

// False when nothing may take the name: a folder, a read-only file, or a name the system cannot
// look at. A link to a file is replaced like a file.
bool InspectName(const std::string& path, PreviousFile&) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// The temporary may be deleted while it is open (FILE_SHARE_DELETE), so an interrupt can remove
// it while a write is under way.
NewFile CreateExclusive(const std::string& temporary, const PreviousFile&, std::FILE*& stream) {
  const HANDLE handle = CreateFileW(WidePath(temporary).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return GetLastError() == ERROR_FILE_EXISTS ? NewFile::kNameTaken : NewFile::kFailed;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
  } else {
    stream = _fdopen(fd, "wb");
    if (stream != nullptr) return NewFile::kCreated;
    _close(fd);
  }
  DeleteFileW(WidePath(temporary).c_str());
  return NewFile::kFailed;
}

bool RemoveFile(const std::string& path) {
  return DeleteFileW(WidePath(path).c_str()) != 0;
}

// Unlike rename() of the C library on Windows, this replaces a file that has the name.
bool RenameOver(const std::string& from, const std::string& to) {
  return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

#else

constexpr const char* kFolderEnds = "/";

pid_t ProcessId() {
  return ::getpid();
}

struct PreviousFile {
  bool replaces_file = false;
  mode_t mode = 0;
};

// False when nothing may take the name: a folder or anything else that is neither a file nor a
// link, a file the user may not write, or a name that cannot be looked at.
bool InspectName(const std::string& path, PreviousFile& previous) {
  struct stat old {};
  if (::lstat(path.c_str(), &old) == 0) {
    if (S_ISREG(old.st_mode)) {
      if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return false;
      previous.replaces_file = true;
      previous.mode = old.st_mode & 07777;
    } else if (!S_ISLNK(old.st_mode)) {
      return false;
    }
  } else if (errno != ENOENT) {
    return false;  // too long a name, a folder that cannot be searched, ...
  }
  return true;
}

NewFile CreateExclusive(const std::string& temporary, const PreviousFile& previous,
                        std::FILE*& stream) {
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? NewFile::kNameTaken : NewFile::kFailed;
  if (previous.replaces_file) ::fchmod(fd, previous.mode);
  stream = ::fdopen(fd, "wb");
  if (stream != nullptr) return NewFile::kCreated;
  ::close(fd);
  ::unlink(temporary.c_str());
  return NewFile::kFailed;
}

bool RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

#endif

std::string FolderOf(const std::string& path) {
  const std::size_t end = path.find_last_of(kFolderEnds);
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

// The process id keeps other processes' temporaries apart; the attempt number those of this one,
// since a name that is taken makes the next attempt.
std::string TemporaryName(const std::string& folder, int attempt) {
  return folder + ".kem-" + std::to_string(ProcessId()) + "-" + std::to_string(attempt) + ".tmp";
}

}  // namespace

bool OutputFile::Create(const std::string& path) {
  Discard();
  PreviousFile previous;
  if (!InspectName(path, previous)) return false;

  const std::string folder = FolderOf(path);
  InterruptBlock block;
  std::FILE* stream = nullptr;
  std::string temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && stream == nullptr; ++attempt) {
    temporary = TemporaryName(folder, attempt);
    if (CreateExclusive(temporary, previous, stream) == NewFile::kFailed) return false;
  }
  if (stream == nullptr) return false;
  stream_ = stream;
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
  if (!RenameOver(temporary_, path_)) {
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
  RemoveFile(temporary_);
  ForgetTemporary(temporary_);
  temporary_.clear();
}

bool ReplaceWithEmptyFile(const std::string& path) {
  OutputFile file;
  return file.Create(path) && file.Commit();
}

}  // namespace kem
