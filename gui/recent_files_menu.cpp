#include "gui/recent_files_menu.h"

#include "gui/message_boxes.h"

namespace kem::gui {

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QAction* before, std::function<void(int)> chosen)
    : menu_(menu), before_(before), chosen_(std::move(chosen)) {}

void RecentFilesMenu::Set(const std::vector<RecentFileItem>& items) {
  for (QPointer<QAction>& action : actions_) {
    if (!action) continue;
    menu_->removeAction(action);
    // The entry being chosen may be the one that asked for this change: it goes once its
    // signal has returned.
    action->deleteLater();
  }
  actions_.clear();
  if (items.empty()) return;
  for (const RecentFileItem& item : items) {
    auto* action = new QAction(FromUtf8(item.text), menu_);
    action->setObjectName(QStringLiteral("cmd_%1").arg(item.command_id));
    action->setData(item.command_id);
    QObject::connect(action, &QAction::triggered, menu_,
                     [chosen = chosen_, id = item.command_id] { chosen(id); });
    menu_->insertAction(before_, action);
    actions_.emplace_back(action);
  }
  actions_.emplace_back(menu_->insertSeparator(before_));
}

}  // namespace kem::gui
