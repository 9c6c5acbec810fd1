#include "app/main_window_layout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/window_sizes.h"

namespace korvale {

WindowSize InitialMainWindowSize(const SettingsRecord& s, int desktopWidth, int desktopHeight) {
  if (const WindowSize stored = StoredWindowSize(s, KeptWindow::kMain); stored.width > 0) {
    return stored;
  }
  if (desktopWidth <= 640 || desktopHeight <= 540) return {640, 540};
  return {800, 600};
}

int StockListBoxHeight(int clientHeight) {
  return clientHeight >= 118 ? clientHeight - 58 : 60;
}

int AutomaticSpan(int clientWidth, bool stockListDocked, bool detailBarDocked) {
  const int w = std::max(clientWidth, 220);
  const int usable = w - kSideBarSpanAllowance * (stockListDocked ? 1 : 0) -
                     kSideBarSpanAllowance * (detailBarDocked ? 1 : 0);
  return std::max(usable / 4, 1);
}

bool ApplyAutomaticSpan(SettingsRecord* s, int clientWidth, bool stockListDocked,
                        bool detailBarDocked) {
  if (s->dailySpanDays > 0 && s->dailyAutoPeriod == 0) return false;
  // The span fields are 16-bit; a client wider than 131,000 pixels still fits after clamping.
  const int span = std::min<int>(AutomaticSpan(clientWidth, stockListDocked, detailBarDocked),
                                 std::numeric_limits<int16_t>::max());
  const bool changed = s->dailySpanDays != span || s->weeklySpanWeeks != span ||
                       s->monthlySpanMonths != span;
  s->dailySpanDays = static_cast<int16_t>(span);
  s->weeklySpanWeeks = static_cast<int16_t>(span);
  s->monthlySpanMonths = static_cast<int16_t>(span);
  return changed;
}

}  // namespace korvale
