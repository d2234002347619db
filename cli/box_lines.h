// Message boxes of the compiler and the fitter as kemc prints them on standard error: under the
// program's own name, as command-line tools do, and marked "error:" when the box means that the
// work asked for was not done.
#pragma once

#include <string>
#include <string_view>

namespace kem::cli {

enum class BoxKind {
  kNotice,        // information only
  kFailure,       // the work was not done or not written: the run fails
  kRefusedInput,  // a file named on the command line cannot be used as it is
};

BoxKind ClassifyBox(std::string_view text);

// "kemc: error: TEXT" for a failure or a refused input, "kemc: TEXT" otherwise.
std::string BoxLine(std::string_view text);

}  // namespace kem::cli
