// The window sizes the settings keep, for the windows themselves: a window calls this from its
// close event, and takes StoredWindowSize (app/window_sizes.h) when it opens.
#ifndef KORVALE_UI_KEPT_WINDOW_SIZE_H_
#define KORVALE_UI_KEPT_WINDOW_SIZE_H_

#include "app/window_sizes.h"

class QWidget;

namespace korvale {

// Keeps the size of the closing `window` in the settings fields of `which`: the size it has
// when neither maximised nor full screen, so that it opens next at that size.
void KeepClosingWindowSize(const QWidget& window, KeptWindow which, SettingsRecord* settings);

}  // namespace korvale

#endif  // KORVALE_UI_KEPT_WINDOW_SIZE_H_
