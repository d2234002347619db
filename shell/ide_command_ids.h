// Commands of the IDE beyond the menu's own ids (common/command_ids.h), numbered apart from them
// and from each other in this one place, so that no two can collide.
#pragma once

#include <cstddef>

namespace kem {

// Keys without a menu item: the next and the previous diagnostic of the last compilation.
inline constexpr int kCmdNextDiagnostic = 60;
inline constexpr int kCmdPreviousDiagnostic = 61;

// "Simulation": the function simulation of the last fitted design.
inline constexpr int kCmdFunctionSimulation = 62;

// The entries of the recently opened files in the "Datei" menu, the most recent first.
inline constexpr std::size_t kRecentFilesMax = 8;
inline constexpr int kCmdRecentFileFirst = 70;

}  // namespace kem
