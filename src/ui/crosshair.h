// The cursor lines the chart views draw at the mouse (settings field cursorMode): none, always,
// or while the left button is held; drawn inverting what is under them.
#ifndef KORVALE_UI_CROSSHAIR_H_
#define KORVALE_UI_CROSSHAIR_H_

#include <QPainter>
#include <QPoint>

namespace korvale {

// Whether the lines are shown for `cursorMode` (0 ノーマル, 1 ワイド, 2 左ドラッグでワイド)
// with these mouse buttons down.
inline bool CrosshairWanted(int cursorMode, Qt::MouseButtons buttons) {
  switch (cursorMode) {
    case 1:
      return true;
    case 2:
      return (buttons & Qt::LeftButton) != 0;
    default:
      return false;
  }
}

// A horizontal and a vertical line through `at`, combined with what is under them so that they
// stand out on every theme.
inline void DrawCrosshair(QPainter& p, QPoint at) {
  p.save();
  p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(0, at.y(), at.x() + 2000, at.y());
  p.drawLine(at.x(), 0, at.x(), at.y() + 2000);
  p.restore();
}

}  // namespace korvale

#endif  // KORVALE_UI_CROSSHAIR_H_
