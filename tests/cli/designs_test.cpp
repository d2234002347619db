// Every design in tests/designs compiles with kemc to exactly the files in tests/designs/expected:
// <name>.ERR, <name>.mds and <name>.boo (a missing expected file means the file must not be
// written), the log on standard output (<name>.out) and the exit status (<name>.status).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::RunKemc;
using testing_support::ShellQuote;
using testing_support::Slurp;
using testing_support::TempDir;

std::vector<std::string> DesignNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(DESIGNS_DIR)) {
    if (entry.path().extension() == ".kem") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Designs : public testing::TestWithParam<std::string> {};

TEST_P(Designs, CompileToExpectedFiles) {
  const std::string name = GetParam();
  const fs::path expected = fs::path(DESIGNS_DIR) / "expected";
  TempDir dir;
  fs::copy_file(fs::path(DESIGNS_DIR) / (name + ".kem"), dir.path() / (name + ".kem"));

  const auto result = RunKemc(dir.path(), ShellQuote(name + ".kem"));
  ASSERT_TRUE(fs::exists(expected / (name + ".status"))) << "no expected status for " << name;
  EXPECT_EQ(std::to_string(result.status) + "\n", Slurp(expected / (name + ".status")));
  EXPECT_EQ(result.out, Slurp(expected / (name + ".out")));

  for (const char* extension : {".ERR", ".mds", ".boo"}) {
    const fs::path want = expected / (name + extension);
    const auto got = dir.Read(name + extension);
    if (fs::exists(want)) {
      ASSERT_TRUE(got) << name << extension << " was not written";
      EXPECT_EQ(*got, Slurp(want)) << name << extension;
    } else {
      EXPECT_FALSE(got) << name << extension << " must not be written";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(All, Designs, testing::ValuesIn(DesignNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace
}  // namespace kem
