// The layout rules of the main window: its first size, the side bars' sizes and the automatic
// display span that gives every bar of the chart four pixels.
#ifndef KORVALE_APP_MAIN_WINDOW_LAYOUT_H_
#define KORVALE_APP_MAIN_WINDOW_LAYOUT_H_

#include "store/settings_record.h"

namespace korvale {

struct WindowSize {
  int width = 0;
  int height = 0;
};

// The main window's size before it is created: the stored daily window size when both are
// positive, else 640 x 540 on a desktop of at most 640 x 540, else 800 x 600.
WindowSize InitialMainWindowSize(const SettingsRecord& settings, int desktopWidth,
                                 int desktopHeight);

// The narrowest a docked side bar gets, in pixels (they start as wide as their texts need and
// the user may widen them).
inline constexpr int kSideBarWidth = 116;
// Pixels the span rule subtracts for each docked side bar.
inline constexpr int kSideBarSpanAllowance = 110;

// Height of the stock-list box for a client height: h - 58 when h >= 118, else 60. The bar
// itself is 58 pixels taller.
int StockListBoxHeight(int clientHeight);

// The automatic span for a client width (at least 220 is assumed): one bar per 4 pixels of
// what the docked side bars leave, at least 1.
int AutomaticSpan(int clientWidth, bool stockListDocked, bool detailBarDocked);

// Applies the span rule on a resize: nothing when dailySpanDays is positive and dailyAutoPeriod
// is 0; otherwise the span goes into dailySpanDays, weeklySpanWeeks and monthlySpanMonths.
// Returns true when the settings changed.
bool ApplyAutomaticSpan(SettingsRecord* settings, int clientWidth, bool stockListDocked,
                        bool detailBarDocked);

}  // namespace korvale

#endif  // KORVALE_APP_MAIN_WINDOW_LAYOUT_H_
