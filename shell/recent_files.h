// The files opened last, most recent first, for the "Datei" menu, and their lines in kem.ini.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/command_ids.h"

namespace kem {

// The entries as kem.ini holds them: one key per position, so a later line for a position
// overrides an earlier one as for every other key. Empty strings are unused positions.
using RecentFileSlots = std::array<std::string, kRecentFilesMax>;

struct RecentFileItem {
  int command_id = 0;
  std::string text;  // "&1 name", an "&" of the name doubled so it shows as itself
};

class RecentFiles {
 public:
  RecentFiles() = default;
  // Keeps the order of `slots`, skipping empty positions and repeated names.
  explicit RecentFiles(std::span<const std::string> slots);

  // Puts `name` first; an older entry of the same name goes, and so does the oldest beyond eight.
  void Add(const std::string& name);
  void Remove(const std::string& name);

  const std::vector<std::string>& names() const { return names_; }
  // The name behind a menu id; empty for an id that names no entry.
  std::string NameOfCommand(int command_id) const;
  std::vector<RecentFileItem> MenuItems() const;
  RecentFileSlots Slots() const;

 private:
  std::vector<std::string> names_;
};

// A token of kem.ini: when it is one of the recent-file keys, stores its name in `slots` and
// returns true. Such a token may be longer than any other setting, as paths are.
bool ReadRecentFileToken(std::string_view token, RecentFileSlots& slots);

// The lines of the used positions, "KEMWin_RecentN=name". Blanks, "%" and control characters of
// the name are written as "%XX", so each line is a single token for every reader of the file.
std::string FormatRecentFiles(const RecentFileSlots& slots);

// Whether a file dropped on the window is a design the editor opens: one ending in ".kem".
bool IsDesignFileName(std::string_view name);

}  // namespace kem
