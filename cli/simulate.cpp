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

int Simulate(const std::string& document, bool write_vectors, SimulateStreams streams,
             AllocationBudget& budget) {
  const std::string stem = Stem(document);
  const std::string vector_name = Beside(stem, kVectorExtension);
  const std::string jedec_name = Beside(stem, kJedecExtension);
  const std::optional<std::string> vector_text = ReadCharged(vector_name, budget);
  if (!vector_text) {
    Error(streams.err, CannotReadVectorFileText(vector_name));
    return kStepUnusable;
  }
  std::string jedec_text;
  JedecFile jedec;
  std::optional<DeviceSimulator> device =
      LoadChargedDevice(jedec_name, jedec_text, jedec, streams.err, budget);
  if (!device) return kStepUnusable;
  for (const std::string& warning : device->warnings()) Put(streams.out, warning + "\n");

  std::vector<VectorDiagnostic> faults;
  const std::optional<TestVectors> vectors = ParseTestVectors(
      *vector_text, *device, PinNames(document, jedec, device->gal_type(), budget), faults);
  if (!vectors) {
    for (const VectorDiagnostic& fault : faults) {
      Put(streams.out, LineText(fault) + "\n");
      ErrorAtLine(streams.err, vector_name, fault.line, fault.text);
    }
    Put(streams.out, FormatText(simulation_messages::kFileFaults, {vector_name}) + "\n");
    return kStepFailed;
  }

  const SimulationRun run = RunTestVectors(*vectors, *device);
  Put(streams.out,
      FormatText(simulation_messages::kDeviceHeading, {DeviceName(device->gal_type())}) + "\n");
  Put(streams.out, SimulationTable(*vectors, run));
  for (const VectorStep& step : run.steps) {
    for (const VectorStep::Mismatch& mismatch : step.mismatches)
      ErrorAtLine(streams.err, vector_name, step.line, MismatchText(*vectors, mismatch));
  }
  if (run.FailedSteps() > 0) return kStepFailed;

  if (write_vectors) {
    const std::string text = JedecWithVectors(jedec_text, JedecVectorFields(*vectors, *device));
    if (ReplaceFileContents(jedec_name, text) != ReplaceResult::kReplaced) {
      Error(streams.err, FormatText(file_messages::kCannotSave, {jedec_name}));
      return kStepFailed;
    }
    Put(streams.out,
        FormatText(simulation_messages::kVectorsWritten,
                   {VectorCountText(static_cast<int>(vectors->vectors.size())), jedec_name}) +
            "\n");
  }
  return kStepClean;
}

}  // namespace

int SimulateDesign(const std::string& document, bool write_vectors, SimulateStreams streams,
                   std::size_t memory_budget) {
  AllocationBudget budget(memory_budget);
  try {
    return Simulate(document, write_vectors, streams, budget);
  } catch (const std::bad_alloc&) {
    Error(streams.err, simulation_messages::kOutOfMemory);
    return kStepFailed;
  }
}

}  // namespace kem::cli
