// Top-level windows placed by their frames: a position and size given for a window mean its outer
// edges, caption and borders included, as the window system draws them.
#pragma once

#include <QMargins>
#include <QRect>
#include <QWidget>

namespace kem::gui {

// The client area inside `frame` when the window system puts `margins` around it; never of
// negative size.
QRect ClientRectForFrame(const QRect& frame, const QMargins& margins);

// The margins the window system has put around `window` so far: none before it has a frame.
QMargins FrameMargins(const QWidget& window);

// Places `window` so that its frame covers `frame`: now with the margins known so far, and again
// when the window system reports other margins, as long as the user has not resized the window.
void PlaceFrame(QWidget* window, const QRect& frame);

}  // namespace kem::gui
