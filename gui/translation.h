// Qt's own texts (file and font dialogs, standard buttons) in German, as the program's own are.
#pragma once

#include <QCoreApplication>

namespace kem::gui {

// Installs Qt's German translation into `app` when it is installed on the system; a missing
// translation leaves Qt's English and is no error. True when it was installed.
bool InstallQtGermanTranslation(QCoreApplication& app);

}  // namespace kem::gui
