#include "cli/simulate.h"

#include <string_view>

#include "cli/gnu_diagnostics.h"
#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/names.h"
#include "device/device_simulator.h"
#include "device/jedec_reader.h"
#include "device/jedec_vectors.h"
#include "device/simulation_messages.h"
#include "device/test_vectors.h"

namespace kem::cli {

namespace {

namespace msg = simulation_messages;

constexpr int kClean = 0;
constexpr int kFailed = 1;
constexpr int kUnusable = 2;

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

// The device of the JEDEC file, or nothing after saying why it cannot be used.
std::optional<DeviceSimulator> LoadDevice(const std::string& name, const std::string& text,
                                          JedecFile& file, std::FILE* err) {
  std::string error;
  std::optional<JedecFile> read = ReadJedec(text, error);
  if (read && error.empty()) error = ChecksumFault(*read);
  int type = -1;
  if (error.empty()) {
    type = JedecDeviceType(*read);
    if (type < 0) error = msg::kUnknownDevice;
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

}  // namespace

int SimulateDesign(const std::string& document, bool write_vectors, SimulateStreams streams) {
  const std::string stem = Stem(document);
  const std::string vector_name = stem + std::string(kVectorExtension);
  const std::string jedec_name = stem + std::string(kJedecExtension);
  std::string vector_text;
  if (!ReadWholeFile(vector_name, vector_text)) {
    Error(streams.err, FormatText(msg::kNoVectorFile, {vector_name}));
    return kUnusable;
  }
  std::string jedec_text;
  if (!ReadWholeFile(jedec_name, jedec_text)) {
    Error(streams.err, FormatText(msg::kNoJedecFile, {jedec_name}));
    return kUnusable;
  }
  JedecFile jedec;
  std::optional<DeviceSimulator> device = LoadDevice(jedec_name, jedec_text, jedec, streams.err);
  if (!device) return kUnusable;

  std::vector<VectorDiagnostic> faults;
  const std::optional<TestVectors> vectors =
      ParseTestVectors(vector_text, *device, PinNamesFromNotes(jedec), faults);
  if (!vectors) {
    for (const VectorDiagnostic& fault : faults) {
      Put(streams.out, LineText(fault) + "\n");
      ErrorAtLine(streams.err, vector_name, fault.line, fault.text);
    }
    Put(streams.out, FormatText(msg::kFileFaults, {vector_name}) + "\n");
    return kFailed;
  }

  const SimulationRun run = RunTestVectors(*vectors, *device);
  Put(streams.out, SimulationTable(*vectors, run));
  for (const VectorStep& step : run.steps) {
    for (const VectorStep::Mismatch& mismatch : step.mismatches)
      ErrorAtLine(streams.err, vector_name, step.line, MismatchText(*vectors, mismatch));
  }
  if (run.FailedSteps() > 0) return kFailed;

  if (write_vectors) {
    const std::string text = JedecWithVectors(jedec_text, JedecVectorFields(*vectors, *device));
    if (ReplaceFileContents(jedec_name, text) != ReplaceResult::kReplaced) {
      Error(streams.err, FormatText(file_messages::kCannotSave, {jedec_name}));
      return kFailed;
    }
    Put(streams.out,
        FormatText(msg::kVectorsWritten, {std::to_string(vectors->vectors.size()), jedec_name}) +
            "\n");
  }
  return kClean;
}

}  // namespace kem::cli
