#include "device/jedec_reader.h"

#include <cctype>
#include <charconv>
#include <cstdio>

#include "common/format.h"
#include "device/simulation_messages.h"

namespace kem {

namespace {

bool ParseNumber(std::string_view text, int base, int& value) {
  // from_chars takes a minus sign, which no JEDEC number has.
  if (text.empty() || text.front() == '-') return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

// A checksum is exactly four hex digits; anything else means the file was damaged.
bool ParseChecksum(std::string_view text, int& value) {
  return text.size() == 4 && ParseNumber(text, 16, value);
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsWhiteSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsWhiteSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The digits of a field's number, which other tools may separate from the rest by blanks or
// line breaks or not at all.
std::string_view LeadingNumber(std::string_view& rest) {
  std::size_t digits = 0;
  while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits]))) ++digits;
  const std::string_view number = rest.substr(0, digits);
  rest.remove_prefix(digits);
  return number;
}

bool ReadFuses(std::string_view rest, std::vector<int>& fuses) {
  int fuse = 0;
  if (fuses.empty() || !ParseNumber(LeadingNumber(rest), 10, fuse)) return false;
  for (char c : rest) {
    if (IsWhiteSpace(c)) continue;
    if ((c != '0' && c != '1') || fuse >= static_cast<int>(fuses.size())) return false;
    fuses[fuse++] = c - '0';
  }
  return true;
}

bool ReadVector(std::string_view rest, JedecFile& file) {
  JedecVector vector;
  if (!ParseNumber(LeadingNumber(rest), 10, vector.number)) return false;
  for (char c : rest) {
    if (!IsWhiteSpace(c)) vector.pins += c;
  }
  if (vector.pins.empty()) return false;
  file.vectors.push_back(std::move(vector));
  return true;
}

// One field without its "*"; false when it is damaged.
bool ReadField(std::string_view field, JedecFile& file, std::vector<int>& fuses) {
  const std::string_view rest = field.substr(1);
  switch (field.front()) {
    case 'N':
      file.notes.emplace_back(Trimmed(rest));
      return true;
    case 'Q': {
      const std::string_view number = Trimmed(rest.substr(rest.empty() ? 0 : 1));
      if (rest.starts_with("P")) return ParseNumber(number, 10, file.pins);
      if (rest.starts_with("V")) return ParseNumber(number, 10, file.vector_count);
      if (!rest.starts_with("F")) return true;  // other quantities do not concern the fuses
      if (!ParseNumber(number, 10, file.fuse_count) || file.fuse_count <= 0 ||
          file.fuse_count > kMaxJedecFuses)
        return false;
      fuses.assign(file.fuse_count, -1);
      return true;
    }
    case 'F':
      return ParseNumber(Trimmed(rest), 10, file.default_fuse) && file.default_fuse >= 0 &&
             file.default_fuse <= 1;
    case 'G':
      return ParseNumber(Trimmed(rest), 10, file.security);
    case 'C':
      return ParseChecksum(Trimmed(rest), file.stated_fuse_checksum);
    case 'L':
      return ReadFuses(rest, fuses);
    case 'V':
      return ReadVector(rest, file);
    default:
      return true;  // device, test-condition and other fields leave the fuse list alone
  }
}

// Whether a QF field follows among the fields of `body`.
bool FuseCountFollows(std::string_view body) {
  for (std::size_t end = body.find('*'); end != std::string_view::npos; end = body.find('*')) {
    if (Trimmed(body.substr(0, end)).starts_with("QF")) return true;
    body.remove_prefix(end + 1);
  }
  return false;
}

}  // namespace

std::string Hex4(unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%04X", value & 0xFFFFu);
  return buffer;
}

unsigned FuseListChecksum(const std::vector<std::uint8_t>& fuses) {
  unsigned sum = 0;
  for (std::size_t word = 0; word * 8 < fuses.size(); ++word) {
    unsigned value = 0;
    for (std::size_t bit = 0; bit < 8 && word * 8 + bit < fuses.size(); ++bit)
      value |= static_cast<unsigned>(fuses[word * 8 + bit] & 1u) << bit;
    sum = (sum + value) & 0xFFFFu;
  }
  return sum;
}

std::optional<JedecFile> ReadJedec(std::string_view text, std::string& error) {
  const std::size_t stx = text.find('\x02');
  const std::size_t etx = stx == std::string_view::npos ? stx : text.find('\x03', stx);
  if (etx == std::string_view::npos) {
    error = simulation_messages::kNoFrame;
    return std::nullopt;
  }
  JedecFile file;
  for (std::size_t i = stx; i <= etx; ++i)
    file.transmission_checksum =
        (file.transmission_checksum + static_cast<unsigned char>(text[i])) & 0xFFFFu;
  if (!ParseChecksum(text.substr(etx + 1, 4), file.stated_transmission_checksum)) {
    error = simulation_messages::kNoTransmissionChecksum;
    return std::nullopt;
  }

  std::string_view body = text.substr(stx + 1, etx - stx - 1);
  const std::size_t header_end = body.find('*');
  if (header_end == std::string_view::npos) {
    error = simulation_messages::kNoFirstField;
    return std::nullopt;
  }
  file.header = Trimmed(body.substr(0, header_end));
  body.remove_prefix(header_end + 1);

  std::vector<int> fuses;
  while (true) {
    const std::size_t end = body.find('*');
    if (end == std::string_view::npos) {
      if (!Trimmed(body).empty()) {
        error = simulation_messages::kTrailingText;
        return std::nullopt;
      }
      break;
    }
    const std::string_view field = Trimmed(body.substr(0, end));
    body.remove_prefix(end + 1);
    if (field.empty()) continue;
    if (!ReadField(field, file, fuses)) {
      // Fuses before any QF are a fault of the file's order, unless it has no QF at all.
      const bool no_fuse_count = field.front() == 'L' && fuses.empty() && !FuseCountFollows(body);
      error = no_fuse_count ? std::string(simulation_messages::kNoFuseCount)
                            : FormatText(simulation_messages::kBadField, {field.substr(0, 20)});
      return std::nullopt;
    }
  }
  if (file.fuse_count < 0) {
    error = simulation_messages::kNoFuseCount;
    return std::nullopt;
  }

  file.fuses.reserve(fuses.size());
  for (std::size_t f = 0; f < fuses.size(); ++f) {
    const int fuse = fuses[f] >= 0 ? fuses[f] : file.default_fuse;
    if (fuse < 0) {
      error = FormatText(simulation_messages::kFuseMissing, {std::to_string(f)});
      return std::nullopt;
    }
    file.fuses.push_back(static_cast<std::uint8_t>(fuse));
  }
  file.fuse_checksum = FuseListChecksum(file.fuses);
  return file;
}

std::string ChecksumFault(const JedecFile& file) {
  if (file.stated_fuse_checksum >= 0 &&
      static_cast<unsigned>(file.stated_fuse_checksum) != file.fuse_checksum)
    return FormatText(simulation_messages::kBadFuseChecksum,
                      {Hex4(file.stated_fuse_checksum), Hex4(file.fuse_checksum)});
  if (file.stated_transmission_checksum > 0 &&
      static_cast<unsigned>(file.stated_transmission_checksum) != file.transmission_checksum)
    return FormatText(simulation_messages::kBadTransmissionChecksum,
                      {Hex4(file.stated_transmission_checksum), Hex4(file.transmission_checksum)});
  return {};
}

std::vector<std::string> PinNamesFromNotes(const JedecFile& file) {
  std::vector<std::string> names(file.pins > 0 ? file.pins + 1 : 1);
  for (const std::string& note : file.notes) {
    std::string_view rest = note;
    if (!rest.starts_with("PIN")) continue;
    rest = Trimmed(rest.substr(3));
    int pin = 0;
    const std::string_view number = LeadingNumber(rest);
    const std::string_view name = Trimmed(rest);
    if (!ParseNumber(number, 10, pin) || pin <= 0 || pin > 64 || name.empty() ||
        name.find_first_of(" \t\r\n") != std::string_view::npos)
      continue;
    if (static_cast<int>(names.size()) <= pin) names.resize(pin + 1);
    names[pin] = name;
  }
  return names;
}

}  // namespace kem
