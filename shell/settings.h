// The settings file kem.ini: the programmer port, the minimization level and the editor font,
// kept from one run of the program to the next as lines of key "=" value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/recent_files.h"
#include "synthesis/levels.h"

namespace kem {

inline constexpr std::string_view kSettingsFileName = "kem.ini";
inline constexpr int kPortNone = 3;  // "NoLPT"

// A font as the settings file stores it: the fields of a platform font description.
struct FontDescription {
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strike_out = 0;
  std::uint8_t char_set = 0;
  std::uint8_t out_precision = 0;
  std::uint8_t clip_precision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitch_and_family = 0;
  std::string face_name;  // at most 31 characters
};

struct Settings {
  int port = kPortNone;
  int minimization_level = kDefaultMinimizationLevel;
  FontDescription font;
  bool font_read = false;        // a Font_Set line was read completely
  RecentFileSlots recent_files;  // lines of their own that older readers skip
  bool highlighting = true;      // syntax highlighting in the editor; files without the key: on
  std::string part;              // the part JEDEC files are for (KEMWinPart); empty: the family's
  bool settings_changed = true;  // reading always leaves it set, so every orderly exit writes
};

// Reads the settings from the text of a settings file.
Settings ParseSettings(std::string_view text);

// Reads the settings file at `path`; the defaults when it cannot be opened.
Settings ReadSettingsFile(const std::string& path);

// The text of the settings file as the program writes it: the recent files, then the port, the
// level and the font, one line each, always in this order; only when highlighting is off, a line
// saying so before the font, and only when a part is set, its line before that.
std::string FormatSettings(const Settings& settings);

// Writes the settings file at `path`, replacing its contents; false when it cannot be written.
bool WriteSettingsFile(const std::string& path, const Settings& settings);

// Level names as the settings file and the command line spell them; -1 for an unknown name.
int MinimizationLevelFromName(std::string_view name);

}  // namespace kem
