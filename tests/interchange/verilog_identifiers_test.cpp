// Names in the Verilog model: a design's name that Verilog cannot take as it stands is escaped or
// given up, and no two names of a scope are the same.
#include <gtest/gtest.h>

#include "interchange/verilog_identifiers.h"

namespace kem {
namespace {

TEST(VerilogIdentifier, EscapesKeywordsAndRefusesWhatCannotBeEscaped) {
  const struct {
    const char* name;
    const char* identifier;
  } cases[] = {
      {"CLK", "CLK"},        {"_q1$", "_q1$"},   {"input", "\\input "}, {"wire", "\\wire "},
      {"logic", "\\logic "}, {"INPUT", "INPUT"}, {"1A", "\\1A "},       {"A-B", "\\A-B "},
      {"A B", ""},           {"", ""},           {"GR\xC3\x9CN", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(VerilogIdentifier(c.name), c.identifier) << c.name;
}

TEST(VerilogScope, KeepsNamesApartAndEscapesDerivedNames) {
  VerilogScope scope;
  EXPECT_EQ(scope.Take("Q0_q"), "Q0_q");
  EXPECT_EQ(scope.Take(VerilogDerived("Q0", "_q")), "Q0_q_");
  EXPECT_EQ(scope.Take("Q0_q"), "Q0_q__");
  EXPECT_EQ(VerilogDerived("\\wire ", "_oe"), "\\wire_oe ");
  EXPECT_EQ(scope.Take(VerilogDerived("\\wire ", "_oe")), "\\wire_oe ");
  EXPECT_EQ(scope.Take("\\wire_oe "), "\\wire_oe_ ");
}

}  // namespace
}  // namespace kem
