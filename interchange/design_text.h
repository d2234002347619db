// A design in our language as data, and its text: what a JEDEC file read back, an imported CUPL or
// GALasm source or any other translation produces, so that every design this layer writes has the
// one layout of the examples (heading comment, CHIP line, the pin list in two commented rows, one
// equation per statement with its terms one per line).
#pragma once

#include <string>
#include <vector>

namespace kem {

struct DesignEquation {
  enum class Kind { kCombinational, kRegistered, kEnable };

  std::vector<std::string> comment;  // lines written above it as "// " comments
  std::string target;                // a pin name, or the node names AR and SP
  Kind kind = Kind::kCombinational;
  bool negated = false;  // written "/TARGET": the right side gives the pin's low level
  // The products, each already in our syntax ("A * /B"); a constant right side is the single
  // term "0" or "1", which only "=" takes.
  std::vector<std::string> terms;
  bool nomin = false;  // kept out of minimization: written between #NOMIN and #ENDNOMIN
};

struct DesignText {
  std::vector<std::string> heading;  // the lines of the opening comment block
  std::string name;                  // the design's name on the CHIP line
  std::string device;                // GAL16V8, GAL20V8, GAL22V10, ISPGAL22V10
  std::string mode;                  // SIMPLE_MODE, COMPLEX_MODE, REGISTERED_MODE, or empty
  std::string user_id;               // empty: no USER_ID
  std::vector<std::string> pins;     // pins[0] is the name of pin 1; NC, GND and VCC as written
  std::vector<DesignEquation> equations;
};

// The design's source text, lines ending in "\n".
std::string WriteDesignText(const DesignText& design);

}  // namespace kem
