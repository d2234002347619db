// The texts of the Verilog model and testbench and of their writing.
#pragma once

#include <string_view>

namespace kem::verilog_messages {

// Printed by the testbench, one line per vector.
inline constexpr std::string_view kPass = "PASS Zeile %d:";
inline constexpr std::string_view kFail = "FAIL Zeile %d:";

// kemc.
inline constexpr std::string_view kModelWritten = "Verilog-Modell %s geschrieben";
inline constexpr std::string_view kTestbenchWritten = "Testbench %s geschrieben";

}  // namespace kem::verilog_messages
