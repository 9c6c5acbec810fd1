// The weekly chart (price, volume and its own indicator panes) and the monthly chart (price and
// volume over a year axis).
#include <algorithm>

#include "charts/chart_numerics.h"
#include "charts/chart_painter.h"
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

// What the price section of the weekly and monthly charts reads from the settings.
struct PeriodPriceStyle {
  bool closeLine;
  bool showMa;
  int maLong, maShort;
  bool showVolume;
  bool showVolumeMa;
  int volumeMaLong, volumeMaShort;
};

// The price section the weekly and monthly charts share, over the top `bottom` pixels above an
// axis `axisHeight` high: the bars with their grid and averages, the grid labels and, in the
// lower third, the volume bars with their averages and labels. Returns the price pane's
// mapping, kept for the read-out.
template <typename BarT>
CChartMapper DrawPeriodPrices(const PaneTools& t, const BarT* window, int count, int width,
                              int bottom, int axisHeight, const PeriodPriceStyle& style) {
  const PriceRangeResult range = PriceRange(window, count, 0);
  const int64_t low = range.low, r = range.high - range.low;
  const PaneRect price{0, 0, width, bottom - axisHeight};
  const GridPrices grid = DrawPriceBars(t, price, window, count, low, r, style.closeLine);
  const CChartMapper priceMapping = t.mapper;
  if (style.showMa) {
    DrawWindowAverages(t, window, count, kFieldClose, style.maLong, kSlotLongCurve, style.maShort,
                       kSlotShortCurve, static_cast<double>(low));
  }
  DrawGridLabels(t, price, low, r, grid);
  if (style.showVolume) {
    const int volumeHeight = bottom / 3;
    DrawVolumeBars(t, PaneRect{0, bottom - volumeHeight, width, volumeHeight - axisHeight}, window,
                   count, range.maxVolume);
    if (style.showVolumeMa) {
      DrawWindowAverages(t, window, count, kFieldVolume, style.volumeMaLong, kSlotVolumeLongAverage,
                         style.volumeMaShort, kSlotVolumeShortAverage, 0);
    }
    DrawVolumeLabels(t, range.maxVolume);
  }
  return priceMapping;
}

}  // namespace

bool CChartPainter::BeginPeriodChart(Canvas& canvas, CChartMapper* mapper, int width) {
  BeginChart(canvas, mapper, kSlotBackground, width, chartHeight_);
  if (series_) return true;
  EndChart(canvas);
  return false;
}

void CChartPainter::DrawWeeklyChart(Canvas& canvas) {
  CChartMapper mapper;
  const int width = weeklyWidth_;
  if (!BeginPeriodChart(canvas, &mapper, width)) return;
  const PaneTools t{palette_, canvas, mapper, textHeight_};
  const SettingsRecord& s = settings_;
  const int H = chartHeight_;
  const WeeklyBar* window = series_->weeks.data() + weeklyStart_;
  const int wc = weeklyCount_;
  const int th = textHeight_;
  const std::vector<WeeklyPane> panes = PresentWeeklyPanes(s);
  const int n = static_cast<int>(panes.size());
  const int P = PriceAreaHeight(H, n);

  DrawDateAxis(t, PaneRect{0, P - th, width, th}, window, wc);
  priceMapper_ = DrawPeriodPrices(
      t, window, wc, width, P, th,
      PeriodPriceStyle{s.weeklyBarStyle != 0, s.weeklyShowMa != 0, s.weeklyMaLong, s.weeklyMaShort,
                       s.weeklyShowVolume != 0, s.weeklyShowVolumeMa != 0, s.weeklyVolumeMaLong,
                       s.weeklyVolumeMaShort});
  priceMapperKind_ = kChartWeekly;

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
  const int width = monthlyWidth_;
  if (!BeginPeriodChart(canvas, &mapper, width)) return;
  const PaneTools t{palette_, canvas, mapper, textHeight_};
  const SettingsRecord& s = settings_;
  const int H = chartHeight_;
  const MonthlyBar* window = series_->months.data() + monthlyStart_;
  const int mc = monthlyCount_;
  constexpr int kStrip = 10;  // height of the year strip at the bottom

  DrawMonthlyAxis(t, PaneRect{0, H - kStrip, width, kStrip}, window, mc, 0);
  priceMapper_ = DrawPeriodPrices(
      t, window, mc, width, H, kStrip,
      PeriodPriceStyle{s.monthlyBarStyle != 0, s.monthlyShowMa != 0, s.monthlyMaLong,
                       s.monthlyMaShort, s.monthlyShowVolume != 0, s.monthlyShowVolumeMa != 0,
                       s.monthlyVolumeMaLong, s.monthlyVolumeMaShort});
  priceMapperKind_ = kChartMonthly;
  EndChart(canvas);
}

}  // namespace korvale
