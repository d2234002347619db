// Where the help commands lead: the help file in the folder that was current at start-up, opened
// with the desktop's handler, and where there is none, the manual that comes with the program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/frame_ui.h"

namespace kem {

// The texts of the program's own help window.
namespace help_texts {
inline constexpr std::string_view kWindowTitle = "KEM Handbuch";
inline constexpr std::string_view kBack = "&Zurück";
inline constexpr std::string_view kForward = "&Vorwärts";
inline constexpr std::string_view kContents = "&Inhalt";
inline constexpr std::string_view kFindLabel = "Suchen &nach:";
inline constexpr std::string_view kFindNext = "&Weitersuchen";
}  // namespace help_texts

// The entry page of the manual, relative to the manual's folder.
inline constexpr std::string_view kManualEntryPage = "index.html";

// The help file in `directory` when a regular file of that name is there.
std::optional<std::string> HelpFileIn(const std::string& directory);

// Carries out a help command: the help file where it exists and a handler takes it, else the
// manual, so that help never silently does nothing.
void RunHelpCommand(FrameUi& ui, HelpRequest request, const std::string& directory);

}  // namespace kem
