// The log window "LOG": one unsorted list of lines in the editor font, filling the window.
// Lines arrive much faster than a list can lay itself out, so they are collected and shown
// together a few times a second, then the last line is selected once, which scrolls it into view.
#pragma once

#include <QListWidget>
#include <QTimer>
#include <QWidget>
#include <string_view>

#include "gui/log_line_delegate.h"
#include "shell/pending_log_lines.h"

namespace kem::gui {

class LogWindow : public QWidget {
  Q_OBJECT

 public:
  explicit LogWindow(const QFont& font);

  void SetListFont(const QFont& font);
  void RemoveLastLine();
  // Appends the line; once shown, the last line is selected, so the list scrolls it into view.
  void AppendLine(std::string_view text);
  // Shows at once the lines that came since the list was last brought up to date.
  void ShowPendingLines();
  // Every line, also those not shown yet.
  QStringList Lines();
  QListWidget* list() const { return list_; }

 signals:
  void closed();
  // A line was double-clicked or chosen with Enter.
  void lineActivated(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowSoon();

  QListWidget* list_;
  LogLineDelegate* delegate_;
  PendingLogLines pending_;
  QTimer showing_;
  int delay_ms_;
};

}  // namespace kem::gui
