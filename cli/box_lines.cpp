#include "cli/box_lines.h"

#include <array>

#include "compiler/messages.h"

namespace kem::cli {

namespace {

constexpr std::string_view kProgram = "kemc: ";
constexpr std::string_view kError = "error: ";

// Whether `text` is `format` with its "%s" (if any) replaced by some name.
bool Matches(std::string_view text, std::string_view format) {
  const std::size_t hole = format.find("%s");
  if (hole == std::string_view::npos) return text == format;
  const std::string_view before = format.substr(0, hole);
  const std::string_view after = format.substr(hole + 2);
  return text.size() > before.size() + after.size() && text.starts_with(before) &&
         text.ends_with(after);
}

}  // namespace

BoxKind ClassifyBox(std::string_view text) {
  static constexpr std::array<std::string_view, 2> kRefusedInputs = {
      messages::kRefuseOwnOutput, fitter_messages::kNoIntermediateFile};
  static constexpr std::array<std::string_view, 3> kFailures = {
      messages::kCannotSave, messages::kFitImpossible, messages::kOutOfMemory};
  for (std::string_view format : kRefusedInputs) {
    if (Matches(text, format)) return BoxKind::kRefusedInput;
  }
  for (std::string_view format : kFailures) {
    if (Matches(text, format)) return BoxKind::kFailure;
  }
  return BoxKind::kNotice;
}

std::string BoxLine(std::string_view text) {
  std::string line(kProgram);
  if (ClassifyBox(text) != BoxKind::kNotice) line += kError;
  line += text;
  return line;
}

}  // namespace kem::cli
