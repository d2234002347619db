#include "cli/design_files.h"

#include <new>
#include <utility>

#include "cli/gnu_diagnostics.h"
#include "common/error_file_lines.h"
#include "common/file_io.h"
#include "common/format.h"
#include "common/names.h"
#include "compiler/design_pins.h"
#include "device/simulation_messages.h"
#include "shell/waveform_messages.h"

namespace kem::cli {

namespace {

// What is said of an input that cannot be read.
struct InputTexts {
  std::string_view missing;
  std::string_view not_a_file;
  std::string_view unreadable;
};
constexpr InputTexts kVectorFileTexts{simulation_messages::kNoVectorFile,
                                      simulation_messages::kVectorFileNotAFile,
                                      waveform_messages::kCannotRead};
constexpr InputTexts kJedecFileTexts{simulation_messages::kNoJedecFile,
                                     simulation_messages::kJedecFileNotAFile,
                                     simulation_messages::kJedecFileUnreadable};

std::string CannotReadText(const std::string& name, const InputTexts& texts) {
  switch (KindOfPath(name)) {
    case PathKind::kMissing:
      return FormatText(texts.missing, {name});
    case PathKind::kNotAFile:
      return FormatText(texts.not_a_file, {name});
    case PathKind::kFile:
      break;
  }
  return FormatText(texts.unreadable, {name});
}

bool IsDerivedFile(const std::string& document) {
  const std::string extension = Upper(Extension(document));
  return extension == Upper(kVectorExtension) || extension == Upper(kJedecExtension);
}

}  // namespace

void Put(std::FILE* file, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), file);
}

void Error(std::FILE* err, std::string_view text) {
  Put(err, "kemc: error: ");
  Put(err, text);
  Put(err, "\n");
}

void ErrorAtLine(std::FILE* err, const std::string& file, int line, std::string_view text) {
  ErrorFileEntry entry;
  entry.line = line;
  entry.text = text;
  Put(err, GnuDiagnosticLine(file, entry) + "\n");
}

// The file with the extension beside the document: as written, or in capitals when only that
// one is there.
std::string Beside(const std::string& stem, std::string_view extension) {
  const std::string name = stem + std::string(extension);
  const std::string capitals = stem + Upper(extension);
  return KindOfPath(name) == PathKind::kMissing && KindOfPath(capitals) != PathKind::kMissing
             ? capitals
             : name;
}

// Memory for a simulation is charged as a compilation's is; past the budget the run ends as
// when the allocator gives out.
void Charge(AllocationBudget& budget, std::size_t bytes) {
  if (!budget.Reserve(bytes)) throw std::bad_alloc();
}

// The bytes of an input, charged to the budget; nothing when it cannot be read.
std::optional<std::string> ReadCharged(const std::string& name, AllocationBudget& budget) {
  std::string bytes;
  switch (ReadRegularFile(name, bytes, budget.limit() - budget.in_use())) {
    case ReadResult::kRead:
      Charge(budget, bytes.size());
      return bytes;
    case ReadResult::kTooLarge:
      throw std::bad_alloc();
    case ReadResult::kCannotOpen:
      break;
  }
  return std::nullopt;
}

std::string CannotReadVectorFileText(const std::string& name) {
  return CannotReadText(name, kVectorFileTexts);
}

std::string CannotReadJedecFileText(const std::string& name) {
  return CannotReadText(name, kJedecFileTexts);
}

// The device of the JEDEC file, or nothing after saying why it cannot be used.
std::optional<DeviceSimulator> LoadDevice(const std::string& name, const std::string& text,
                                          JedecFile& file, std::FILE* err) {
  std::string error;
  std::optional<JedecFile> read = ReadJedec(text, error);
  if (read && error.empty()) error = ChecksumFault(*read);
  int type = -1;
  if (error.empty()) {
    type = JedecDeviceType(*read);
    error = type < 0 ? std::string(simulation_messages::kUnknownDevice)
                     : JedecDeviceNoteFault(*read, type);
  }
  std::optional<DeviceSimulator> device;
  if (error.empty()) device = DeviceSimulator::FromFuses(type, read->fuses, error);
  if (!device) {
    Error(err, FormatText(simulation_messages::kBadJedecFile, {name, error}));
    return std::nullopt;
  }
  file = std::move(*read);
  return device;
}

std::optional<DeviceSimulator> LoadChargedDevice(const std::string& name, std::string& text,
                                                 JedecFile& file, std::FILE* err,
                                                 AllocationBudget& budget) {
  std::optional<std::string> read = ReadCharged(name, budget);
  if (!read) {
    Error(err, CannotReadJedecFileText(name));
    return std::nullopt;
  }
  text = std::move(*read);
  std::optional<DeviceSimulator> device = LoadDevice(name, text, file, err);
  if (device) Charge(budget, file.fuses.size());
  return device;
}

// The names vectors may give pins: the JEDEC file's N PIN notes; without any, the pin list of the
// design (the document, or the design beside the JEDEC file named) when it is for the device.
std::vector<std::string> PinNames(const std::string& document, const JedecFile& jedec, int gal_type,
                                  AllocationBudget& budget) {
  std::vector<std::string> names = PinNamesFromNotes(jedec);
  if (std::any_of(names.begin(), names.end(), [](const std::string& n) { return !n.empty(); }))
    return names;
  const std::string design =
      IsDerivedFile(document) ? Beside(Stem(document), kSourceExtension) : document;
  const std::optional<std::string> source = ReadCharged(design, budget);
  const std::optional<DesignPins> pins = source ? ReadDesignPins(*source) : std::nullopt;
  return pins && pins->gal_type == gal_type ? pins->names : names;
}

}  // namespace kem::cli
