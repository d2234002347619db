// Draws the log's lines as the list would by itself, but gives every line the size of the widest
// one, so the list can lay out its rows without measuring each of them: the horizontal scroll bar
// still reaches the end of the longest line.
#pragma once

#include <QFontMetrics>
#include <QStyledItemDelegate>

namespace kem::gui {

class LogLineDelegate : public QStyledItemDelegate {
 public:
  LogLineDelegate(const QFont& font, QObject* parent);

  // Takes note of a line that is shown from now on.
  void NoteLine(const QString& text);
  // Measures again from these lines in the new font.
  void Restart(const QFont& font, const QStringList& lines);

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QFontMetrics metrics_;
  QString widest_;
  int widest_pixels_ = 0;
};

}  // namespace kem::gui
