// The traces of a function simulation: one row per pin with its name at the left, one column per
// step. Inputs take a click on a cell to flip their level there; outputs show what the device
// computes, an unknown level hatched, a cell whose level differs from a loaded expectation in red.
#pragma once

#include <QWidget>

#include "shell/waveform_model.h"

namespace kem::gui {

class WaveformView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kNameWidth = 90;
  static constexpr int kCellWidth = 36;
  static constexpr int kRowHeight = 30;
  static constexpr int kHeaderHeight = 22;

  WaveformView(WaveformModel& model, QWidget* parent);

  // Where the cell of `row` at `step` is drawn.
  QRect CellRect(int row, int step) const;
  // The model has changed: size and picture follow it.
  void ModelChanged();

  QSize sizeHint() const override;

 signals:
  void inputToggled();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void PaintRow(QPainter& painter, int row) const;
  // The y of the trace for a level within the row's band; the middle for Z and X.
  int TraceY(int row, PinLevel level) const;

  WaveformModel& model_;
};

}  // namespace kem::gui
