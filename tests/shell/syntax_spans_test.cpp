#include "shell/syntax_spans.h"

#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "shell/frame.h"
#include "shell/settings.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

// A line's spans as one letter per character: K keyword, O operator, C comment, N number, P pin
// name, "." nothing.
std::string Paint(std::u16string_view line, const LineSpans& spans) {
  std::string paint(line.size(), '.');
  for (const Span& span : spans.spans) {
    static constexpr char kLetters[] = "KOCNP";
    for (int i = span.start; i < span.start + span.length; ++i)
      paint[static_cast<std::size_t>(i)] = kLetters[static_cast<int>(span.kind)];
  }
  return paint;
}

struct LineCase {
  std::u16string_view line;
  std::string paint;
  bool starts_in_comment = false;
  bool ends_in_comment = false;
};

TEST(HighlightLine, ColoursEachKindOfToken) {
  const PinNames pins = {"ANF", "GRUEN", "RESET", "T0", "X"};
  const LineCase cases[] = {
      {u"CHIP ampel GAL16V8 REGISTERED_MODE USER_ID = AMPEL1",
       "KKKK.......KKKKKKK.KKKKKKKKKKKKKKK.KKKKKKK.O......."},
      {u"GRUEN := RESET + GRUEN * /ANF; // c", "PPPPP.OO.PPPPP.O.PPPPP.O.OPPPO.CCCC"},
      {u"#NOMIN", "OKKKKK"},
      {u"#ENDNOMIN", "OKKKKKKKK"},
      {u"X.TRST = VCC;", "POKKKK.O.KKKO"},
      {u"X = GND; X = TRUE | false", "P.O.KKKO.P.O.KKKK.O.KKKKK"},
      {u"X = 1; T0 T1 10", "P.O.NO.PP....NN"},
      {u"Registered_Mode ispGAL22V10 NC", "KKKKKKKKKKKKKKK.KKKKKKKKKKK.KK"},
      {u"gal16v8 chip Chip", "................."},  // keywords are case-sensitive
      {u"XX X_1 _X X", "..........P"},              // whole words only
      {u"\u00e4 X", "..P"},                         // positions count UTF-16 characters
      {u"/* a */ X", "CCCCCCC.P"},
      {u"X /* open", "P.CCCCCCC", false, true},
      {u"still */ X", "CCCCCCCC.P", true, false},
      {u"no end X", "CCCCCCCC", true, true},
      {u"**/X", "CCCP", true, false},
      {u"/***/ X", "CCCCC.P"},
      {u"// X /* Y", "CCCCCCCCC", false, false},
      {u"", "", true, true},
  };
  for (const LineCase& c : cases) {
    const LineSpans spans = HighlightLine(c.line, c.starts_in_comment, pins);
    const std::string where(c.line.begin(), c.line.end());
    EXPECT_EQ(Paint(c.line, spans), c.paint) << where;
    EXPECT_EQ(spans.ends_in_comment, c.ends_in_comment) << where;
  }
}

TEST(HighlightLine, AWordLongerThanAnIdentifierIsNoName) {
  const std::string long_name(40, 'A');
  const std::u16string line(long_name.begin(), long_name.end());
  EXPECT_TRUE(HighlightLine(line, false, {long_name}).spans.empty());
}

struct PinCase {
  const char* name;
  std::string text;
  PinNames pins;
};

std::string TwentyPins() {
  std::string list;
  for (int i = 1; i <= 20; ++i)
    list += i == 10 ? " GND" : i == 20 ? " VCC" : " P" + std::to_string(i);
  return list;
}

TEST(DeclaredPinNames, ReadsThePinListLeniently) {
  const PinNames p1_to_p19 = {"P1",  "P11", "P12", "P13", "P14", "P15", "P16", "P17", "P18",
                              "P19", "P2",  "P3",  "P4",  "P5",  "P6",  "P7",  "P8",  "P9"};
  const PinCase cases[] = {
      {"a complete list", "CHIP x GAL16V8" + TwentyPins() + "\nZ := P1;", p1_to_p19},
      {"mode and user id", "CHIP x GAL16V8 SIMPLE_MODE USER_ID = K1" + TwentyPins(), p1_to_p19},
      {"user id without =", "CHIP x GAL16V8 USER_ID K1 A B", {"A", "B"}},
      {"cut short", "CHIP x GAL16V8 A B C", {"A", "B", "C"}},
      {"stops at an operator", "CHIP x GAL16V8 A B; C", {"A", "B"}},
      {"comments between", "CHIP x GAL16V8 /* c */ A // d\n B", {"A", "B"}},
      {"NC and repeats", "CHIP x GAL16V8 NC A NC A B", {"A", "B"}},
      {"CHIP in a comment", "// CHIP y GAL16V8 Q\nCHIP x GAL16V8 A", {"A"}},
      {"unknown device", "CHIP x gal16v8 A B", {}},
      {"no CHIP", "A B C", {}},
      {"nothing after CHIP", "CHIP", {}},
  };
  for (const PinCase& c : cases) EXPECT_EQ(DeclaredPinNames(c.text), c.pins) << c.name;
}

TEST(DeclaredPinNames, AnExampleDesignAndTheNodesOfItsDevice) {
  std::string ampel;
  ASSERT_TRUE(ReadWholeFile(EXAMPLES_DIR "/ampel.kem", ampel));
  EXPECT_EQ(DeclaredPinNames(ampel), (PinNames{"ANF", "CLK", "F_GRUEN", "F_ROT", "GELB", "GRUEN",
                                               "NOE", "RESET", "ROT", "T0", "T1", "TASTER"}));
  std::string list;
  for (int i = 1; i <= 24; ++i) list += " Q" + std::to_string(i);
  const PinNames with_nodes = DeclaredPinNames("CHIP x GAL22V10" + list);
  ASSERT_EQ(with_nodes.size(), 26u);
  EXPECT_EQ(with_nodes.front(), "AR");
  EXPECT_EQ(with_nodes.back(), "SP");
}

TEST(HighlightingSetting, OldFilesReadAsOnAndOnlyOffIsWritten) {
  EXPECT_TRUE(ParseSettings("").highlighting);
  EXPECT_TRUE(ParseSettings("KEMWinMinLevel=NOMIN\n").highlighting);
  EXPECT_FALSE(ParseSettings("KEMWinHighlight=0\n").highlighting);
  EXPECT_TRUE(ParseSettings("KEMWinHighlight=1\n").highlighting);
  EXPECT_TRUE(ParseSettings("KEMWinHighlight=0 KEMWinHighlight=1").highlighting);
  EXPECT_FALSE(ParseSettings("KEMWinHighlight=0 KEMWinHighlight=aus").highlighting);

  Settings settings;
  const std::string on = FormatSettings(settings);
  EXPECT_EQ(on.find("KEMWinHighlight"), std::string::npos);
  settings.highlighting = false;
  settings.minimization_level = 0;
  settings.font.height = -13;
  const std::string off = FormatSettings(settings);
  // Settings written with highlighting off read back whole, even with an empty face name,
  // which lets the reader look for the name on the next line.
  EXPECT_EQ(off.rfind("KEMWin_Port=NoLPT\nKEMWinMinLevel=NOMIN\nKEMWinHighlight=0\nFont_Set=", 0),
            0u)
      << off;
  const Settings read = ParseSettings(off);
  EXPECT_FALSE(read.highlighting);
  EXPECT_EQ(read.minimization_level, 0);
  EXPECT_TRUE(read.font_read);
  EXPECT_EQ(read.font.height, -13);
  EXPECT_EQ(read.font.face_name, "");
}

TEST(HighlightingSetting, TheFrameKeepsItFromStartToShutdown) {
  testing_support::TempDir dir;
  dir.Write("kem.ini", "KEMWinMinLevel=STRONGMIN\nKEMWinHighlight=0\n");
  {
    testing_support::FakeUi ui;
    Frame frame(ui);
    frame.StartUp(dir.path().string());
    EXPECT_FALSE(frame.highlighting());
    frame.ShutDown();
  }
  EXPECT_NE(dir.Read("kem.ini")->find("\nKEMWinHighlight=0\n"), std::string::npos);
  testing_support::TempDir fresh;
  testing_support::FakeUi ui;
  Frame frame(ui);
  frame.StartUp(fresh.path().string());
  EXPECT_TRUE(frame.highlighting());
}

}  // namespace
}  // namespace kem
