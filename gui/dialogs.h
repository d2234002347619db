// The program's own modal dialogs: go to line (NEWLINEBOX) and the minimization level (MINBOX).
// Their controls carry the resource ids as object names, so tests find them.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <functional>

#include "shell/frame_ui.h"

namespace kem::gui {

class GoToLineDialog : public QDialog {
 public:
  explicit GoToLineDialog(QWidget* parent);
  QString FieldText() const { return field_->text(); }

 private:
  QLineEdit* field_;
};

class MinLevelDialog : public QDialog {
 public:
  // `clicked` hears the id of every radio button the user clicks.
  MinLevelDialog(QWidget* parent, int checked_id, std::function<void(int)> clicked);
};

// The modeless find dialog, or the replace dialog, of the editor. Each button sends its request;
// closing it sends the closing request, and the dialog deletes itself.
class FindDialog : public QDialog {
 public:
  using Sink = std::function<void(const FindRequest&)>;
  FindDialog(QWidget* parent, bool replace, const QString& find_text, const QString& replace_text,
             Sink sink);

  void done(int result) override;

 private:
  void Send(FindRequest request);

  QLineEdit* find_;
  QLineEdit* replace_ = nullptr;
  Sink sink_;
};

}  // namespace kem::gui
