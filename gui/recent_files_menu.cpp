#include "gui/recent_files_menu.h"

#include "gui/message_boxes.h"

namespace kem::gui {

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QAction* before, std::function<void(int)> chosen) {
  for (std::size_t i = 0; i < actions_.size(); ++i) {
    const int id = kCmdRecentFileFirst + static_cast<int>(i);
    auto* action = new QAction(menu);
    action->setObjectName(QStringLiteral("cmd_%1").arg(id));
    action->setData(id);
    action->setVisible(false);
    QObject::connect(action, &QAction::triggered, menu, [chosen, id] { chosen(id); });
    menu->insertAction(before, action);
    actions_[i] = action;
  }
  separator_ = menu->insertSeparator(before);
  separator_->setVisible(false);
}

void RecentFilesMenu::Set(const std::vector<RecentFileItem>& items) {
  for (std::size_t i = 0; i < actions_.size(); ++i) {
    const bool used = i < items.size();
    if (used) actions_[i]->setText(FromUtf8(items[i].text));
    actions_[i]->setVisible(used);
  }
  separator_->setVisible(!items.empty());
}

}  // namespace kem::gui
