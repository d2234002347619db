#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace kem {

namespace {

namespace fs = std::filesystem;

constexpr int kTemporaryNameAttempts = 100;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A new file in `folder` that no one else uses; its name goes to `name`.
std::FILE* CreateTemporaryFile(const fs::path& folder, std::string& name) {
  for (int n = 0; n < kTemporaryNameAttempts; ++n) {
    name = (folder / (".kem-save-" + std::to_string(n) + ".tmp")).string();
    errno = 0;
    if (std::FILE* file = std::fopen(name.c_str(), "wbx")) return file;
    if (errno != EEXIST) break;
  }
  return nullptr;
}

// A write that only fails when the buffer is flushed fails as well.
bool WriteAndClose(std::FILE* file, std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  bytes.clear();
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, n);
  // A folder opens on some systems but cannot be read.
  return !std::ferror(file.get());
}

ReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                  const std::function<void()>& before_replacing) {
  std::error_code error;
  if (fs::is_directory(path, error)) return ReplaceResult::kCannotCreate;

  std::string temporary;
  std::FILE* file = CreateTemporaryFile(fs::path(path).parent_path(), temporary);
  if (file == nullptr) {
    file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return ReplaceResult::kCannotCreate;
    return WriteAndClose(file, bytes) ? ReplaceResult::kReplaced : ReplaceResult::kWriteFailed;
  }
  if (!WriteAndClose(file, bytes)) {
    std::remove(temporary.c_str());
    return ReplaceResult::kWriteFailed;
  }
  if (const fs::file_status old = fs::status(path, error); fs::exists(old))
    fs::permissions(temporary, old.permissions(), error);
  if (before_replacing) before_replacing();
  std::error_code rename_error;
  fs::rename(temporary, path, rename_error);
  if (rename_error) {
    std::remove(temporary.c_str());
    return ReplaceResult::kCannotCreate;
  }
  return ReplaceResult::kReplaced;
}

}  // namespace kem
