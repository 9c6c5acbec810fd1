#include "ui/kept_window_size.h"

#include <QWidget>

namespace korvale {

void KeepClosingWindowSize(const QWidget& window, KeptWindow which, SettingsRecord* settings) {
  const bool normal = !window.isMaximized() && !window.isFullScreen();
  const QSize size = normal ? window.size() : window.normalGeometry().size();
  KeepWindowSize(settings, which, size.width(), size.height());
}

}  // namespace korvale
