// kemc --compare A B: whether two JEDEC files or designs make chips that do the same; kemc
// --decompile FILE.jed: the design FILE.kem that makes the chip of the file.
#pragma once

#include <cstdio>

#include "cli/options.h"

namespace kem::cli {

// 0 "gleichwertig", 1 a difference (each with its first counterexample), 2 a file that cannot be
// used (unreadable, no GAL or PAL fuse map, a design that does not compile and fit clean, two
// chips without the same pins).
int CompareFiles(const Options& options, std::FILE* out, std::FILE* err);

// 0 every design written, 1 one could not be written or did not compile back to the same chip,
// 2 a file that cannot be used, or a design of that name that is there already.
int DecompileFiles(const Options& options, std::FILE* out, std::FILE* err);

}  // namespace kem::cli
