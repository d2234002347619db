// Message boxes of the compiler and the fitter as kemc prints them on standard error: under the
// program's own name, as command-line tools do, and marked "error:" when the box means that the
// work asked for was not done.
#pragma once

#include <string>
#include <string_view>

#include "common/message_box.h"

namespace kem::cli {

// "kemc: error: TEXT" for a refusal or a failure, "kemc: TEXT" otherwise.
std::string BoxLine(std::string_view text, BoxKind kind);

}  // namespace kem::cli
