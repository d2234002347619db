// The device and pin names of a design, read from its header and pin list alone: what a tool
// needs to name the pins of a fuse map that came without them. No output file is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kem {

struct DesignPins {
  int gal_type = -1;
  std::vector<std::string> names;  // names[n] is the name of pin n, as the pin list gives it
};

// Nothing when the header or the pin list has a fault.
std::optional<DesignPins> ReadDesignPins(std::string_view source);

}  // namespace kem
