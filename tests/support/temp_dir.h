// A fresh folder for a test's files, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>

namespace kem::testing_support {

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("kem-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    MakeRemovable(path_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(path_ / name, std::ios::binary) << text;
  }
  // The file's bytes, or nothing when it does not exist.
  std::optional<std::string> Read(const std::string& name) const {
    if (std::filesystem::is_directory(path_ / name)) return std::nullopt;
    std::ifstream in(path_ / name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

  // Every file and folder below `folder` (the whole temporary folder when empty) with the bytes
  // of each file, so that a test can show that nothing was changed, added or removed.
  using Contents = std::map<std::string, std::string>;
  Contents Snapshot(const std::string& folder = {}) const {
    Contents contents;
    const std::filesystem::path root = path_ / folder;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      const std::string name = std::filesystem::relative(entry.path(), root).string();
      if (entry.is_directory()) {
        contents[name] = "<folder>";
      } else if (std::optional<std::string> bytes =
                     Read((std::filesystem::path(folder) / name).string())) {
        contents[name] = *bytes;
      } else {
        contents[name] = "<unreadable, " + std::to_string(entry.file_size()) + " bytes>";
      }
    }
    return contents;
  }

 private:
  // A test may have taken permissions away from any folder; the owner may give them back.
  static void MakeRemovable(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      if (it->is_directory(error) && !it->is_symlink(error)) MakeRemovable(it->path());
    }
  }

  std::filesystem::path path_;
};

}  // namespace kem::testing_support
