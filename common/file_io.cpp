#include "common/file_io.h"

#include <cstdio>
#include <memory>

namespace kem {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

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

}  // namespace kem
