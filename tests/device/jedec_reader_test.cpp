// The JEDEC reader on our own files and on the layouts other tools write, and test vectors
// added to a finished file.
#include "device/jedec_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/fitter.h"
#include "device/jedec_vectors.h"
#include "device/jedec_writer.h"
#include "tests/support/intermediate_builder.h"

namespace kem {
namespace {

using testing_support::IntermediateBuilder;

// The JEDEC file of a design with one equation, Y = A, on the device.
std::string Written(int gal_type, int mode) {
  IntermediateBuilder b(gal_type, mode);
  const int a = gal_type == kIspGal22V10 ? 3 : 2;
  const int y = gal_type == kGal16V8 ? 18 : gal_type == kIspGal22V10 ? 26 : 21;
  b.Input(a, "A").Output(y, "Y").Equations("Y = A ; 1");
  Fitter fitter;
  std::istringstream in(b.Text());
  EXPECT_EQ(fitter.Fit(in), 1);
  return JedecText(fitter.fuse_map(), fitter.design(), fitter.pins());
}

JedecFile Read(const std::string& text) {
  std::string error;
  auto file = ReadJedec(text, error);
  EXPECT_TRUE(file) << error;
  return file.value_or(JedecFile{});
}

std::string Refusal(const std::string& text) {
  std::string error;
  EXPECT_FALSE(ReadJedec(text, error)) << text;
  return error;
}

TEST(ReadJedec, OurFilesReadBackWithBothChecksumsAndTheirDevice) {
  const std::pair<int, int> kinds[] = {{kGal16V8, kSimpleMode},
                                       {kGal20V8, kComplexMode},
                                       {kGal22V10, kRegisteredMode},
                                       {kIspGal22V10, kSimpleMode}};
  for (const auto& [type, mode] : kinds) {
    const JedecFile file = Read(Written(type, mode));
    EXPECT_EQ(file.pins, PinCount(type));
    EXPECT_EQ(file.fuse_count, static_cast<int>(DeviceJedecLayout(type).cells.size()));
    EXPECT_EQ(file.fuses.size(), static_cast<std::size_t>(file.fuse_count));
    EXPECT_EQ(ChecksumFault(file), "") << DeviceName(type);
    EXPECT_EQ(file.stated_transmission_checksum, static_cast<int>(file.transmission_checksum));
    EXPECT_EQ(JedecDeviceType(file), type);
    EXPECT_EQ(PinNamesFromNotes(file)[type == kIspGal22V10 ? 3 : 2], "A");
    EXPECT_TRUE(file.vectors.empty());
    EXPECT_EQ(file.vector_count, -1);
  }
}

// Line breaks inside L fields, a default fuse, fields that do not concern the fuses, text around
// the frame and a transmission checksum of 0000 ("not computed").
TEST(ReadJedec, OtherToolsLayouts) {
  const std::string text =
      "programmer header\r\n\x02Made by another tool\r\n*QP20*QF2194*\r\nF0*\r\nL0000\r\n0101\r\n"
      "1111*\nL2192 11*\nX0*J1 2*D9*\nC00FD*\n\x03"
      "0000 trailing";
  const JedecFile file = Read(text);
  EXPECT_EQ(file.header, "Made by another tool");
  ASSERT_EQ(file.fuses.size(), 2194u);
  EXPECT_EQ((std::vector<std::uint8_t>(file.fuses.begin(), file.fuses.begin() + 9)),
            (std::vector<std::uint8_t>{0, 1, 0, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(file.fuses[2192], 1);
  EXPECT_EQ(file.fuses[2193], 1);
  EXPECT_EQ(file.fuse_checksum, 0x00FDu);
  EXPECT_EQ(ChecksumFault(file), "");
  EXPECT_EQ(JedecDeviceType(file), kGal16V8);
}

TEST(ReadJedec, DamagedFilesAreRefusedWithTheirReason) {
  EXPECT_EQ(Refusal("QF4*L0 0101*"), "kein STX-ETX-Rahmen");
  EXPECT_EQ(Refusal("\x02*QF4*L0 0101*\x03"), "keine Übertragungsprüfsumme nach ETX");
  EXPECT_EQ(Refusal("\x02no end\x03"
                    "0000"),
            "erstes Feld ohne *");
  EXPECT_EQ(Refusal("\x02*QF4*L0 0101*rest\x03"
                    "0000"),
            "Text nach dem letzten Feld");
  EXPECT_EQ(Refusal("\x02*QF4*L0 01*\x03"
                    "0000"),
            "Fuse 2 steht in keinem Feld");
  EXPECT_EQ(Refusal("\x02*QF4*L2 012*\x03"
                    "0000"),
            "fehlerhaftes Feld L2 012");
  EXPECT_EQ(Refusal("\x02*QF4*L2 011*\x03"
                    "0000"),
            "fehlerhaftes Feld L2 011");
  EXPECT_EQ(Refusal("\x02*L0 0*QF4*\x03"
                    "0000"),
            "fehlerhaftes Feld L0 0");
  EXPECT_EQ(Refusal("\x02*QF99999999*\x03"
                    "0000"),
            "fehlerhaftes Feld QF99999999");
  EXPECT_EQ(Refusal("\x02*QF4*F2*\x03"
                    "0000"),
            "fehlerhaftes Feld F2");
  EXPECT_EQ(Refusal("\x02*QF4*F0*C12*\x03"
                    "0000"),
            "fehlerhaftes Feld C12");
  EXPECT_EQ(Refusal("\x02*QF4*F0*V0001*\x03"
                    "0000"),
            "fehlerhaftes Feld V0001");
}

TEST(ReadJedec, WrongChecksumsAreNamed) {
  std::string text = Written(kGal16V8, kSimpleMode);
  std::string bad_transmission = text;
  bad_transmission[bad_transmission.find('\x03') + 1] ^= 1;
  EXPECT_TRUE(ChecksumFault(Read(bad_transmission)).starts_with("Übertragungsprüfsumme "));

  const std::size_t row = text.find("L00032 ");
  text[row + 7] = text[row + 7] == '0' ? '1' : '0';
  EXPECT_TRUE(ChecksumFault(Read(text)).starts_with("Fuse-Prüfsumme "));
}

TEST(JedecDeviceType, NeedsTheFuseCountAndTellsTheFamilyByPinsOrName) {
  JedecFile file;
  file.fuse_count = 5892;
  EXPECT_EQ(JedecDeviceType(file), kGal22V10);
  file.header = "CHIP x ispGAL22V10 Simple_Mode";
  EXPECT_EQ(JedecDeviceType(file), kIspGal22V10);
  file.header.clear();
  file.pins = 28;
  EXPECT_EQ(JedecDeviceType(file), kIspGal22V10);
  file.fuse_count = 2195;
  EXPECT_EQ(JedecDeviceType(file), -1);
}

TEST(PinNamesFromNotes, TakesPinNotesOnly) {
  JedecFile file;
  file.pins = 4;
  file.notes = {"PIN 3 TASTER", "NODE 2 AR", "PIN 1 two words", "something else", "PIN 9 FAR"};
  const std::vector<std::string> names = PinNamesFromNotes(file);
  ASSERT_EQ(names.size(), 10u);
  EXPECT_EQ(names[3], "TASTER");
  EXPECT_EQ(names[2], "");
  EXPECT_EQ(names[1], "");
  EXPECT_EQ(names[9], "FAR");
}

TEST(JedecWithVectors, VectorsReadBackAndTheFusesStayAsTheyWere) {
  const std::string plain = Written(kGal16V8, kSimpleMode);
  const std::vector<std::string> vectors = {"0100000000N000000XHN", "0000000000N000000XLN"};
  const std::string with = JedecWithVectors(plain, vectors);
  const JedecFile before = Read(plain);
  const JedecFile after = Read(with);
  EXPECT_EQ(after.fuses, before.fuses);
  EXPECT_EQ(after.stated_fuse_checksum, before.stated_fuse_checksum);
  EXPECT_EQ(ChecksumFault(after), "");
  EXPECT_EQ(after.vector_count, 2);
  ASSERT_EQ(after.vectors.size(), 2u);
  EXPECT_EQ(after.vectors[0].number, 1);
  EXPECT_EQ(after.vectors[0].pins, vectors[0]);
  EXPECT_EQ(after.vectors[1].number, 2);
  EXPECT_NE(with.find("\r\nQF2194*\r\nQV2*\r\n"), std::string::npos);
  EXPECT_NE(with.find("\r\nV0002 0000000000N000000XLN*\r\n\x03"), std::string::npos);

  // Written again, the old vectors give way to the new ones.
  const JedecFile again = Read(JedecWithVectors(with, {vectors[1]}));
  EXPECT_EQ(again.vector_count, 1);
  ASSERT_EQ(again.vectors.size(), 1u);
  EXPECT_EQ(again.vectors[0].pins, vectors[1]);
  EXPECT_EQ(ChecksumFault(again), "");
  EXPECT_EQ(JedecWithVectors(with, {}), JedecWithVectors(plain, {}));
}

TEST(JedecWithVectors, KeepsTheFilesLineEndsAndNeedsAFrame) {
  const std::string text =
      "\x02*\nQF4*\nF0*\n\x03"
      "0000\n";
  const std::string with = JedecWithVectors(text, {"01"});
  EXPECT_EQ(with.find('\r'), std::string::npos);
  const JedecFile file = Read(with);
  EXPECT_EQ(file.vector_count, 1);
  EXPECT_EQ(ChecksumFault(file), "");
  EXPECT_EQ(file.stated_transmission_checksum, static_cast<int>(file.transmission_checksum));
  EXPECT_TRUE(with.ends_with("\n"));
  EXPECT_EQ(JedecWithVectors("no frame", {"01"}), "");
}

}  // namespace
}  // namespace kem
