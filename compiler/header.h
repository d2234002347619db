// The design header: CHIP, design name, device, optional mode and optional user ID, then the pin
// list, which gives every pin of the device a name.
#pragma once

#include "compiler/compile_run.h"

namespace kem {

inline constexpr std::size_t kMaxUserIdLength = 15;

// header = "CHIP" name device [mode] ["USER_ID" "=" identifier] pin-list
int ParseHeader(CompileRun& run);

// pin-list = identifier{Pin_Count}, in pin order; then one record per node of the device.
void ParsePinList(CompileRun& run);

}  // namespace kem
