#include "cli/simulate.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <string_view>

#include "cli/gnu_diagnostics.h"
#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/names.h"
#include "compiler/design_pins.h"
#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/jedec_reader.h"
#include "device/jedec_vectors.h"
#include "device/simulation_messages.h"
#include "device/test_vectors.h"
#include "shell/waveform_messages.h"

namespace kem::cli {

namespace {

namespace msg = simulation_messages;

constexpr int kClean = 0;
constexpr int kFailed = 1;
constexpr int kUnusable = 2;
// What is said of an input that cannot be read.
struct InputTexts {
  std::string_view missing;
  std::string_view not_a_file;
  std::string_view unreadable;
};
constexpr InputTexts kVectorFileTexts{msg::kNoVectorFile, msg::kVectorFileNotAFile,
                                      waveform_messages::kCannotRead};
constexpr InputTexts kJedecFileTexts{msg::kNoJedecFile, msg::kJedecFileNotAFile,
                                     msg::kJedecFileUnreadable};

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

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
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

// Why an input could not be read.
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

// The device of the JEDEC file, or nothing after saying why it cannot be used.
std::optional<DeviceSimulator> LoadDevice(const std::string& name, const std::string& text,
                                          JedecFile& file, std::FILE* err) {
  std::string error;
  std::optional<JedecFile> read = ReadJedec(text, error);
  if (read && error.empty()) error = ChecksumFault(*read);
  int type = -1;
  if (error.empty()) {
    type = JedecDeviceType(*read);
    error = type < 0 ? std::string(msg::kUnknownDevice) : JedecDeviceNoteFault(*read, type);
  }
  std::optional<DeviceSimulator> device;
  if (error.empty()) device = DeviceSimulator::FromFuses(type, read->fuses, error);
  if (!device) {
    Error(err, FormatText(msg::kBadJedecFile, {name, error}));
    return std::nullopt;
  }
  file = std::move(*read);
  return device;
}

bool IsDerivedFile(const std::string& document) {
  const std::string extension = Upper(Extension(document));
  return extension == Upper(kVectorExtension) || extension == Upper(kJedecExtension);
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

int Simulate(const std::string& document, bool write_vectors, SimulateStreams streams,
             AllocationBudget& budget) {
  const std::string stem = Stem(document);
  const std::string vector_name = Beside(stem, kVectorExtension);
  const std::string jedec_name = Beside(stem, kJedecExtension);
  const std::optional<std::string> vector_text = ReadCharged(vector_name, budget);
  if (!vector_text) {
    Error(streams.err, CannotReadText(vector_name, kVectorFileTexts));
    return kUnusable;
  }
  const std::optional<std::string> jedec_text = ReadCharged(jedec_name, budget);
  if (!jedec_text) {
    Error(streams.err, CannotReadText(jedec_name, kJedecFileTexts));
    return kUnusable;
  }
  JedecFile jedec;
  std::optional<DeviceSimulator> device = LoadDevice(jedec_name, *jedec_text, jedec, streams.err);
  if (!device) return kUnusable;
  Charge(budget, jedec.fuses.size());
  for (const std::string& warning : device->warnings()) Put(streams.out, warning + "\n");

  std::vector<VectorDiagnostic> faults;
  const std::optional<TestVectors> vectors = ParseTestVectors(
      *vector_text, *device, PinNames(document, jedec, device->gal_type(), budget), faults);
  if (!vectors) {
    for (const VectorDiagnostic& fault : faults) {
      Put(streams.out, LineText(fault) + "\n");
      ErrorAtLine(streams.err, vector_name, fault.line, fault.text);
    }
    Put(streams.out, FormatText(msg::kFileFaults, {vector_name}) + "\n");
    return kFailed;
  }

  const SimulationRun run = RunTestVectors(*vectors, *device);
  Put(streams.out, FormatText(msg::kDeviceHeading, {DeviceName(device->gal_type())}) + "\n");
  Put(streams.out, SimulationTable(*vectors, run));
  for (const VectorStep& step : run.steps) {
    for (const VectorStep::Mismatch& mismatch : step.mismatches)
      ErrorAtLine(streams.err, vector_name, step.line, MismatchText(*vectors, mismatch));
  }
  if (run.FailedSteps() > 0) return kFailed;

  if (write_vectors) {
    const std::string text = JedecWithVectors(*jedec_text, JedecVectorFields(*vectors, *device));
    if (ReplaceFileContents(jedec_name, text) != ReplaceResult::kReplaced) {
      Error(streams.err, FormatText(file_messages::kCannotSave, {jedec_name}));
      return kFailed;
    }
    Put(streams.out,
        FormatText(msg::kVectorsWritten,
                   {VectorCountText(static_cast<int>(vectors->vectors.size())), jedec_name}) +
            "\n");
  }
  return kClean;
}

}  // namespace

int SimulateDesign(const std::string& document, bool write_vectors, SimulateStreams streams,
                   std::size_t memory_budget) {
  AllocationBudget budget(memory_budget);
  try {
    return Simulate(document, write_vectors, streams, budget);
  } catch (const std::bad_alloc&) {
    Error(streams.err, msg::kOutOfMemory);
    return kFailed;
  }
}

}  // namespace kem::cli
