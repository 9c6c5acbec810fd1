#include "app/chart_span.h"

#include <algorithm>

namespace korvale {

int AutomaticSpan(int clientWidth, bool listBarDocked, bool detailBarDocked) {
  const int width = std::max(clientWidth, 220);
  const int span = (width - kSideBarWidth * (listBarDocked ? 1 : 0) -
                    kSideBarWidth * (detailBarDocked ? 1 : 0)) /
                   4;
  return std::clamp(span, 1, 32767);
}

bool ApplyAutomaticSpan(SettingsRecord* settings, int clientWidth, bool listBarDocked,
                        bool detailBarDocked) {
  if (settings->dailySpanDays > 0 && settings->dailyAutoPeriod == 0) return false;
  const int16_t span =
      static_cast<int16_t>(AutomaticSpan(clientWidth, listBarDocked, detailBarDocked));
  settings->dailySpanDays = span;
  settings->weeklySpanWeeks = span;
  settings->monthlySpanMonths = span;
  return true;
}

}  // namespace korvale
