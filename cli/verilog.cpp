#include "cli/verilog.h"

#include <new>
#include <string_view>

#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/names.h"
#include "device/simulation_messages.h"
#include "device/test_vectors.h"
#include "interchange/verilog_messages.h"
#include "interchange/verilog_model.h"

namespace kem::cli {

namespace {

constexpr std::string_view kModelExtension = "v";
constexpr std::string_view kTestbenchSuffix = "_tb.";

std::string_view LeafName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The design's name as our JEDEC header gives it ("CHIP NAME DEVICE ..."), else the file's.
std::string DesignName(const JedecFile& jedec, const std::string& stem) {
  const std::string& header = jedec.header;
  const std::size_t chip = header.find("CHIP ");
  if (chip != std::string::npos) {
    const std::size_t start = header.find_first_not_of(" \t\r\n", chip + 5);
    const std::size_t end = header.find_first_of(" \t\r\n", start);
    if (start != std::string::npos) return header.substr(start, end - start);
  }
  std::string_view leaf = LeafName(stem);
  if (!leaf.empty() && leaf.back() == '.') leaf.remove_suffix(1);
  return std::string(leaf);
}

bool SameFile(const std::string& a, const std::string& b) {
  return a == b || (KindOfPath(a) == PathKind::kFile && IsSameFile(a, b));
}

// Writes one output; false after saying why not.
bool WriteOutput(const std::string& document, const std::string& name, const std::string& text,
                 std::string_view written, SimulateStreams streams) {
  if (SameFile(document, name) || ReplaceFileContents(name, text) != ReplaceResult::kReplaced) {
    Error(streams.err, FormatText(file_messages::kCannotSave, {name}));
    return false;
  }
  Put(streams.out, FormatText(written, {name}) + "\n");
  return true;
}

int Write(const std::string& document, SimulateStreams streams, AllocationBudget& budget) {
  const std::string stem = Stem(document);
  const std::string jedec_name = Beside(stem, kJedecExtension);
  std::string jedec_text;
  JedecFile jedec;
  std::optional<DeviceSimulator> device =
      LoadChargedDevice(jedec_name, jedec_text, jedec, streams.err, budget);
  if (!device) return kStepUnusable;

  const std::vector<std::string> pin_names = PinNames(document, jedec, device->gal_type(), budget);
  const VerilogNames names = VerilogNamesOf(*device, pin_names, DesignName(jedec, stem));
  const std::string model_name = stem + std::string(kModelExtension);
  if (!WriteOutput(document, model_name, VerilogModule(*device, names, LeafName(jedec_name)),
                   verilog_messages::kModelWritten, streams))
    return kStepFailed;

  const std::string vector_name = Beside(stem, kVectorExtension);
  if (KindOfPath(vector_name) == PathKind::kMissing) return kStepClean;
  const std::optional<std::string> vector_text = ReadCharged(vector_name, budget);
  if (!vector_text) {
    Error(streams.err, CannotReadVectorFileText(vector_name));
    return kStepUnusable;
  }
  std::vector<VectorDiagnostic> faults;
  const std::optional<TestVectors> vectors =
      ParseTestVectors(*vector_text, *device, pin_names, faults);
  if (!vectors) {
    for (const VectorDiagnostic& fault : faults)
      ErrorAtLine(streams.err, vector_name, fault.line, fault.text);
    return kStepFailed;
  }
  std::string testbench_name = stem;
  testbench_name.pop_back();  // the extension dot
  testbench_name += std::string(kTestbenchSuffix) + std::string(kModelExtension);
  const std::string text = VerilogTestbench(*vectors, *device, names, LeafName(vector_name));
  if (!WriteOutput(document, testbench_name, text, verilog_messages::kTestbenchWritten, streams))
    return kStepFailed;
  return kStepClean;
}

}  // namespace

int WriteVerilog(const std::string& document, SimulateStreams streams, std::size_t memory_budget) {
  AllocationBudget budget(memory_budget);
  try {
    return Write(document, streams, budget);
  } catch (const std::bad_alloc&) {
    Error(streams.err, simulation_messages::kOutOfMemory);
    return kStepFailed;
  }
}

}  // namespace kem::cli
