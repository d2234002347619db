#include "cli/box_lines.h"

namespace kem::cli {

namespace {

constexpr std::string_view kLinePrefix = "kemc: ";
constexpr std::string_view kError = "error: ";

}  // namespace

std::string BoxLine(std::string_view text, BoxKind kind) {
  std::string line(kLinePrefix);
  if (kind == BoxKind::kRefusal || kind == BoxKind::kFailure) line += kError;
  line += text;
  return line;
}

}  // namespace kem::cli
