// The files and waits the GUI test classes share: they compile as one translation unit, so each
// helper has one definition here.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kem::gui_test {

// How long a test waits for a compilation on the worker thread; generous, since the sanitizer
// build is slow.
inline constexpr int kCompileTimeoutMs = 60000;

// The file's bytes, empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace kem::gui_test
