// Every example design, compiled and fitted by kemc at each minimization level, gives a JEDEC
// file whose checksums hold and whose device computes the equations of the intermediate file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "device/jedec_reader.h"
#include "tests/support/fit_check.h"
#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::RunKemc;
using testing_support::TempDir;

struct FitDesign {
  fs::path source;
  int level;
};

void PrintTo(const FitDesign& design, std::ostream* out) {
  *out << design.source.stem().string() << " -m " << design.level;
}

std::vector<FitDesign> Examples() {
  std::vector<fs::path> sources;
  for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR)) {
    if (entry.path().extension() == ".kem") sources.push_back(entry.path());
  }
  std::sort(sources.begin(), sources.end());
  std::vector<FitDesign> designs;
  for (const fs::path& source : sources) {
    for (int level : {0, 1, 2}) designs.push_back({source, level});
  }
  return designs;
}

class FittedExample : public testing::TestWithParam<FitDesign> {};

TEST_P(FittedExample, DeviceComputesTheEquations) {
  TempDir dir;
  fs::copy_file(GetParam().source, dir.path() / "design.kem");
  const auto r =
      RunKemc(dir.path(), "--fit -m " + std::to_string(GetParam().level) + " design.kem");
  ASSERT_EQ(r.status, 0) << r.err;

  const auto intermediate = dir.Read("design.boo");
  const auto jedec_text = dir.Read("design.jed");
  ASSERT_TRUE(intermediate && jedec_text);
  const auto design = testing_support::ReadIntermediate(*intermediate);
  ASSERT_TRUE(design);
  std::string error;
  const auto jedec = ReadJedec(*jedec_text, error);
  ASSERT_TRUE(jedec) << error;
  EXPECT_EQ(jedec->fuse_checksum, static_cast<unsigned>(jedec->stated_fuse_checksum));
  EXPECT_EQ(jedec->transmission_checksum,
            static_cast<unsigned>(jedec->stated_transmission_checksum));
  // The last line names the family's part and the fuse count the file states.
  const std::string fuses = std::to_string(jedec->fuse_count);
  EXPECT_TRUE(r.out.ends_with("Fitterdurchgang erfolgreich beendet\nIm Programmiergerät " +
                              std::string(DeviceName(design->design.Gal_Type)) +
                              " wählen: JEDEC-Datei mit " + fuses + " Fuses (QF" + fuses + ")\n"))
      << r.out;
  const auto model = DeviceSimulator::FromFuses(design->design.Gal_Type, jedec->fuses, error);
  ASSERT_TRUE(model) << error;
  EXPECT_EQ(testing_support::CheckDeviceAgainstEquations(*model, *design), "");
}

INSTANTIATE_TEST_SUITE_P(Examples, FittedExample, testing::ValuesIn(Examples()),
                         [](const testing::TestParamInfo<FitDesign>& info) {
                           return info.param.source.stem().string() + "_level" +
                                  std::to_string(info.param.level);
                         });

}  // namespace
}  // namespace kem
