// The recent-file entries of the "Datei" menu: a fixed set of actions that are shown, relabelled
// or hidden, so an entry being chosen is never deleted under its own signal.
#pragma once

#include <QAction>
#include <QMenu>
#include <array>
#include <functional>
#include <vector>

#include "shell/recent_files.h"

namespace kem::gui {

class RecentFilesMenu {
 public:
  // The entries and a separator after them go before `before` in `menu`; `chosen` hears the
  // command id of an entry the user chooses.
  RecentFilesMenu(QMenu* menu, QAction* before, std::function<void(int)> chosen);

  void Set(const std::vector<RecentFileItem>& items);

 private:
  std::array<QAction*, kRecentFilesMax> actions_{};
  QAction* separator_;
};

}  // namespace kem::gui
