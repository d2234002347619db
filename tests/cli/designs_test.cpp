// Every design in tests/designs compiles with kemc to exactly the files in tests/designs/expected:
// <name>.ERR, <name>.mds and <name>.boo (a missing expected file means the file must not be
// written), the log on standard output (<name>.out) and the exit status (<name>.status). Level 0
// has its files in expected/, levels 1 and 2 in expected/level1/ and expected/level2/. With its
// line ends switched between LF and CR LF, a design compiles to the same files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
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

struct Design {
  fs::path source;
  std::string expected;  // the name of its expected files
  int level = 0;
};

void PrintTo(const Design& design, std::ostream* out) {
  *out << design.expected << " -m " << design.level;
}

// The designs of tests/designs, and those of examples/ with expected files named example_<name>,
// each at every minimization level.
std::vector<Design> AllDesigns() {
  std::vector<Design> designs;
  for (const auto& [folder, prefix] : {std::pair{DESIGNS_DIR, ""}, {EXAMPLES_DIR, "example_"}}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".kem") continue;
      for (int level : {0, 1, 2})
        designs.push_back({entry.path(), prefix + entry.path().stem().string(), level});
    }
  }
  std::sort(designs.begin(), designs.end(), [](const Design& a, const Design& b) {
    return std::tie(a.level, a.expected) < std::tie(b.level, b.expected);
  });
  return designs;
}

// The source with its line ends switched: LF to CR LF, or back to LF where it has CR LF already.
std::string SwitchLineEnds(const std::string& text) {
  const bool crlf = text.find("\r\n") != std::string::npos;
  std::string switched;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (crlf && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (!crlf && text[i] == '\n') switched += '\r';
    switched += text[i];
  }
  return switched;
}

void ExpectExpectedFiles(const Design& design, const std::string& source_text) {
  const std::string name = design.expected;
  const int level = design.level;
  fs::path expected = fs::path(DESIGNS_DIR) / "expected";
  if (level != 0) expected /= "level" + std::to_string(level);
  TempDir dir;
  dir.Write(name + ".kem", source_text);

  const auto result =
      RunKemc(dir.path(), "-m " + std::to_string(level) + " " + ShellQuote(name + ".kem"));
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

class Designs : public testing::TestWithParam<Design> {};

TEST_P(Designs, CompileToExpectedFiles) {
  ExpectExpectedFiles(GetParam(), Slurp(GetParam().source));
}

// Windows and Unix sources compile alike: the scanner drops a CR before a LF.
TEST(DesignsWithOtherLineEnds, CompileToTheSameFiles) {
  for (const Design& design : AllDesigns()) {
    if (design.level != 0) continue;
    SCOPED_TRACE(design.expected);
    ExpectExpectedFiles(design, SwitchLineEnds(Slurp(design.source)));
  }
}

INSTANTIATE_TEST_SUITE_P(All, Designs, testing::ValuesIn(AllDesigns()),
                         [](const testing::TestParamInfo<Design>& info) {
                           const Design& d = info.param;
                           return d.level == 0 ? d.expected
                                               : d.expected + "_level" + std::to_string(d.level);
                         });

}  // namespace
}  // namespace kem
