#include "gui/translation.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace kem::gui {

bool InstallQtGermanTranslation(QCoreApplication& app) {
  // German always, whatever the system's language: the program speaks German throughout.
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_de"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace kem::gui
