// The weekly chart (price, volume and its own indicator panes) and the monthly chart (price and
// volume over a year axis).
#include <algorithm>

#include "charts/chart_numerics.h"
#include "charts/indicator_panes.h"
#include "charts/price_panes.h"

namespace korvale {

namespace {

enum WeeklyPane { kDeviation, kOscillator, kMomentum, kMargin, kStochastics, kIndexCorrelation };

std::vector<WeeklyPane> PresentWeeklyPanes(const SettingsRecord& s) {
  const bool flags[] = {
      s.weeklyShowDeviation != 0,   s.weeklyShowOscillator != 0,
      s.weeklyShowMomentum != 0,    s.weeklyShowMargin != 0,
      s.weeklyShowStochastics != 0, s.useIndexAnalysis != 0 && s.weeklyIndexAnalysis != 0};
  std::vector<WeeklyPane> panes;
  for (int p = kDeviation; p <= kIndexCorrelation; ++p) {
    if (flags[p]) panes.push_back(static_cast<WeeklyPane>(p));
  }
  return panes;
}

// The averages of the weekly and monthly price and volume panes: integer averages over the
// window, drawn from index period + 1.
template <typename BarT>
void DrawWindowAverages(const PaneTools& t, const BarT* bars, int count, int field, int longPeriod,
                        int longSlot, int shortPeriod, int shortSlot, double low) {
  std::vector<int64_t> ma;
  for (auto [period, slot] : {std::pair{longPeriod, longSlot}, {shortPeriod, shortSlot}}) {
    if (period < 1 || period + 1 >= count) continue;
    WindowMovingAverageInt(bars, count, period, field, &ma);
    DrawAverage(t, slot, ma, 0, period + 1, count, low);
  }
}

}  // namespace

void CChartPainter::DrawWeeklyChart(Canvas& canvas) {
  CChartMapper mapper;
  const int H = chartHeight_;
  const int width = weeklyWidth_;
  BeginChart(canvas, &mapper, 0, width, H);
  if (!series_) {
    EndChart(canvas);
    return;
  }
  const PaneTools t{*this, canvas, mapper};
  const SettingsRecord& s = settings_;
  const WeeklyBar* window = series_->weeks.data() + weeklyStart_;
  const int wc = weeklyCount_;
  const int th = textHeight_;
  const std::vector<WeeklyPane> panes = PresentWeeklyPanes(s);
  const int n = static_cast<int>(panes.size());
  const int P = PriceAreaHeight(H, n);
  const PriceRangeResult range = PriceRange(window, wc, 0);
  const int64_t low = range.low, r = range.high - range.low;
  const double lowD = static_cast<double>(low);

  DrawDateAxis(t, PaneRect{0, P - th, width, th}, window, wc);
  const PaneRect price{0, 0, width, P - th};
  const GridPrices grid = DrawPriceBars(t, price, window, wc, low, r, s.weeklyBarStyle != 0);
  priceMapper_ = mapper;
  priceMapperKind_ = kChartWeekly;
  if (s.weeklyShowMa) {
    DrawWindowAverages(t, window, wc, kFieldClose, s.weeklyMaLong, 9, s.weeklyMaShort, 10, lowD);
  }
  DrawGridLabels(t, price, low, r, grid);
  if (s.weeklyShowVolume) {
    const int volumeHeight = P / 3;
    DrawVolumeBars(t, PaneRect{0, P - volumeHeight, width, volumeHeight - th}, window, wc,
                   range.maxVolume);
    if (s.weeklyShowVolumeMa) {
      DrawWindowAverages(t, window, wc, kFieldVolume, s.weeklyVolumeMaLong, 56,
                         s.weeklyVolumeMaShort, 57, 0);
    }
    DrawVolumeLabels(t, range.maxVolume);
  }

  const int h = n > 0 ? (H - P) / n : 0;
  AverageCurves averages;
  if (s.weeklyShowDeviation || s.weeklyShowOscillator) {
    averages = WeeklyAverageCurves(window, wc, s.weeklyMaShort, s.weeklyMaLong);
  }
  for (int k = 0; k < n; ++k) {
    const PaneRect rect{0, H - (k + 1) * h, width, h};
    switch (panes[k]) {
      case kDeviation:
        DrawDeviationPane(t, rect, averages);
        break;
      case kOscillator:
        DrawOscillatorPane(t, rect, averages);
        break;
      case kMomentum:
        DrawMomentumPane(t, rect, window, wc, s.weeklyMomentumMa, s.weeklyMomentumPeriod);
        break;
      case kMargin:
        DrawMarginPane(t, rect, window, wc);
        break;
      case kStochastics:
        DrawStochasticsPane(t, rect, window, wc, 0, s.weeklyStochasticsPeriod,
                            s.weeklyStochasticsSumPeriod);
        break;
      case kIndexCorrelation:
        DrawIndexCorrelationPane(t, rect, wc, derived_[kDerivedWeeklyCorrelation],
                                 derived_[kDerivedWeeklyRelative], weeklyStart_);
        break;
    }
  }
  EndChart(canvas);
}

void CChartPainter::DrawMonthlyChart(Canvas& canvas) {
  CChartMapper mapper;
  const int H = chartHeight_;
  const int width = monthlyWidth_;
  BeginChart(canvas, &mapper, 0, width, H);
  if (!series_) {
    EndChart(canvas);
    return;
  }
  const PaneTools t{*this, canvas, mapper};
  const SettingsRecord& s = settings_;
  const MonthlyBar* window = series_->months.data() + monthlyStart_;
  const int mc = monthlyCount_;
  constexpr int kStrip = 10;  // height of the year strip at the bottom
  const PriceRangeResult range = PriceRange(window, mc, 0);
  const int64_t low = range.low, r = range.high - range.low;

  DrawMonthlyAxis(t, PaneRect{0, H - kStrip, width, kStrip}, window, mc, 0);
  const PaneRect price{0, 0, width, H - kStrip};
  const GridPrices grid = DrawPriceBars(t, price, window, mc, low, r, s.monthlyBarStyle != 0);
  priceMapper_ = mapper;
  priceMapperKind_ = kChartMonthly;
  if (s.monthlyShowMa) {
    DrawWindowAverages(t, window, mc, kFieldClose, s.monthlyMaLong, 9, s.monthlyMaShort, 10,
                       static_cast<double>(low));
  }
  DrawGridLabels(t, price, low, r, grid);
  if (s.monthlyShowVolume) {
    const int volumeHeight = H / 3;
    DrawVolumeBars(t, PaneRect{0, H - volumeHeight, width, volumeHeight - kStrip}, window, mc,
                   range.maxVolume);
    if (s.monthlyShowVolumeMa) {
      DrawWindowAverages(t, window, mc, kFieldVolume, s.monthlyVolumeMaLong, 56,
                         s.monthlyVolumeMaShort, 57, 0);
    }
    DrawVolumeLabels(t, range.maxVolume);
  }
  EndChart(canvas);
}

}  // namespace korvale
