// The example designs of the source tree, for tests whose program defines EXAMPLES_DIR.
#pragma once

#include <string>

#include "common/file_io.h"

namespace kem::testing_support {

// The example's text, empty when it cannot be read.
inline std::string ExampleText(const std::string& name) {
  std::string text;
  ReadWholeFile(std::string(EXAMPLES_DIR) + "/" + name, text);
  return text;
}

inline std::string Ampel() {
  return ExampleText("ampel.kem");
}

}  // namespace kem::testing_support
