// The main window's automatic display span: how many bars the charts show for a client width.
#ifndef KORVALE_APP_CHART_SPAN_H_
#define KORVALE_APP_CHART_SPAN_H_

#include "store/settings_record.h"

namespace korvale {

// Width of each side bar (stock list, detail information) the span leaves out when docked.
inline constexpr int kSideBarWidth = 110;

// One bar per 4 pixels of what the docked side bars leave of the client width (a width below
// 220 counts as 220): (width - 110 per docked bar) / 4, at least 1, at most 32767.
int AutomaticSpan(int clientWidth, bool listBarDocked, bool detailBarDocked);

// The rule the main window applies on every resize: unless dailySpanDays is positive and
// dailyAutoPeriod is 0, the automatic span goes into dailySpanDays, weeklySpanWeeks and
// monthlySpanMonths. Returns true when it applied.
bool ApplyAutomaticSpan(SettingsRecord* settings, int clientWidth, bool listBarDocked,
                        bool detailBarDocked);

}  // namespace korvale

#endif  // KORVALE_APP_CHART_SPAN_H_
