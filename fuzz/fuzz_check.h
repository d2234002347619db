// What a fuzz target does when an input breaks a property the program promises: it says which one
// and aborts, so libFuzzer (or the replay of the regression corpus) reports the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define KEM_FUZZ_CHECK(condition, what)                                                 \
  do {                                                                                  \
    if (!(condition)) {                                                                 \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, (what)); \
      std::abort();                                                                     \
    }                                                                                   \
  } while (false)
