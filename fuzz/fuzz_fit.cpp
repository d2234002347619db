// Fuzz target: the fitter on arbitrary intermediate files. Whatever it is given, it reads the
// file without harm; when it reports success, the JEDEC file it would write reads back whole,
// with both checksums right and every fuse listed.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "device/fitter.h"
#include "device/jedec_reader.h"
#include "device/jedec_writer.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream intermediate(std::string(reinterpret_cast<const char*>(data), size));
  kem::Fitter fitter;
  if (fitter.Fit(intermediate) != 1) return 0;

  const std::string text = kem::JedecText(fitter.fuse_map(), fitter.design(), fitter.pins());
  KEM_FUZZ_CHECK(!text.empty(), "a successful fit has a JEDEC file");
  std::string error;
  const auto jedec = kem::ReadJedec(text, error);
  KEM_FUZZ_CHECK(jedec.has_value(), "the JEDEC file reads back");
  KEM_FUZZ_CHECK(jedec->stated_fuse_checksum == static_cast<int>(jedec->fuse_checksum),
                 "the fuse checksum is right");
  KEM_FUZZ_CHECK(
      jedec->stated_transmission_checksum == static_cast<int>(jedec->transmission_checksum),
      "the transmission checksum is right");
  KEM_FUZZ_CHECK(static_cast<int>(jedec->fuses.size()) == jedec->fuse_count,
                 "every fuse is listed");
  return 0;
}
