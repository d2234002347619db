#include "common/names.h"

#include <gtest/gtest.h>

namespace kem {
namespace {

struct StemCase {
  const char* document;
  const char* stem;
};

class StemTest : public testing::TestWithParam<StemCase> {};

TEST_P(StemTest, DerivesStemFromDocumentName) {
  EXPECT_EQ(Stem(GetParam().document), GetParam().stem) << GetParam().document;
}

INSTANTIATE_TEST_SUITE_P(
    Names, StemTest,
    testing::Values(StemCase{"ampel.kem", "ampel."}, StemCase{"ampel", "ampel."},
                    StemCase{"x.long", "x.long."}, StemCase{"a.b", "a."}, StemCase{"a.", "a."},
                    StemCase{".kem", "."}, StemCase{"", "."},
                    StemCase{"dir.d/ampel", "dir.d/ampel."}, StemCase{"dir.d/abc", "dir.d/abc."},
                    StemCase{"d.x/ab", "d.x/ab."}, StemCase{"d.x\\ab", "d.x\\ab."},
                    StemCase{"/tmp/my dir/ä.kem", "/tmp/my dir/ä."},
                    StemCase{"C:\\KEM.D\\AMPEL.KEM", "C:\\KEM.D\\AMPEL."},
                    StemCase{"C:\\KEM.D\\AB", "C:\\KEM.D\\AB."}));

TEST(ExtensionDotIndex, AppendsDotOnlyWhenNoExtension) {
  std::string name = "ampel";
  EXPECT_EQ(ExtensionDotIndex(name), 5u);
  EXPECT_EQ(name, "ampel.");
  std::string with_extension = "ampel.kem";
  EXPECT_EQ(ExtensionDotIndex(with_extension), 5u);
  EXPECT_EQ(with_extension, "ampel.kem");
}

TEST(OutputExtension, OutputNamesInAnyCaseAreRecognised) {
  for (const char* name : {"x.mds", "x.MDS", "x.boo", "x.Boo", "x.ERR", "x.err", "x.jed", "x.JED"})
    EXPECT_TRUE(IsOutputExtension(name)) << name;
  EXPECT_TRUE(IsOutputExtension("C:\\KEM\\AMPEL.MDS"));
  for (const char* name :
       {"x.kem", "x.gal", "x", "x.md", "x.mdsx", "mds", "dir.mds/x", "C:\\D.MDS\\AB"})
    EXPECT_FALSE(IsOutputExtension(name)) << name;
}

}  // namespace
}  // namespace kem
