// The recent-file entries of the "Datei" menu. Without entries the menu is exactly the fixed one.
#pragma once

#include <QAction>
#include <QMenu>
#include <QPointer>
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
  QMenu* menu_;
  QAction* before_;
  std::function<void(int)> chosen_;
  std::vector<QPointer<QAction>> actions_;  // the entries, then their separator
};

}  // namespace kem::gui
