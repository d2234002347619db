// kemc --part, --power-down and --secure: the JEDEC file a fit wrote beside a design, rewritten for
// the part it is to be programmed into, and the line that tells what to choose in the programmer.
#pragma once

#include <string>

#include "cli/design_files.h"
#include "device/jedec_parts.h"

namespace kem::cli {

struct PartChoice {
  const Part* part = nullptr;  // none: the family's own
  bool from_settings = false;  // kem.ini named it: it applies to the designs of its family only
  bool power_down = false;
  bool secure = false;
};

// Every part name, each after a blank: " GAL16V8 GAL20V8 ...".
std::string PartNames();
// The parts with a power-down mode, each after a blank.
std::string PowerDownPartNames();

// The exit status: 0 done, 1 the file could not be rewritten, 2 a part of another family or a
// JEDEC file that cannot be read.
int ApplyPart(const std::string& document, const PartChoice& choice, SimulateStreams streams);

}  // namespace kem::cli
