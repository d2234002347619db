// The main window as data: its menu WIN_EXMenu, its accelerator table KEMWin_Accel and the names
// of its windows, so the window adapter builds them and the tests read them from one place.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace kem {

// Names of the windows, as the window adapter gives them to its widgets.
namespace window_names {
inline constexpr std::string_view kMainWindow = "ST16";
inline constexpr std::string_view kEditor = "EDIT";
inline constexpr int kEditorId = 100;
inline constexpr std::string_view kStatusLine = "ZUSATZ";
inline constexpr int kStatusLineId = 101;
inline constexpr std::string_view kLogWindow = "rahmen";
inline constexpr std::string_view kViewWindow = "anzeigen";
inline constexpr int kViewEditorId = 200;
inline constexpr std::string_view kMenu = "WIN_EXMenu";
inline constexpr std::string_view kAccelerators = "KEMWin_Accel";
inline constexpr std::string_view kMinLevelDialog = "MINBOX";
inline constexpr int kNoMinimizationButton = 221;  // then full 222, heuristic 223, minimal 224
inline constexpr std::string_view kGoToLineDialog = "NEWLINEBOX";
inline constexpr int kLineNumberField = 230;
inline constexpr int kLineNumberMaxLength = 4;
}  // namespace window_names

// One entry of a popup; id 0 is a separator.
struct MenuEntry {
  int id = 0;
  std::string_view text;
};

struct MenuPopup {
  std::string_view title;
  std::span<const MenuEntry> entries;
};

// A key of the accelerator table in portable key-sequence text ("Ctrl+Z", "Shift+Del").
struct Accelerator {
  std::string_view key;
  int command_id = 0;
};

inline constexpr int kEditPopupIndex = 1;

std::span<const MenuPopup> MainMenu();
std::span<const Accelerator> Accelerators();
// The accelerator table followed by the keys that desktop programs commonly give these commands,
// where the table leaves them free: where both name the same key, the table's command keeps it.
std::vector<Accelerator> AllKeys();

// The items grayed at start-up, in the order in which they are grayed.
std::span<const int> StartUpGrayedItems();

}  // namespace kem
