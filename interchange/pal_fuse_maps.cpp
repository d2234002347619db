#include "interchange/pal_fuse_maps.h"

#include <array>
#include <cctype>

#include "common/format.h"
#include "device/catalogue.h"
#include "device/jedec_writer.h"
#include "interchange/interchange_messages.h"

namespace kem {

namespace {

struct PalPart {
  std::string_view name;
  int gal_type;
  int first_registered;  // macrocells first..last hold registers (the highest output pin is 0)
  int last_registered;
};

constexpr std::array<PalPart, 8> kPalParts{{
    {"PAL16L8", kGal16V8, 1, 0},
    {"PAL16R4", kGal16V8, 2, 5},
    {"PAL16R6", kGal16V8, 1, 6},
    {"PAL16R8", kGal16V8, 0, 7},
    {"PAL20L8", kGal20V8, 1, 0},
    {"PAL20R4", kGal20V8, 2, 5},
    {"PAL20R6", kGal20V8, 1, 6},
    {"PAL20R8", kGal20V8, 0, 7},
}};

// The GAL16V8 and GAL20V8 architecture fuses after the array, as offsets from its end.
constexpr int kXorOffset = 0;
constexpr int kAc1Offset = 72;
constexpr int kPtdOffset = 80;
constexpr int kSynOffset = 144;
constexpr int kAc0Offset = 145;
constexpr int kRows = 64;

const PalPart* FindPart(std::string_view name) {
  for (const PalPart& part : kPalParts) {
    if (std::equal(name.begin(), name.end(), part.name.begin(), part.name.end(),
                   [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; }))
      return &part;
  }
  return nullptr;
}

}  // namespace

bool IsPalPart(std::string_view part) {
  return FindPart(part) != nullptr;
}

int PalFuseCount(std::string_view name) {
  const PalPart* part = FindPart(name);
  if (part == nullptr) return 0;
  return kRows * (part->gal_type == kGal16V8 ? 32 : 40);
}

std::optional<ChipFunction> PalChipOfJedec(const JedecFile& file, std::string_view name,
                                           std::string& error) {
  const PalPart* part = FindPart(name);
  if (part == nullptr) {
    std::string known;
    for (const PalPart& each : kPalParts) {
      if (!known.empty()) known += ", ";
      known += each.name;
    }
    error = FormatText(interchange_messages::kUnknownPal, {name, known});
    return std::nullopt;
  }
  const int array = PalFuseCount(name);
  if (static_cast<int>(file.fuses.size()) != array) {
    error = FormatText(
        interchange_messages::kPalFuseCount,
        {std::to_string(file.fuses.size()), std::string(part->name), std::to_string(array)});
    return std::nullopt;
  }
  const bool registered = part->first_registered <= part->last_registered;
  std::vector<std::uint8_t> fuses = file.fuses;
  fuses.resize(DeviceJedecLayout(part->gal_type).cells.size(), 0);
  // Every output active low, every term enabled.
  for (int k = 0; k < 8; ++k) {
    fuses[static_cast<std::size_t>(array + kXorOffset + k)] = 0;
    const bool holds_register = k >= part->first_registered && k <= part->last_registered;
    fuses[static_cast<std::size_t>(array + kAc1Offset + k)] = holds_register ? 0 : 1;
  }
  for (int r = 0; r < kRows; ++r) fuses[static_cast<std::size_t>(array + kPtdOffset + r)] = 1;
  fuses[static_cast<std::size_t>(array + kSynOffset)] = registered ? 0 : 1;
  fuses[static_cast<std::size_t>(array + kAc0Offset)] = 1;
  std::optional<DeviceSimulator> device =
      DeviceSimulator::FromFuses(part->gal_type, std::move(fuses), error);
  if (!device) return std::nullopt;
  ChipFunction chip = ChipFunctionOf(*device);
  chip.device = std::string(part->name);
  std::vector<std::string> names = PinNamesFromNotes(file);
  names.resize(static_cast<std::size_t>(chip.pin_count) + 1);
  chip.pin_names = std::move(names);
  return chip;
}

}  // namespace kem
