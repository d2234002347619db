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

namespace msg = shell_messages;

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("about"));
  setWindowTitle(FromUtf8(msg::kCaption));

  std::string devices;
  for (const DeviceRecord& device : Devices()) {
    if (!devices.empty()) devices += ", ";
    devices += device.name;
  }
  auto* name = new QLabel(FromUtf8(msg::kCaption), this);
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(name);
  layout->addWidget(new QLabel(FromUtf8(msg::kAboutPurpose), this));
  layout->addWidget(new QLabel(FromUtf8(FormatText(msg::kAboutVersion, {KEM_VERSION})), this));
  layout->addWidget(new QLabel(FromUtf8(FormatText(msg::kAboutDevices, {devices})), this));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(FromUtf8(msg::kButtonOk), QDialogButtonBox::AcceptRole);
  connect(buttons, &QDialogButtonBox::clicked, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace kem::gui
