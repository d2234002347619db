// Fuzz target: vector files on arbitrary bytes, run on a device with arbitrary fuses. The first
// byte picks the device, the second seeds its fuses, the rest is the vector file, whose pins are
// named P1, P2, ... A file is refused with its faults or runs to a full table and V fields.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/jedec_vectors.h"
#include "device/jedec_writer.h"
#include "device/test_vectors.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kem;
  if (size < 2) return 0;
  const int type = data[0] % kDeviceCount;
  std::mt19937 random(data[1]);
  std::vector<std::uint8_t> fuses(DeviceJedecLayout(type).cells.size());
  for (std::uint8_t& fuse : fuses) fuse = random() & 1u;
  std::string error;
  auto device = DeviceSimulator::FromFuses(type, fuses, error);
  if (!device)
    device = DeviceSimulator::FromFuses(type, std::vector(fuses.size(), std::uint8_t{1}), error);
  KEM_FUZZ_CHECK(device.has_value(), "a fuse list of all ones configures every device");

  std::vector<std::string> names(PinCount(type) + 1);
  for (int pin = 1; pin <= PinCount(type); ++pin) names[pin] = "P" + std::to_string(pin);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  std::vector<VectorDiagnostic> faults;
  const auto vectors = ParseTestVectors(text, *device, names, faults);
  KEM_FUZZ_CHECK(vectors.has_value() == faults.empty(), "refused exactly when there are faults");
  if (!vectors) {
    for (const VectorDiagnostic& fault : faults)
      KEM_FUZZ_CHECK(fault.line >= 1 && !fault.text.empty(), "every fault has a line and a text");
    return 0;
  }
  const SimulationRun run = RunTestVectors(*vectors, *device);
  KEM_FUZZ_CHECK(run.steps.size() == vectors->vectors.size(), "one step per vector");
  const std::string table = SimulationTable(*vectors, run);
  KEM_FUZZ_CHECK(static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')) ==
                     run.steps.size() + 2,
                 "a header, one row per vector and a summary");
  const std::vector<std::string> fields = JedecVectorFields(*vectors, *device);
  for (const std::string& field : fields)
    KEM_FUZZ_CHECK(static_cast<int>(field.size()) == PinCount(type), "one character per pin");
  const std::string jedec = JedecWithVectors(
      "\x02*QF4*F0*\x03"
      "0000",
      fields);
  KEM_FUZZ_CHECK(!jedec.empty(), "vectors go into a framed file");
  return 0;
}
