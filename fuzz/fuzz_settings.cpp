// Fuzz target: the settings reader on arbitrary kem.ini text. What it reads, written back and
// read again, gives the same settings: a settings file the program wrote never changes meaning.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kem::Settings read = kem::ParseSettings(text);
  KEM_FUZZ_CHECK(read.minimization_level >= 0 && read.minimization_level <= 2,
                 "the level read is one the compiler knows");
  KEM_FUZZ_CHECK(read.font.face_name.size() <= 31, "the face name fits its field");
  const std::string written = kem::FormatSettings(read);
  const kem::Settings reread = kem::ParseSettings(written);
  const std::string rewritten = kem::FormatSettings(reread);
  if (rewritten != written)
    std::fprintf(stderr, "written:\n%s\nread back and written again:\n%s\n", written.c_str(),
                 rewritten.c_str());
  KEM_FUZZ_CHECK(rewritten == written, "written settings read back unchanged");
  return 0;
}
