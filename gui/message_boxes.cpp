#include "gui/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "shell/shell_messages.h"

namespace kem::gui {

namespace {

// The button's text with its first letter as the mnemonic: Alt+J, or J alone, answers "Ja".
QString WithMnemonic(std::string_view text) {
  return QLatin1Char('&') + FromUtf8(text);
}

}  // namespace

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

BoxAnswer ShowBox(QWidget* owner, std::string_view text, BoxIcon icon, BoxButtons buttons) {
  QMessageBox box(owner);
  box.setWindowTitle(FromUtf8(shell_messages::kCaption));
  box.setTextFormat(Qt::PlainText);  // file names may hold "<" and "&"
  box.setText(FromUtf8(text));
  switch (icon) {
    case BoxIcon::kQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case BoxIcon::kError:
      box.setIcon(QMessageBox::Critical);
      break;
    case BoxIcon::kWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case BoxIcon::kNone:
      break;
  }
  if (buttons == BoxButtons::kOk) {
    QPushButton* ok = box.addButton(FromUtf8(shell_messages::kButtonOk), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return BoxAnswer::kOk;
  }
  QPushButton* yes = box.addButton(WithMnemonic(shell_messages::kButtonYes), QMessageBox::YesRole);
  QPushButton* no = box.addButton(WithMnemonic(shell_messages::kButtonNo), QMessageBox::NoRole);
  QPushButton* cancel =
      box.addButton(FromUtf8(shell_messages::kButtonCancel), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return BoxAnswer::kYes;
  if (box.clickedButton() == no) return BoxAnswer::kNo;
  return BoxAnswer::kCancel;
}

}  // namespace kem::gui
