// The texts of the function simulation window: its title, buttons, file dialogs and messages.
#pragma once

#include <string_view>

namespace kem::waveform_messages {

// The design's file name and the time of its fit.
inline constexpr std::string_view kTitle = "Funktionssimulation - %s, gefittet um %s";
inline constexpr std::string_view kClock = "Takt";
inline constexpr std::string_view kStep = "Schritt";
inline constexpr std::string_view kLoad = "Laden ...";
inline constexpr std::string_view kSave = "Speichern ...";
inline constexpr std::string_view kReset = "Zurücksetzen";
inline constexpr std::string_view kLoadTitle = "Vektordatei laden";
inline constexpr std::string_view kSaveTitle = "Vektordatei speichern";
inline constexpr std::string_view kVectorFilterLabel = "Vektordateien";
inline constexpr std::string_view kVectorPattern = "*.vec";
inline constexpr std::string_view kCannotRead = "Vektordatei %s kann nicht gelesen werden";
inline constexpr std::string_view kNotLoaded = "Vektordatei %s fehlerhaft, nichts geladen:";
inline constexpr std::string_view kMismatches = "Abweichungen: %d";
inline constexpr std::string_view kNoMismatches = "Keine Abweichungen";
inline constexpr std::string_view kNoDevice = "Simulation nicht möglich: %s";

}  // namespace kem::waveform_messages
