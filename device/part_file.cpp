#include "device/part_file.h"

#include "common/file_io.h"
#include "common/format.h"
#include "device/catalogue.h"
#include "device/fitter_messages.h"

namespace kem {

bool SaveJedecForPart(const std::string& jedec_name, std::string_view jedec_text, const Part& part,
                      bool power_down, bool secure) {
  if (part.name == DeviceName(part.gal_type) && !power_down && !secure) return true;
  const std::string text = JedecForPart(jedec_text, part, power_down, secure);
  return !text.empty() && ReplaceFileContents(jedec_name, text) == ReplaceResult::kReplaced;
}

std::string ProgrammerHint(const Part& part, int family_fuses, bool power_down, bool secure) {
  const bool adds_fuse = power_down && part.power_down_fuse >= 0;
  const std::string fuses = std::to_string(family_fuses + (adds_fuse ? 1 : 0));
  return FormatText(fitter_messages::kProgrammerHint,
                    {part.name, fuses, fuses, secure ? fitter_messages::kSecured : ""});
}

}  // namespace kem
