#include "cli/read_back.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/names.h"
#include "shell/read_back.h"
#include "shell/read_back_messages.h"

namespace kem::cli {

namespace {

constexpr int kClean = 0;
constexpr int kFailed = 1;
constexpr int kUnusable = 2;

void PutLines(std::FILE* file, const std::vector<std::string>& lines, const char* prefix = "") {
  for (const std::string& line : lines) std::fprintf(file, "%s%s\n", prefix, line.c_str());
}

int StatusOf(ChipFault fault) {
  return fault == ChipFault::kNone ? kClean : kUnusable;
}

// The design's name: the file's stem without folder and extension dot.
std::string StemName(const std::string& path) {
  std::string stem = Stem(path);
  if (!stem.empty() && stem.back() == '.') stem.pop_back();
  const std::size_t slash = stem.find_last_of("/\\");
  return slash == std::string::npos ? stem : stem.substr(slash + 1);
}

}  // namespace

int CompareFiles(const Options& options, std::FILE* out, std::FILE* err) {
  const int level = options.level < 0 ? kDefaultMinimizationLevel : options.level;
  std::vector<LoadedChip> chips;
  int status = kClean;
  for (const std::string& file : options.files) {
    chips.push_back(LoadChip(file, options.from, level));
    PutLines(err, chips.back().messages, "kemc: error: ");
    status = std::max(status, StatusOf(chips.back().fault));
  }
  if (status != kClean) return status;
  const ChipFunction& a = *chips[0].chip;
  const ChipFunction& b = *chips[1].chip;
  const std::optional<ChipComparison> comparison = CompareChips(a, b);
  if (!comparison) {
    PutLines(err, {FormatText(read_back_messages::kNotTwins, {a.device, b.device})},
             "kemc: error: ");
    return kUnusable;
  }
  PutLines(out, ComparisonLines(*comparison, a, b, options.files[0], options.files[1]));
  return comparison->equivalent() ? kClean : kFailed;
}

int DecompileFiles(const Options& options, std::FILE* out, std::FILE* err) {
  DecompileOptions decompile;
  decompile.level = options.level < 0 ? kDefaultMinimizationLevel : options.level;
  if (!options.names_file.empty()) {
    std::string error;
    std::optional<std::vector<std::string>> names = ReadPinNames(options.names_file, error);
    if (!names) {
      PutLines(err, {error}, "kemc: error: ");
      return kUnusable;
    }
    decompile.names = std::move(*names);
  }
  int status = kClean;
  for (const std::string& file : options.files) {
    const std::string target =
        options.output.empty() ? Stem(file) + std::string(kSourceExtension) : options.output;
    if (KindOfPath(target) != PathKind::kMissing) {
      PutLines(err, {FormatText(read_back_messages::kDesignExists, {target})}, "kemc: error: ");
      status = std::max(status, kUnusable);
      continue;
    }
    decompile.design_name = StemName(file);
    const DecompiledFile result = DecompileFile(file, options.from, decompile);
    PutLines(err, result.messages, "kemc: error: ");
    if (!result.text) {
      status = std::max(status, result.fault == ChipFault::kUnusable ? kUnusable : kFailed);
      continue;
    }
    if (ReplaceFileContents(target, *result.text) != ReplaceResult::kReplaced) {
      PutLines(err, {FormatText(file_messages::kCannotSave, {target})}, "kemc: error: ");
      status = std::max(status, kFailed);
      continue;
    }
    std::fprintf(out, "%s\n", target.c_str());
  }
  return status;
}

}  // namespace kem::cli
