// Message boxes with the program's caption and the German buttons.
#pragma once

#include <QWidget>
#include <string_view>

#include "common/message_box.h"

namespace kem::gui {

BoxAnswer ShowBox(QWidget* owner, std::string_view text, BoxIcon icon, BoxButtons buttons);

QString FromUtf8(std::string_view text);

}  // namespace kem::gui
