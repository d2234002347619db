#include "interchange/design_text.h"

#include <gtest/gtest.h>

namespace kem {
namespace {

// Every statement form our language has, laid out as the examples lay them out.
TEST(DesignText, WritesEveryStatementForm) {
  DesignText design;
  design.heading = {"from a test", "", "second paragraph"};
  design.name = "t";
  design.device = "GAL22V10";
  design.user_id = "ID1";
  design.pins = {"CLK", "A", "B", "NC", "LONGNAME", "GND", "Q", "Y", "Z", "W", "V", "VCC"};
  using Kind = DesignEquation::Kind;
  design.equations = {
      {{"registered"}, "Q", Kind::kRegistered, false, {"A * /B", "LONGNAME"}, false},
      {{}, "Y", Kind::kCombinational, true, {"A"}, true},
      {{}, "Y", Kind::kEnable, false, {"/B"}, false},
      {{}, "Z", Kind::kCombinational, false, {"1"}, false},
      {{}, "AR", Kind::kCombinational, false, {"A * B"}, false},
  };
  EXPECT_EQ(WriteDesignText(design),
            "/*\n * from a test\n *\n * second paragraph\n */\n\n"
            "CHIP t GAL22V10 USER_ID = ID1\n\n"
            "// pins 1 .. 6\n"
            "CLK      A        B        NC       LONGNAME GND\n"
            "// pins 7 .. 12\n"
            "Q        Y        Z        W        V        VCC\n"
            "\n// registered\nQ := A * /B\n   + LONGNAME;\n"
            "\n#NOMIN\n/Y = A;\n#ENDNOMIN\n"
            "\nY.TRST = /B;\n"
            "\nZ = 1;\n"
            "\nAR = A * B;\n");
}

// A heading taken from another tool's comments neither ends the block early nor holds the word
// the compiler takes for the start of the design.
TEST(DesignText, HeadingCannotEndItsCommentOrStartTheDesign) {
  DesignText design;
  design.heading = {"CHIP select */ of a board"};
  design.name = "t";
  design.device = "GAL16V8";
  design.pins.assign(20, "NC");
  EXPECT_EQ(WriteDesignText(design).substr(0, 33), "/*\n * Chip select * / of a board\n");
}

}  // namespace
}  // namespace kem
