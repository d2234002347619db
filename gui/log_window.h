// The log window "LOG": one unsorted list of lines in the editor font, filling the window.
#pragma once

#include <QListWidget>
#include <QWidget>
#include <string_view>

namespace kem::gui {

class LogWindow : public QWidget {
  Q_OBJECT

 public:
  explicit LogWindow(const QFont& font);

  void SetListFont(const QFont& font) { list_->setFont(font); }
  void RemoveLastLine();
  // Appends the line and selects it, so the list scrolls it into view.
  void AppendLine(std::string_view text);
  QStringList Lines() const;
  QListWidget* list() const { return list_; }

 signals:
  void closed();
  // A line was double-clicked or chosen with Enter.
  void lineActivated(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QListWidget* list_;
};

}  // namespace kem::gui
