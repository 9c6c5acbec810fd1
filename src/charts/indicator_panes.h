// The indicator panes stacked under the price pane of the daily and weekly charts. Each
// re-initialises the mapper to its rectangle (span x = the window's bar count), draws its frame
// and curves and ends with its label block.
#ifndef KORVALE_CHARTS_INDICATOR_PANES_H_
#define KORVALE_CHARTS_INDICATOR_PANES_H_

#include <vector>

#include "charts/pane_drawing.h"
#include "charts/price_panes.h"

namespace korvale {

// The daily series as a pane reads it: all bars, and the window of the last windowCount.
struct DailyBars {
  const PriceBar* bars = nullptr;
  int count = 0;
  int hidden = 0;
  int windowCount = 0;
};

// Close and both moving averages per window bar, for the deviation and oscillator panes (daily
// doubles over the whole series, weekly integer averages over the weekly window). A value
// without a number marks a bar where an average is not defined.
struct AverageCurves {
  int windowCount = 0;
  std::vector<double> close;
  std::vector<double> shortAverage, longAverage;
  int shortStart = 0, longStart = 0;
  bool shortDefined = false, longDefined = false;
  int shortPeriod = 0, longPeriod = 0;
};
AverageCurves DailyAverageCurves(const DailyBars& d, int shortPeriod, int longPeriod);
AverageCurves WeeklyAverageCurves(const WeeklyBar* window, int count, int shortPeriod,
                                  int longPeriod);

void DrawDeviationPane(const PaneTools& t, const PaneRect& rect, const AverageCurves& c);
void DrawOscillatorPane(const PaneTools& t, const PaneRect& rect, const AverageCurves& c);
void DrawPsychologicalPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d);
void DrawRciPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period1,
                 int period2);
void DrawRsiPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period1,
                 int period2);
void DrawVolumeRatioPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period);
// Stochastics over `bars[0 .. count)` whose last `windowCount` are displayed (weekly: the
// weekly window with hidden 0).
template <typename BarT>
void DrawStochasticsPane(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count,
                         int hidden, int period, int sumPeriod);
void DrawMacdPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period1,
                  int period2, int signalPeriod);
void DrawObvPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d);
void DrawDmiPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period);
void DrawCciPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period);
// Correlation and relative line for window bar i read at values[i + offset]; kIndexValueMissing
// entries are skipped.
void DrawIndexCorrelationPane(const PaneTools& t, const PaneRect& rect, int windowCount,
                              const std::vector<double>& correlation,
                              const std::vector<double>& relative, int offset);
void DrawMomentumPane(const PaneTools& t, const PaneRect& rect, const WeeklyBar* window, int count,
                      int averagePeriod, int momentumPeriod);
void DrawMarginPane(const PaneTools& t, const PaneRect& rect, const WeeklyBar* window, int count);

}  // namespace korvale

#endif  // KORVALE_CHARTS_INDICATOR_PANES_H_
