// The window sizes the settings keep: the main window, the Ichimoku window and the signal-chart
// window take their stored size when they open and leave their size when they close.
#ifndef KORVALE_APP_WINDOW_SIZES_H_
#define KORVALE_APP_WINDOW_SIZES_H_

#include "app/main_window_layout.h"
#include "store/settings_record.h"

namespace korvale {

enum class KeptWindow { kMain, kIchimoku, kSignal };

// The stored size of `window` when both its width and height are positive, else 0 x 0 (the
// window then takes its default size).
WindowSize StoredWindowSize(const SettingsRecord& settings, KeptWindow window);

// Keeps the size of a closing window in its settings fields (main: dailyWindowWidth and
// dailyWindowHeight), each brought into 320..2400 so that the settings dialog accepts it. A
// size that is not positive (a window never shown) leaves the fields as they are.
void KeepWindowSize(SettingsRecord* settings, KeptWindow window, int width, int height);

}  // namespace korvale

#endif  // KORVALE_APP_WINDOW_SIZES_H_
