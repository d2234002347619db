#include "device/jedec_parts.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>

#include "common/format.h"
#include "device/catalogue.h"
#include "device/jedec_reader.h"
#include "device/jedec_vectors.h"

namespace kem {

namespace {

constexpr Part kParts[] = {
    {"GAL16V8", kGal16V8, -1},      {"GAL20V8", kGal20V8, -1},
    {"GAL22V10", kGal22V10, -1},    {"ispGAL22V10", kIspGal22V10, -1},
    {"ATF16V8B", kGal16V8, -1},     {"ATF16V8C", kGal16V8, 2194},
    {"ATF20V8B", kGal20V8, -1},     {"ATF22V10C", kGal22V10, 5892},
    {"ATF22V10CQZ", kGal22V10, -1},
};

}  // namespace

std::span<const Part> Parts() {
  return kParts;
}

const Part* FindPart(std::string_view name) {
  for (const Part& part : kParts) {
    if (SameLetters(part.name, name)) return &part;
  }
  return nullptr;
}

const Part& FamilyPart(int gal_type) {
  for (const Part& part : kParts) {
    if (part.gal_type == gal_type && part.name == DeviceName(gal_type)) return part;
  }
  return kParts[0];
}

int FamilyPowerDownFuse(int gal_type) {
  for (const Part& part : kParts) {
    if (part.gal_type == gal_type && part.power_down_fuse >= 0) return part.power_down_fuse;
  }
  return -1;
}

std::string JedecForPart(std::string_view jedec, const Part& part, bool power_down, bool secure) {
  std::string error;
  std::optional<JedecFile> file = ReadJedec(jedec, error);
  if (!file) return {};
  const bool add_fuse = power_down && part.power_down_fuse >= 0;
  if (add_fuse) file->fuses.push_back(1);
  const std::string line_end = JedecLineEnd(jedec);
  char fuse_field[32];
  std::snprintf(fuse_field, sizeof fuse_field, "L%05d 1*", part.power_down_fuse);
  bool fuse_written = false;
  auto blanks = [](std::string_view field, std::string_view content) {
    return std::string(field.substr(0, field.size() - content.size()));
  };
  auto edit = [&](std::string_view field, std::string_view content) {
    if (add_fuse && content.starts_with("QF"))
      return blanks(field, content) + "QF" + std::to_string(file->fuses.size()) + "*";
    if (secure && content.starts_with("G")) return blanks(field, content) + "G1*";
    if (!content.starts_with("C")) return std::string(field);
    std::string out;
    if (add_fuse) out = blanks(field, content) + fuse_field;
    fuse_written = true;
    return out + blanks(field, content) + "C" + Hex4(FuseListChecksum(file->fuses)) + "*";
  };
  auto after_last = [&] {
    return add_fuse && !fuse_written ? line_end + fuse_field : std::string();
  };
  std::string out = EditJedecFields(jedec, edit, after_last);
  if (part.name == DeviceName(part.gal_type) || out.empty()) return out;
  // The part goes into the first field, which no checksum but the transmission's covers.
  const std::size_t end = out.find('*');
  out.insert(end, " PART " + std::string(part.name));
  return EditJedecFields(
      out, [](std::string_view field, std::string_view) { return std::string(field); },
      [] { return std::string(); });
}

}  // namespace kem
