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

}  // namespace
}  // namespace kem
