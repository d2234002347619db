// A view window "anzeigen": the text of one output file in an editable field that is never
// saved, titled with the file's full name.
#pragma once

#include <QPlainTextEdit>
#include <QPoint>
#include <QWidget>
#include <functional>

namespace kem::gui {

class ViewWindow : public QWidget {
  Q_OBJECT

 public:
  // The window's frame goes to `origin` with the views' fixed size.
  ViewWindow(int kind, const QString& caption, const QString& text, const QFont& font,
             QPoint origin);

  int kind() const { return kind_; }
  QPlainTextEdit* editor() const { return editor_; }

  // Called with the text of a line that is double-clicked or has the caret when Enter is pressed;
  // returns true when it took the line, and the click or key then does nothing else.
  using LineHandler = std::function<bool(const QString& line)>;
  void SetLineHandler(LineHandler handler) { line_handler_ = std::move(handler); }

 signals:
  void closed(int kind);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int kind_;
  QPlainTextEdit* editor_;
  LineHandler line_handler_;
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
