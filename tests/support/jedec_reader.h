// Reads a JEDEC fuse-map file back into its fuse list, independently of the writer: the fields
// are taken apart by their identifiers, and both checksums are computed afresh from what was read.
#pragma once

#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kem::testing_support {

struct JedecFile {
  std::string header;              // the first field, from after STX up to its "*"
  std::vector<std::string> notes;  // the N fields, without the "N"
  int pins = -1;                   // QP
  int fuse_count = -1;             // QF
  int default_fuse = -1;           // F
  int security = -1;               // G
  std::vector<int> fuses;          // one per fuse: 0 or 1
  int stated_fuse_checksum = -1;   // C, -1 when absent
  unsigned fuse_checksum = 0;      // computed from `fuses`
  int stated_transmission_checksum = -1;
  unsigned transmission_checksum = 0;  // computed from STX to ETX
};

// Far more fuses than any device of the catalogue has; a larger QF is a damaged file, not a
// reason to allocate gigabytes.
inline constexpr int kMaxFuseCount = 1 << 20;

namespace jedec_detail {

inline bool ParseNumber(std::string_view text, int base, int& value) {
  if (text.empty()) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

inline std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  return text;
}

inline std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

}  // namespace jedec_detail

// The file's content, or nothing with the reason in `error`.
inline std::optional<JedecFile> ReadJedec(std::string_view text, std::string& error) {
  using namespace jedec_detail;
  const std::size_t stx = text.find('\x02');
  const std::size_t etx = stx == std::string_view::npos ? stx : text.find('\x03', stx);
  if (etx == std::string_view::npos) {
    error = "no STX ... ETX frame";
    return std::nullopt;
  }
  JedecFile file;
  for (std::size_t i = stx; i <= etx; ++i)
    file.transmission_checksum =
        (file.transmission_checksum + static_cast<unsigned char>(text[i])) & 0xFFFFu;
  if (!ParseNumber(text.substr(etx + 1, 4), 16, file.stated_transmission_checksum)) {
    error = "no transmission checksum after ETX";
    return std::nullopt;
  }

  std::string_view body = text.substr(stx + 1, etx - stx - 1);
  const std::size_t header_end = body.find('*');
  if (header_end == std::string_view::npos) {
    error = "no end of the first field";
    return std::nullopt;
  }
  file.header = TrimRight(TrimLeft(body.substr(0, header_end)));
  body.remove_prefix(header_end + 1);

  std::vector<int> fuses;
  while (true) {
    const std::size_t end = body.find('*');
    if (end == std::string_view::npos) {
      if (!TrimLeft(body).empty()) {
        error = "text after the last field";
        return std::nullopt;
      }
      break;
    }
    const std::string_view field = TrimRight(TrimLeft(body.substr(0, end)));
    body.remove_prefix(end + 1);
    if (field.empty()) continue;
    const std::string_view rest = field.substr(1);
    bool ok = true;
    switch (field.front()) {
      case 'N':
        file.notes.emplace_back(TrimLeft(rest));
        break;
      case 'Q':
        if (rest.starts_with("P")) {
          ok = ParseNumber(rest.substr(1), 10, file.pins);
        } else if (rest.starts_with("F")) {
          ok = ParseNumber(rest.substr(1), 10, file.fuse_count) && file.fuse_count > 0 &&
               file.fuse_count <= kMaxFuseCount;
          if (ok) fuses.assign(file.fuse_count, -1);
        } else {
          ok = false;
        }
        break;
      case 'F':
        ok = ParseNumber(rest, 10, file.default_fuse) && file.default_fuse <= 1;
        break;
      case 'G':
        ok = ParseNumber(rest, 10, file.security);
        break;
      case 'C':
        ok = rest.size() == 4 && ParseNumber(rest, 16, file.stated_fuse_checksum);
        break;
      case 'L': {
        std::size_t digits = 0;
        while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits])))
          ++digits;
        int fuse = 0;
        ok = !fuses.empty() && ParseNumber(rest.substr(0, digits), 10, fuse);
        for (char c : rest.substr(digits)) {
          if (!ok || std::isspace(static_cast<unsigned char>(c))) continue;
          ok = (c == '0' || c == '1') && fuse < static_cast<int>(fuses.size());
          if (ok) fuses[fuse++] = c - '0';
        }
        break;
      }
      default:
        ok = false;
    }
    if (!ok) {
      error = "bad field: " + std::string(field.substr(0, 20));
      return std::nullopt;
    }
  }

  for (int& fuse : fuses) {
    if (fuse < 0) fuse = file.default_fuse;
    if (fuse < 0) {
      error = "a fuse is given by no field";
      return std::nullopt;
    }
  }
  for (std::size_t word = 0; word * 8 < fuses.size(); ++word) {
    unsigned value = 0;
    for (std::size_t bit = 0; bit < 8 && word * 8 + bit < fuses.size(); ++bit)
      value |= static_cast<unsigned>(fuses[word * 8 + bit]) << bit;
    file.fuse_checksum = (file.fuse_checksum + value) & 0xFFFFu;
  }
  file.fuses = std::move(fuses);
  return file;
}

}  // namespace kem::testing_support
