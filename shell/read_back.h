// Reading chips back, for the command line and the IDE alike: the chip of a JEDEC file or of a
// design (compiled and fitted in a scratch folder, so nothing is written beside it and a JEDEC
// file of the same name stays as it is), and a JEDEC file decompiled into a design that is
// proved, by compiling it back, to make the same chip.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "interchange/chip_function.h"
#include "interchange/compare_chips.h"
#include "interchange/decompile.h"

namespace kem {

// Why a chip could not be had: the file cannot be used, or the design in it does not compile
// or fit clean.
enum class ChipFault { kNone, kUnusable, kDesignFailed };

struct LoadedChip {
  std::optional<ChipFunction> chip;
  ChipFault fault = ChipFault::kNone;
  std::vector<std::string> messages;  // what went wrong, one a line
};

// A JEDEC file (recognised by its STX or its extension) or a design. `pal_part` names the PAL
// whose fuse map a JEDEC file holds, empty for a GAL; a design is compiled at `level`.
LoadedChip LoadChip(const std::string& path, const std::string& pal_part, int level);

// The chip of a design text, compiled and fitted as `file_name` in a scratch folder.
LoadedChip CompileInScratch(const std::string& text, const std::string& file_name, int level);

// The lines that tell a comparison's result: "gleichwertig", or one per difference.
std::vector<std::string> ComparisonLines(const ChipComparison& comparison, const ChipFunction& a,
                                         const ChipFunction& b, const std::string& name_a,
                                         const std::string& name_b);

struct DecompiledFile {
  std::optional<std::string> text;  // the design, proved to make the same chip
  ChipFault fault = ChipFault::kNone;
  std::vector<std::string> messages;
};

// Reads the JEDEC file (of the PAL `pal_part`, when given) and decompiles it. A design that does
// not compile back to the same chip is an internal error, never a design handed out.
DecompiledFile DecompileFile(const std::string& path, const std::string& pal_part,
                             DecompileOptions options);

// The pin names of a names file: one "NUMBER NAME" a line; nothing with the reason in `error`.
std::optional<std::vector<std::string>> ReadPinNames(const std::string& path, std::string& error);

}  // namespace kem
