#include "device/jedec_vectors.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kem {

namespace {

std::string_view TrimmedLeft(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  return text;
}

}  // namespace

std::string JedecLineEnd(std::string_view jedec) {
  return jedec.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

std::string EditJedecFields(std::string_view jedec, const JedecFieldEdit& edit,
                            const std::function<std::string()>& after_last) {
  const std::size_t stx = jedec.find('\x02');
  const std::size_t etx = stx == std::string_view::npos ? stx : jedec.find('\x03', stx);
  if (etx == std::string_view::npos) return {};

  // The body as its fields, each with the blanks in front of it; the first is the header.
  std::string_view body = jedec.substr(stx + 1, etx - stx - 1);
  std::string out(jedec.substr(0, stx + 1));
  bool header = true;
  while (true) {
    const std::size_t end = body.find('*');
    if (end == std::string_view::npos) break;
    const std::string_view field = body.substr(0, end + 1);
    body.remove_prefix(end + 1);
    out += header ? std::string(field) : edit(field, TrimmedLeft(field));
    header = false;
  }
  out += after_last();
  out += body;  // what follows the last field, up to ETX
  out += '\x03';
  unsigned sum = 0;
  for (std::size_t i = stx; i < out.size(); ++i)
    sum = (sum + static_cast<unsigned char>(out[i])) & 0xFFFFu;
  char checksum[8];
  std::snprintf(checksum, sizeof checksum, "%04X", sum);
  out += checksum;
  // Whatever followed the checksum (our files end with a line end) stays.
  const std::size_t after = std::min(jedec.size(), etx + 5);
  out += jedec.substr(after);
  return out;
}

std::string JedecWithVectors(std::string_view jedec, const std::vector<std::string>& vectors) {
  const std::string line_end = JedecLineEnd(jedec);
  bool count_written = false;
  const std::string count = "QV" + std::to_string(vectors.size());
  auto edit = [&](std::string_view field, std::string_view content) {
    if (content.starts_with("V") || content.starts_with("QV")) return std::string();
    if (!content.starts_with("QF")) return std::string(field);
    count_written = true;
    return std::string(field) + line_end + count + "*";
  };
  auto after_last = [&] {
    std::string out = count_written ? "" : line_end + count + "*";
    for (std::size_t v = 0; v < vectors.size(); ++v) {
      char number[16];
      std::snprintf(number, sizeof number, "V%04u ", static_cast<unsigned>(v + 1));
      out += line_end + number + vectors[v] + "*";
    }
    return out;
  };
  return EditJedecFields(jedec, edit, after_last);
}

}  // namespace kem
