// kemc --part, --power-down and --secure: the JEDEC file of every part with and without its
// power-down and security fuses, checked field by field and read back by our reader, the device
// simulator and, where installed and it knows the fuse count, jedutil; parts that do not fit the
// design or lack the feature are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/jedec_parts.h"
#include "device/jedec_reader.h"
#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::RunKemc;
using testing_support::TempDir;

struct PartCase {
  const char* part;
  const char* example;
  int fuses;       // QF of the family
  int power_down;  // the power-down fuse, -1 none
  const char* jedutil_type;
};

TEST(PartFiles, CarryThePartsFusesAndReadBack) {
  const PartCase cases[] = {
      {"GAL16V8", "ampel", 2194, -1, "gal16v8"},
      {"ATF16V8B", "ampel", 2194, -1, "gal16v8"},
      {"ATF16V8C", "gal16v8_complex_bus", 2194, 2194, "gal16v8"},
      {"ATF20V8B", "gal20v8_registered_counter", 2706, -1, "gal20v8"},
      {"ATF22V10C", "gal22v10_counter", 5892, 5892, "gal22v10"},
      {"ATF22V10CQZ", "gal22v10_counter", 5892, -1, "gal22v10"},
  };
  const bool jedutil = std::system("command -v jedutil >/dev/null 2>&1") == 0;
  for (const PartCase& c : cases) {
    TempDir dir;
    fs::copy_file(fs::path(EXAMPLES_DIR) / (std::string(c.example) + ".kem"), dir.path() / "d.kem");
    ASSERT_EQ(RunKemc(dir.path(), "--fit d.kem").status, 0);
    const std::string plain = *dir.Read("d.jed");
    for (int variant = 0; variant < 4; ++variant) {
      const bool power_down = (variant & 1) != 0 && c.power_down >= 0;
      const bool secure = (variant & 2) != 0;
      const std::string options = std::string("--fit --part ") + c.part +
                                  (power_down ? " --power-down" : "") + (secure ? " --secure" : "");
      SCOPED_TRACE(options + " " + c.example);
      const auto r = RunKemc(dir.path(), options + " d.kem");
      ASSERT_EQ(r.status, 0) << r.err;
      const int fuses = c.fuses + (power_down ? 1 : 0);
      EXPECT_NE(
          r.out.find("Im Programmiergerät " + std::string(c.part) + " wählen: JEDEC-Datei mit " +
                     std::to_string(fuses) + " Fuses (QF" + std::to_string(fuses) + ")"),
          std::string::npos)
          << r.out;
      const std::string text = *dir.Read("d.jed");
      if (!power_down && !secure && std::string(c.part).starts_with("GAL")) {
        EXPECT_EQ(text, plain);
      }
      std::string error;
      const auto file = ReadJedec(text, error);
      ASSERT_TRUE(file) << error;
      EXPECT_EQ(ChecksumFault(*file), "");
      EXPECT_EQ(file->fuse_count, fuses);
      EXPECT_EQ(file->security, secure ? 1 : 0);
      EXPECT_EQ(file->header.find(" PART " + std::string(c.part)) != std::string::npos,
                !std::string(c.part).starts_with("GAL"));
      if (power_down) {
        EXPECT_EQ(file->fuses[c.power_down], 1);
      }
      const auto before = ReadJedec(plain, error);
      EXPECT_TRUE(std::equal(before->fuses.begin(), before->fuses.end(), file->fuses.begin()));
      const int type = JedecDeviceType(*file);
      EXPECT_EQ(DeviceName(type), DeviceName(FindPart(c.part)->gal_type));
      EXPECT_TRUE(DeviceSimulator::FromFuses(type, file->fuses, error)) << error;
      if (jedutil && !power_down) {
        const std::string command = "cd " + testing_support::ShellQuote(dir.path().string()) +
                                    " && jedutil -view d.jed " + c.jedutil_type + " >v.txt 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << *dir.Read("v.txt");
      }
    }
  }
}

// Each refusal with its message and the exit status of a wrong call.
TEST(PartFiles, RefuseWhatThePartCannotDo) {
  TempDir dir;
  fs::copy_file(fs::path(EXAMPLES_DIR) / "ampel.kem", dir.path() / "ampel.kem");
  const struct {
    const char* options;
    const char* error;
  } cases[] = {
      {"--fit --part ATF22V10C", "ATF22V10C gehört nicht zur Familie GAL16V8 des Designs"},
      {"--fit --part ATF16V8B --power-down",
       "ATF16V8B hat keinen Power-Down-Modus; --power-down gibt es für ATF16V8C ATF22V10C"},
      {"--fit --power-down", "--power-down verlangt einen Baustein mit Power-Down-Modus (--part)"},
      {"--part ATF16V8B", "--part verlangt --fit oder --fit-only"},
      {"--fit --part 16V8",
       "unbekannter Baustein: 16V8 (bekannt: GAL16V8 GAL20V8 GAL22V10 "
       "ispGAL22V10 ATF16V8B ATF16V8C ATF20V8B ATF22V10C ATF22V10CQZ)"},
  };
  for (const auto& c : cases) {
    const auto r = RunKemc(dir.path(), std::string(c.options) + " ampel.kem");
    EXPECT_EQ(r.status, 2) << c.options;
    EXPECT_NE(r.err.find(std::string("kemc: error: ") + c.error + "\n"), std::string::npos)
        << r.err;
  }
  // kem.ini names the part when the command line does not.
  dir.Write("kem.ini", "KEMWinPart=atf16v8c\n");
  const auto r = RunKemc(dir.path(), "--fit --power-down ampel.kem");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(dir.Read("ampel.jed")->find("QF2195*"), std::string::npos);
  // A part of another family there leaves a design its family's own.
  dir.Write("kem.ini", "KEMWinPart=ATF22V10C\n");
  const auto other = RunKemc(dir.path(), "--fit ampel.kem");
  EXPECT_EQ(other.status, 0) << other.err;
  EXPECT_NE(other.out.find("Im Programmiergerät GAL16V8 wählen: JEDEC-Datei mit 2194 Fuses"),
            std::string::npos)
      << other.out;
}

}  // namespace
}  // namespace kem
