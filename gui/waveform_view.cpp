#include "gui/waveform_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace kem::gui {

namespace {

constexpr int kMargin = 7;  // between a trace's high or low line and its row's edge
const QColor kInputColour(0, 90, 0);
const QColor kOutputColour(0, 60, 160);
const QColor kFloatingColour(130, 130, 130);
const QColor kMismatchColour(210, 0, 0);
const QColor kMismatchFill(255, 215, 215);
const QColor kClickableFill(248, 248, 228);
const QColor kGrid(225, 225, 225);

}  // namespace

WaveformView::WaveformView(WaveformModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("waveform"));
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  resize(sizeHint());
}

QSize WaveformView::sizeHint() const {
  return {kNameWidth + kCellWidth * model_.step_count() + kCellWidth / 2,
          kHeaderHeight + kRowHeight * static_cast<int>(model_.rows().size())};
}

QRect WaveformView::CellRect(int row, int step) const {
  return {kNameWidth + kCellWidth * step, kHeaderHeight + kRowHeight * row, kCellWidth, kRowHeight};
}

void WaveformView::ModelChanged() {
  resize(sizeHint());
  updateGeometry();
  update();
}

int WaveformView::TraceY(int row, PinLevel level) const {
  const QRect band = CellRect(row, 0);
  switch (level) {
    case PinLevel::kHigh:
      return band.top() + kMargin;
    case PinLevel::kLow:
      return band.bottom() - kMargin;
    case PinLevel::kZ:
    case PinLevel::kX:
      break;
  }
  return band.center().y();
}

void WaveformView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  for (int step = 0; step < model_.step_count(); ++step) {
    const QRect header(kNameWidth + kCellWidth * step, 0, kCellWidth, kHeaderHeight);
    const QString label = QString::number(step + 1) +
                          (model_.clock_step(step) ? QStringLiteral("\u2191") : QString());
    painter.drawText(header, Qt::AlignCenter, label);
  }
  for (int row = 0; row < static_cast<int>(model_.rows().size()); ++row) PaintRow(painter, row);
}

void WaveformView::PaintRow(QPainter& painter, int row) const {
  const WaveformModel::Row& pin = model_.rows()[row];
  const bool output =
      pin.kind == WaveformModel::RowKind::kOutput || pin.kind == WaveformModel::RowKind::kBus;
  const bool clickable = pin.kind != WaveformModel::RowKind::kOutput;
  const QRect band(0, kHeaderHeight + kRowHeight * row, width(), kRowHeight);
  QFont name_font = font();
  name_font.setBold(output);
  painter.setFont(name_font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(4, band.top(), kNameWidth - 8, kRowHeight), Qt::AlignVCenter,
                   QString::fromStdString(pin.name));
  painter.setFont(font());

  int previous_y = -1;
  for (int step = 0; step < model_.step_count(); ++step) {
    const QRect cell = CellRect(row, step);
    const bool mismatch = model_.Mismatch(row, step);
    const bool clocked = pin.kind == WaveformModel::RowKind::kClock && model_.clock_step(step);
    if (mismatch) {
      painter.fillRect(cell, kMismatchFill);
    } else if (clickable && !clocked) {
      painter.fillRect(cell.adjusted(1, 1, -1, -1), kClickableFill);
    }
    painter.setPen(kGrid);
    painter.drawLine(cell.topLeft(), cell.bottomLeft());

    const PinLevel level = model_.Level(row, step);
    const bool floating = level == PinLevel::kZ || level == PinLevel::kX;
    const QColor colour = mismatch   ? kMismatchColour
                          : floating ? kFloatingColour
                          : output   ? kOutputColour
                                     : kInputColour;
    painter.setPen(QPen(colour, 2));
    const int left = cell.left();
    const int right = cell.right();
    const int low = TraceY(row, PinLevel::kLow);
    const int high = TraceY(row, PinLevel::kHigh);
    if (clocked) {
      // A clock step is a pulse: low while the inputs settle, the rising edge that loads the
      // registers, low again when the outputs are read.
      const int rise = left + cell.width() / 3;
      const int fall = left + 2 * cell.width() / 3;
      if (previous_y >= 0 && previous_y != low) painter.drawLine(left, previous_y, left, low);
      painter.drawLine(left, low, rise, low);
      painter.drawLine(rise, low, rise, high);
      painter.drawLine(rise, high, fall, high);
      painter.drawLine(fall, high, fall, low);
      painter.drawLine(fall, low, right, low);
      previous_y = low;
      continue;
    }
    if (level == PinLevel::kX) {
      // A level the device does not determine: hatched between high and low.
      painter.fillRect(QRect(left, high, cell.width(), low - high),
                       QBrush(mismatch ? kMismatchColour : kFloatingColour, Qt::BDiagPattern));
      previous_y = -1;
    } else {
      const int y = TraceY(row, level);
      if (previous_y >= 0 && previous_y != y) painter.drawLine(left, previous_y, left, y);
      if (level == PinLevel::kZ) painter.setPen(QPen(colour, 2, Qt::DashLine));
      painter.drawLine(left, y, right, y);
      previous_y = y;
    }

    const char expected = model_.Expected(row, step);
    if (expected != 'X') {
      painter.setPen(mismatch ? kMismatchColour : kFloatingColour);
      painter.drawText(cell.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter,
                       QString(QChar::fromLatin1(expected)));
    }
  }
}

void WaveformView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() != Qt::LeftButton || at.x() < kNameWidth || at.y() < kHeaderHeight) return;
  const int step = (at.x() - kNameWidth) / kCellWidth;
  const int row = (at.y() - kHeaderHeight) / kRowHeight;
  if (!model_.ToggleInput(row, step)) return;
  update();
  emit inputToggled();
}

}  // namespace kem::gui
