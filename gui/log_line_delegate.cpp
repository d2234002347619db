#include "gui/log_line_delegate.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

namespace kem::gui {

LogLineDelegate::LogLineDelegate(const QFont& font, QObject* parent)
    : QStyledItemDelegate(parent), metrics_(font) {}

void LogLineDelegate::NoteLine(const QString& text) {
  // Most lines are too short to be the widest even in the font's widest characters, and are
  // not measured at all.
  if (static_cast<qint64>(text.size()) * metrics_.maxWidth() <= widest_pixels_) return;
  const int pixels = metrics_.horizontalAdvance(text);
  if (pixels <= widest_pixels_) return;
  widest_ = text;
  widest_pixels_ = pixels;
}

void LogLineDelegate::Restart(const QFont& font, const QStringList& lines) {
  metrics_ = QFontMetrics(font);
  widest_.clear();
  widest_pixels_ = 0;
  for (const QString& line : lines) NoteLine(line);
}

QSize LogLineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  if (!widest_.isEmpty()) item.text = widest_;
  const QWidget* widget = item.widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  return style->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), widget);
}

}  // namespace kem::gui
