// A chip read back into a design in our language: the CHIP line with the device and the mode its
// cells say, the pin list, every output's equation minimized at a level, output enables where they
// are not always true, the reset and preset terms, and in the heading what the file said that a
// design cannot say.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/jedec_reader.h"
#include "interchange/chip_function.h"
#include "interchange/design_text.h"
#include "synthesis/levels.h"

namespace kem {

struct DecompileOptions {
  int level = kDefaultMinimizationLevel;
  std::string design_name;         // made a valid name when it is none
  std::string source_name;         // the file read, for the heading
  std::vector<std::string> names;  // by pin number: these names win over the file's
};

// The design for a GAL16V8, GAL20V8 or GAL22V10 family chip (a PAL's chip is first given the GAL
// that replaces it); nothing with the reason in `error` when an output cannot be written.
std::optional<DesignText> DecompileChip(const ChipFunction& chip, const DecompileOptions& options,
                                        std::string& error);

// The design of a GAL JEDEC file, with its user signature and notes on what else it holds.
std::optional<DesignText> DecompileJedec(const JedecFile& file, const DecompileOptions& options,
                                         std::string& error);

// Whether the text can stand as a name in our language (and is none of its words).
bool IsDesignName(const std::string& text);

}  // namespace kem
