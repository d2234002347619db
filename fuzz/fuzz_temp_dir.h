// A private folder for the files a fuzz target has to write, made once per process and removed
// when the process ends normally.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kem::fuzzing {

inline const std::filesystem::path& ProcessTempDir() {
  static const std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "kem-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ProcessTempDir(), ignored);
    });
    return std::filesystem::path(pattern);
  }();
  return dir;
}

}  // namespace kem::fuzzing
