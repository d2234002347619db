#include "gui/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "common/format.h"
#include "device/catalogue.h"
#include "gui/message_boxes.h"
#include "shell/shell_messages.h"

namespace kem::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("about"));
  setWindowTitle(FromUtf8(shell_messages::kCaption));

  std::string devices;
  for (const DeviceRecord& device : Devices()) {
    if (!devices.empty()) devices += ", ";
    devices += device.name;
  }
  auto* name = new QLabel(FromUtf8(shell_messages::kCaption), this);
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(name);
  layout->addWidget(new QLabel(FromUtf8(shell_messages::kAboutPurpose), this));
  layout->addWidget(
      new QLabel(FromUtf8(FormatText(shell_messages::kAboutVersion, {KEM_VERSION})), this));
  layout->addWidget(
      new QLabel(FromUtf8(FormatText(shell_messages::kAboutDevices, {devices})), this));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(FromUtf8(shell_messages::kButtonOk), QDialogButtonBox::AcceptRole);
  connect(buttons, &QDialogButtonBox::clicked, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace kem::gui
