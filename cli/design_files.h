// What kemc's steps after a fit share: the files beside a design, read within a memory budget,
// the device of its JEDEC file, the names of its pins, and messages on kemc's streams.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/allocation.h"
#include "device/device_simulator.h"
#include "device/jedec_reader.h"

namespace kem::cli {

inline constexpr int kStepClean = 0;
inline constexpr int kStepFailed = 1;
inline constexpr int kStepUnusable = 2;

struct SimulateStreams {
  std::FILE* out;
  std::FILE* err;
};

void Put(std::FILE* file, std::string_view text);
// "kemc: error: TEXT".
void Error(std::FILE* err, std::string_view text);
// "FILE:LINE: error: TEXT".
void ErrorAtLine(std::FILE* err, const std::string& file, int line, std::string_view text);

// The file with the extension beside the document: as written, or in capitals when only that
// one is there.
std::string Beside(const std::string& stem, std::string_view extension);

// Memory is charged as a compilation's is; past the budget the run ends as when the allocator
// gives out (std::bad_alloc).
void Charge(AllocationBudget& budget, std::size_t bytes);

// The bytes of an input, charged to the budget; nothing when it cannot be read.
std::optional<std::string> ReadCharged(const std::string& name, AllocationBudget& budget);

// Why a vector file or a JEDEC file could not be read.
std::string CannotReadVectorFileText(const std::string& name);
std::string CannotReadJedecFileText(const std::string& name);

// The device of the JEDEC file, or nothing after saying why it cannot be used.
std::optional<DeviceSimulator> LoadDevice(const std::string& name, const std::string& text,
                                          JedecFile& file, std::FILE* err);

// LoadDevice on the JEDEC file read within the budget (its bytes in `text`), which is charged for
// its fuses too; nothing after saying why the file cannot be read or used.
std::optional<DeviceSimulator> LoadChargedDevice(const std::string& name, std::string& text,
                                                 JedecFile& file, std::FILE* err,
                                                 AllocationBudget& budget);

// The names of the pins: the JEDEC file's N PIN notes; without any, the pin list of the design
// (the document, or the design beside the JEDEC file named) when it is for the device.
std::vector<std::string> PinNames(const std::string& document, const JedecFile& jedec, int gal_type,
                                  AllocationBudget& budget);

}  // namespace kem::cli
