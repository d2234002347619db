// A view window "anzeigen": the text of one output file in an editable field that is never
// saved, titled with the file's full name.
#pragma once

#include <QPlainTextEdit>
#include <QPoint>
#include <QWidget>

namespace kem::gui {

class ViewWindow : public QWidget {
  Q_OBJECT

 public:
  ViewWindow(int kind, const QString& caption, const QString& text, const QFont& font);

  int kind() const { return kind_; }
  QPlainTextEdit* editor() const { return editor_; }

 signals:
  void closed(int kind);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  int kind_;
  QPlainTextEdit* editor_;
};

// Where each newly opened view goes: the first at the screen's top-left corner, each next one a
// step further right and down, so a new view never hides the previous one; after a few steps
// the next starts at the corner again.
class ViewCascade {
 public:
  static constexpr int kStep = 24;
  static constexpr int kSteps = 8;
  QPoint Next();

 private:
  int opened_ = 0;
};

// The main editor's settings, shared by the views: no wrapping, both scroll bars, no frame.
void SetUpEditor(QPlainTextEdit* editor);

}  // namespace kem::gui
