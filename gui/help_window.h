// The program's own help window: the manual compiled into the program, shown in a text browser
// with back, forward and contents buttons and a search field that looks through every page.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include "shell/frame_ui.h"

namespace kem::gui {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow();

  // The manual's entry page.
  static QUrl EntryPage();

  // Shows the window for a help command: the entry page for the contents and the index, the
  // search field for a search.
  void Show(HelpRequest request);

  // Selects the next occurrence of `text` (any letter case) after the selection, going on to the
  // following pages and round to the start; false when the manual holds no such text.
  bool FindNext(const QString& text);

  QTextBrowser* browser() const { return browser_; }
  QLineEdit* findField() const { return find_field_; }

 private:
  // Whether the page at `index` of pages_ holds `text`.
  bool PageHolds(int index, const QString& text) const;
  void FindFromField();

  QTextBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
  QLineEdit* find_field_;
  QLabel* find_status_;
  QStringList pages_;  // the manual's pages in name order, for the search through all of them
};

}  // namespace kem::gui
