#include "cli/part_step.h"

#include "cli/part_messages.h"
#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/names.h"
#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/part_file.h"

namespace kem::cli {

std::string PartNames() {
  std::string names;
  for (const Part& part : Parts()) names += " " + std::string(part.name);
  return names;
}

std::string PowerDownPartNames() {
  std::string names;
  for (const Part& part : Parts()) {
    if (part.power_down_fuse >= 0) names += " " + std::string(part.name);
  }
  return names;
}

int ApplyPart(const std::string& document, const PartChoice& choice, SimulateStreams streams) {
  const std::string jedec_name = Beside(Stem(document), kJedecExtension);
  std::string text;
  if (ReadRegularFile(jedec_name, text, kMaxJedecFuses * 4) != ReadResult::kRead) {
    Error(streams.err, CannotReadJedecFileText(jedec_name));
    return kStepUnusable;
  }
  JedecFile jedec;
  const std::optional<DeviceSimulator> device = LoadDevice(jedec_name, text, jedec, streams.err);
  if (!device) return kStepUnusable;
  const bool named = choice.part != nullptr &&
                     (!choice.from_settings || choice.part->gal_type == device->gal_type());
  const Part& part = named ? *choice.part : FamilyPart(device->gal_type());
  if (part.gal_type != device->gal_type()) {
    Error(streams.err,
          FormatText(part_messages::kOtherFamily, {part.name, DeviceName(device->gal_type())}));
    return kStepUnusable;
  }
  if (choice.power_down && part.power_down_fuse < 0) {
    Error(streams.err, FormatText(part_messages::kNoPowerDown, {part.name, PowerDownPartNames()}));
    return kStepUnusable;
  }
  if (!SaveJedecForPart(jedec_name, text, part, choice.power_down, choice.secure)) {
    Error(streams.err, FormatText(file_messages::kCannotSave, {jedec_name}));
    return kStepFailed;
  }
  Put(streams.out, ProgrammerHint(part, jedec.fuse_count, choice.power_down, choice.secure) + "\n");
  return kStepClean;
}

}  // namespace kem::cli
