// Fuzz target: the JEDEC reader of the simulator and the tests, on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "device/jedec_reader.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto jedec = kem::ReadJedec(text, error);
  if (!jedec) {
    KEM_FUZZ_CHECK(!error.empty(), "a refused file has a reason");
    return 0;
  }
  KEM_FUZZ_CHECK(
      static_cast<int>(jedec->fuses.size()) == (jedec->fuse_count < 0 ? 0 : jedec->fuse_count),
      "the fuse list has the stated length");
  for (int fuse : jedec->fuses) KEM_FUZZ_CHECK(fuse == 0 || fuse == 1, "every fuse is 0 or 1");
  return 0;
}
