#include "shell/read_back.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>
#include <sstream>

#include "common/diagnostics.h"
#include "common/file_io.h"
#include "common/format.h"
#include "common/message_log.h"
#include "compiler/driver.h"
#include "device/device_simulator.h"
#include "device/jedec_reader.h"
#include "interchange/interchange_messages.h"
#include "interchange/pal_fuse_maps.h"
#include "shell/read_back_messages.h"

namespace kem {

namespace {

namespace imsg = interchange_messages;

// No JEDEC file or design is anywhere near this size; a larger one is no input of ours.
constexpr std::size_t kLargestInput = std::size_t{64} << 20;
constexpr char kStx = '\x02';

// A compilation nobody watches: its boxes and log lines are kept for the report.
class ScratchHost final : public CompileHost {
 public:
  MessageLog& Log() override { return log_; }
  BoxAnswer ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon, BoxButtons) override {
    if (kind != BoxKind::kInformation) boxes.emplace_back(text);
    return BoxAnswer::kNo;
  }
  std::vector<std::string> boxes;

 private:
  LogModel log_;
};

// A folder of our own under the system's temporary folder, removed with its contents.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    for (int attempt = 0; !error && attempt < 16 && path_.empty(); ++attempt) {
      std::string name = "kem-readback-";
      name += std::to_string(random());
      name += std::to_string(random());
      const std::filesystem::path path = base / name;
      if (std::filesystem::create_directory(path, error)) path_ = path;
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool made() const { return !path_.empty(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

bool LooksLikeJedec(const std::string& path, const std::string& bytes) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".jed" || bytes.find(kStx) != std::string::npos;
}

// A PAL is named for the files of its fuse count; a GAL file beside it is read as a GAL.
bool IsPalMap(const JedecFile& file, const std::string& pal_part) {
  return !pal_part.empty() &&
         (!IsPalPart(pal_part) || static_cast<int>(file.fuses.size()) == PalFuseCount(pal_part));
}

bool IsPalFuseCount(std::size_t fuses) {
  return static_cast<int>(fuses) == PalFuseCount("PAL16L8") ||
         static_cast<int>(fuses) == PalFuseCount("PAL20L8");
}

LoadedChip Unusable(std::string message) {
  LoadedChip loaded;
  loaded.fault = ChipFault::kUnusable;
  loaded.messages.push_back(std::move(message));
  return loaded;
}

std::optional<std::string> ReadInput(const std::string& path, LoadedChip& fault) {
  std::string bytes;
  if (ReadRegularFile(path, bytes, kLargestInput) == ReadResult::kRead) return bytes;
  fault =
      Unusable(FormatText(KindOfPath(path) == PathKind::kNotAFile ? read_back_messages::kNotAFile
                                                                  : read_back_messages::kCannotRead,
                          {path}));
  return std::nullopt;
}

LoadedChip ChipOfJedecText(const std::string& path, const std::string& bytes,
                           const std::string& pal_part) {
  std::string error;
  std::optional<JedecFile> file = ReadJedec(bytes, error);
  if (file && ChecksumFault(*file).empty()) {
    std::optional<ChipFunction> chip = IsPalMap(*file, pal_part)
                                           ? PalChipOfJedec(*file, pal_part, error)
                                           : GalChipOfJedec(*file, error);
    if (chip) return {std::move(chip), ChipFault::kNone, {}};
  } else if (file) {
    error = ChecksumFault(*file);
  }
  if (file && !IsPalMap(*file, pal_part) && IsPalFuseCount(file->fuses.size()))
    error += read_back_messages::kPalHint;
  return Unusable(FormatText(read_back_messages::kJedecUnusable, {path, error}));
}

std::string KindText(ChipPinKind kind) {
  switch (kind) {
    case ChipPinKind::kNotDriven:
      break;
    case ChipPinKind::kCombinational:
      return std::string(imsg::kKindCombinational);
    case ChipPinKind::kRegistered:
      return std::string(imsg::kKindRegistered);
    case ChipPinKind::kBus:
      return std::string(imsg::kKindBus);
  }
  return std::string(imsg::kKindNotDriven);
}

std::string NameOf(int pin, const ChipFunction& a, const ChipFunction& b) {
  for (const ChipFunction* chip : {&a, &b}) {
    // The second chip's names are in its own numbering, which is the first's for the same layout.
    if (chip == &b && b.layout != a.layout) break;
    if (pin < static_cast<int>(chip->pin_names.size()) && !chip->pin_names[pin].empty())
      return chip->pin_names[pin];
  }
  return {};
}

std::string PinLabel(int pin, const ChipFunction& a, const ChipFunction& b) {
  const std::string name = NameOf(pin, a, b);
  return name.empty() ? FormatText(imsg::kPinLabel, {std::to_string(pin)})
                      : FormatText(imsg::kPinLabelNamed, {std::to_string(pin), name});
}

std::string PointText(const ChipDifference& difference, const ChipFunction& a,
                      const ChipFunction& b) {
  if (difference.point.empty()) return std::string(imsg::kNoInputs);
  std::string text;
  for (const ChipLiteral& level : difference.point) {
    if (!text.empty()) text += ' ';
    const std::string name = NameOf(level.pin, a, b);
    if (name.empty()) {
      text += 'P';
      text += std::to_string(level.pin);
    } else {
      text += name;
    }
    text += level.inverted ? "=0" : "=1";
  }
  return text;
}

std::string RowsText(const std::vector<int>& rows) {
  if (rows.empty()) return {};
  std::string list;
  for (int row : rows) {
    if (!list.empty()) list += ", ";
    list += std::to_string(row);
  }
  return FormatText(imsg::kRows, {list});
}

std::string WhatText(ChipDifference::What what) {
  switch (what) {
    case ChipDifference::What::kLevel:
      return std::string(imsg::kLevel);
    case ChipDifference::What::kNextState:
      return std::string(imsg::kNextState);
    case ChipDifference::What::kEnable:
      return std::string(imsg::kEnable);
    default:
      break;
  }
  return std::string(imsg::kLevel);
}

std::string DifferenceLine(const ChipDifference& d, const ChipFunction& a, const ChipFunction& b,
                           const std::string& name_a, const std::string& name_b) {
  using What = ChipDifference::What;
  const std::string subject = d.what == What::kReset    ? std::string(imsg::kReset)
                              : d.what == What::kPreset ? std::string(imsg::kPreset)
                                                        : PinLabel(d.pin, a, b);
  if (d.what == What::kKind)
    return FormatText(imsg::kKindDiffers,
                      {subject, KindText(d.kind_a), name_a, KindText(d.kind_b), name_b});
  return FormatText(imsg::kValueDiffers,
                    {subject, WhatText(d.what), PointText(d, a, b), name_a, d.value_a ? "1" : "0",
                     RowsText(d.rows_a), name_b, d.value_b ? "1" : "0", RowsText(d.rows_b)});
}

}  // namespace

LoadedChip CompileInScratch(const std::string& text, const std::string& file_name, int level) {
  ScratchFolder folder;
  if (!folder.made())
    return Unusable(FormatText(read_back_messages::kNoScratchFolder, {file_name}));
  const std::string source = folder.File(FileName(file_name));
  if (ReplaceFileContents(source, text) != ReplaceResult::kReplaced)
    return Unusable(FormatText(read_back_messages::kNoScratchFolder, {file_name}));
  ScratchHost host;
  CompileOptions options;
  options.minimization_level = level;
  const std::unique_ptr<CompileRun> run = RunCompileCommand({source, true}, host, options);
  LoadedChip loaded;
  if (run && run->CompileClean() && run->fitted) {
    std::string error;
    std::optional<DeviceSimulator> device =
        DeviceSimulator::FromFuseMap(run->fitted->gal_type, run->fitted->map, error);
    if (device) {
      loaded.chip = ChipFunctionOf(*device);
      loaded.chip->pin_names = run->fitted->pin_names;
      loaded.chip->pin_names.resize(static_cast<std::size_t>(loaded.chip->pin_count) + 1);
      return loaded;
    }
    loaded.messages.push_back(error);
  }
  loaded.fault = ChipFault::kDesignFailed;
  loaded.messages.push_back(FormatText(read_back_messages::kDesignFailed, {file_name}));
  if (run) {
    for (const ReportedDiagnostic& reported : run->diagnostics.entries()) {
      if (reported.severity() == Severity::kWarning) continue;
      std::string text = reported.text;
      std::replace(text.begin(), text.end(), '\n', ' ');
      loaded.messages.push_back(
          FormatText(read_back_messages::kDiagnostic,
                     {file_name, std::to_string(reported.line.value_or(0)), text}));
    }
  }
  for (const std::string& box : host.boxes) loaded.messages.push_back(box);
  return loaded;
}

LoadedChip LoadChip(const std::string& path, const std::string& pal_part, int level) {
  LoadedChip fault;
  const std::optional<std::string> bytes = ReadInput(path, fault);
  if (!bytes) return fault;
  if (!pal_part.empty() || LooksLikeJedec(path, *bytes))
    return ChipOfJedecText(path, *bytes, pal_part);
  return CompileInScratch(*bytes, path, level);
}

std::vector<std::string> ComparisonLines(const ChipComparison& comparison, const ChipFunction& a,
                                         const ChipFunction& b, const std::string& name_a,
                                         const std::string& name_b) {
  if (comparison.equivalent()) return {std::string(imsg::kEquivalent)};
  std::vector<std::string> lines;
  for (const ChipDifference& difference : comparison.differences)
    lines.push_back(DifferenceLine(difference, a, b, name_a, name_b));
  return lines;
}

DecompiledFile DecompileFile(const std::string& path, const std::string& pal_part,
                             DecompileOptions options) {
  DecompiledFile result;
  LoadedChip fault;
  const std::optional<std::string> bytes = ReadInput(path, fault);
  std::string error;
  std::optional<JedecFile> file;
  if (bytes) {
    file = ReadJedec(*bytes, error);
    if (file && !ChecksumFault(*file).empty()) error = ChecksumFault(*file), file.reset();
    if (!file) fault = Unusable(FormatText(read_back_messages::kJedecUnusable, {path, error}));
  }
  std::optional<ChipFunction> chip;
  std::optional<DesignText> design;
  if (file) {
    const bool pal = IsPalMap(*file, pal_part);
    chip = pal ? PalChipOfJedec(*file, pal_part, error) : GalChipOfJedec(*file, error);
    if (chip) {
      options.source_name = FileName(path);
      design = pal ? DecompileChip(*chip, options, error) : DecompileJedec(*file, options, error);
    } else if (!pal && IsPalFuseCount(file->fuses.size())) {
      error += read_back_messages::kPalHint;
    }
    if (!design) fault = Unusable(FormatText(read_back_messages::kJedecUnusable, {path, error}));
  }
  if (!design) {
    result.fault = fault.fault;
    result.messages = std::move(fault.messages);
    return result;
  }
  const std::string text = WriteDesignText(*design);
  // The design must make the chip it was read from, or it is not handed out.
  const std::string kem_name = std::filesystem::path(path).stem().string() + ".kem";
  LoadedChip back = CompileInScratch(text, kem_name, options.level);
  std::string where;
  if (!back.chip) {
    // The first diagnostic of the compilation, else what stopped it.
    where = back.messages.size() > 1 ? back.messages[1] : back.messages.back();
  } else if (std::optional<ChipComparison> comparison = CompareChips(*chip, *back.chip)) {
    if (comparison->equivalent()) {
      result.text = text;
      return result;
    }
    where = DifferenceLine(comparison->differences.front(), *chip, *back.chip, FileName(path),
                           kem_name);
  }
  result.fault = ChipFault::kDesignFailed;
  result.messages.push_back(FormatText(read_back_messages::kNotTheSameChip,
                                       {std::string(DiagnosticEntry(Diag::E03).format), where}));
  for (std::size_t i = 2; !back.chip && i < back.messages.size(); ++i)
    result.messages.push_back(back.messages[i]);
  return result;
}

std::optional<std::vector<std::string>> ReadPinNames(const std::string& path, std::string& error) {
  std::string bytes;
  if (ReadRegularFile(path, bytes, kLargestInput) != ReadResult::kRead) {
    error = FormatText(KindOfPath(path) == PathKind::kNotAFile ? read_back_messages::kNotAFile
                                                               : read_back_messages::kCannotRead,
                       {path});
    return std::nullopt;
  }
  std::vector<std::string> names;
  std::istringstream lines(bytes);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    int pin = 0;
    std::string name;
    std::string rest;
    if (!(fields >> pin)) {
      if (line.find_first_not_of(" \t") == std::string::npos) continue;
    } else if (fields >> name && !(fields >> rest) && pin >= 1 && pin <= 30) {
      if (names.size() <= static_cast<std::size_t>(pin))
        names.resize(static_cast<std::size_t>(pin) + 1);
      names[static_cast<std::size_t>(pin)] = name;
      continue;
    }
    error = FormatText(read_back_messages::kNamesLine, {path, std::to_string(number)});
    return std::nullopt;
  }
  return names;
}

}  // namespace kem
