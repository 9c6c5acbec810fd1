// The daily chart: the weekly section before the window, the price-volume histogram, the date,
// price and volume panes, the trend lines and the indicator panes stacked under the price area.
// The signal chart shares its layout.
#include <algorithm>
#include <cmath>

#include "charts/chart_numerics.h"
#include "charts/chart_painter.h"
#include "charts/ichimoku_chart.h"
#include "charts/indicator_panes.h"
#include "charts/price_panes.h"
#include "charts/signal_chart.h"
#include "indicators/shared_indicators.h"

namespace korvale {

namespace {

// Share of the chart height the price area takes with n indicator panes (or value rows).
double PriceAreaFactor(int n) {
  switch (n) {
    case 0:
      return 1;
    case 1:
      return 0.75;
    case 2:
      return 0.6;
    case 3:
      return 0.52;
    case 4:
      return 0.45;
    default:
      return 0.4;
  }
}

// The daily indicator panes in stacking order, bottom to top.
enum DailyPane {
  kDeviation,
  kOscillator,
  kPsychological,
  kRci,
  kRsi,
  kVolumeRatio,
  kStochastics,
  kMacd,
  kObv,
  kDmi,
  kCci,
  kIndexCorrelation
};

std::vector<DailyPane> PresentDailyPanes(const SettingsRecord& s) {
  const bool flags[] = {
      s.dailyShowDeviation != 0,     s.dailyShowOscillator != 0,
      s.dailyShowPsychological != 0, s.dailyShowRci != 0,
      s.dailyShowRsi != 0,           s.dailyShowVolumeRatio != 0,
      s.dailyShowStochastics != 0,   s.dailyShowMacd != 0,
      s.dailyShowObv != 0,           s.dailyShowDmi != 0,
      s.dailyShowCci != 0,           s.useIndexAnalysis != 0 && s.dailyIndexAnalysis != 0};
  std::vector<DailyPane> panes;
  for (int p = kDeviation; p <= kIndexCorrelation; ++p) {
    if (flags[p]) panes.push_back(static_cast<DailyPane>(p));
  }
  return panes;
}

}  // namespace

int PriceAreaHeight(int chartHeight, int paneCount) {
  return static_cast<int>(std::trunc(chartHeight * PriceAreaFactor(paneCount)));
}

void CChartPainter::DrawDailyChart(Canvas& canvas) {
  CChartMapper mapper;
  const int H = chartHeight_;
  BeginChart(canvas, &mapper, kSlotBackground, dailyWidth_, H);
  const CPriceSeries* source = series_ ? series_ : barsOnly_;
  if (!source) {
    EndChart(canvas);
    return;
  }
  const PaneTools t = Tools(canvas, mapper);
  const SettingsRecord& s = settings_;
  const PriceBar* all = source->bars.data();
  const PriceBar* window = all + hiddenCount_;
  const int wc = windowCount_;
  const int th = textHeight_;
  const std::vector<DailyPane> panes = PresentDailyPanes(s);
  const int n = static_cast<int>(panes.size());
  const int P = PriceAreaHeight(H, n);

  // Price range: the window with a tenth of margin, or the whole weekly window without margin
  // when the weeks before the window are shown, so that both sections share one scale.
  const bool weeklySection = s.dailyWeeklyBeforeSpan != 0 && series_ != nullptr;
  PriceRangeResult range;
  if (weeklySection) {
    range = PriceRange(series_->weeks.data() + weeklyStart_, weeklyCount_, 0);
  } else {
    range = PriceRange(window, wc, 10);
  }
  const int64_t low = range.low, r = range.high - range.low;
  const double lowD = static_cast<double>(low);

  const int W = weeklySection ? 3 * weeksBefore_ : 0;
  if (weeklySection) {
    mapper.Reset(0, 0, W, H, W, H);
    SelectColour(canvas, kSlotForeground);
    mapper.Line(W, 0, W, H);
    const WeeklyBar* weeks = series_->weeks.data() + weeklyStart_;
    DrawDateAxis(t, PaneRect{0, P - th, W, th}, weeks, weeksBefore_);
    DrawPriceBars(t, PaneRect{0, 0, W, P - th}, weeks, weeksBefore_, low, r, s.weeklyBarStyle != 0);
    if (s.weeklyShowMa) {
      std::vector<int64_t> ma;
      WindowMovingAverageInt(weeks, weeklyCount_, s.weeklyMaLong, kFieldClose, &ma);
      DrawAverage(t, kSlotLongCurve, ma, 0, s.weeklyMaLong + 1, weeksBefore_, lowD);
      WindowMovingAverageInt(weeks, weeklyCount_, s.weeklyMaShort, kFieldClose, &ma);
      DrawAverage(t, kSlotShortCurve, ma, 0, s.weeklyMaShort + 1, weeksBefore_, lowD);
    }
    if (s.dailyShowVolume) {
      const int volumeHeight = P / 3;
      DrawVolumeBars(t, PaneRect{0, P - volumeHeight, W, volumeHeight - th}, weeks, weeksBefore_,
                     4 * range.maxVolume);
    }
  }

  const bool histogram = s.dailyShowPriceVolumeHistogram != 0;
  const int sectionWidth = dailyWidth_ - W - (histogram ? kHistogramWidth : 0);
  if (histogram) {
    const int x = dailyWidth_ - kHistogramWidth;
    mapper.Reset(0, 0, dailyWidth_, H, dailyWidth_, H);
    SelectColour(canvas, kSlotForeground);
    mapper.Line(x, 0, x, H);
    DrawPriceVolumeHistogram(t, PaneRect{x, 0, kHistogramWidth, P - th}, all,
                             static_cast<int>(std::clamp<int64_t>(
                                 int64_t{windowEnd()} - s.histogramPeriod, 0, windowEnd())),
                             windowEnd(), low, r);
  }

  DrawDateAxis(t, PaneRect{W, P - th, sectionWidth, th}, window, wc);

  DrawDailyPricePane(canvas, mapper, PaneRect{W, 0, sectionWidth, P - th}, low, r, &priceMapper_);
  priceMapperKind_ = kChartDaily;
  // The bars up to the window's end: a chart looking back is drawn as it stood on that day.
  const int count = windowEnd(), hidden = hiddenCount_;
  auto startOf = [&](int period) { return std::max(period - hidden + 1, 1); };

  if (s.dailyShowVolume) {
    const int volumeHeight = P / 3;
    DrawVolumeBars(t, PaneRect{W, P - volumeHeight, sectionWidth, volumeHeight - th}, window, wc,
                   range.maxVolume);
    if (s.dailyShowVolumeMa) {
      std::vector<int64_t> ma;
      for (auto [period, slot] : {std::pair{int{s.dailyVolumeMaLong}, int{kSlotVolumeLongAverage}},
                                  {int{s.dailyVolumeMaShort}, int{kSlotVolumeShortAverage}}}) {
        MovingAverageInt(all, count, period, kFieldVolume, &ma);
        if (period < 1 || period + 1 >= count) continue;
        DrawAverage(t, slot, ma, hidden, startOf(period), wc, 0);
      }
    }
    DrawVolumeLabels(t, range.maxVolume);
  }

  // Trend lines over the price pane, in the kept price mapping and cut at its edges: a line may
  // run 40 bars past the data or far above and below the window's prices.
  {
    const PaneLineClip clip(canvas, PaneRect{W, 0, sectionWidth, P - th});
    for (const ChartTrendLine& line : trendLines_) {
      if (line.deleted || line.unresolved) continue;
      SelectColour(canvas,
                   line.kind == 1 || line.kind == 3 ? kSlotResistanceLine : kSlotSupportLine);
      priceMapper_.Line(line.x1, line.price1 - lowD, line.x2, line.price2 - lowD);
    }
  }

  // Indicator panes, from the bottom of the chart upwards.
  const int h = n > 0 ? (H - P) / n : 0;
  const DailyBars d{all, count, hidden, wc};
  AverageCurves averages;
  if (s.dailyShowDeviation || s.dailyShowOscillator) {
    averages = DailyAverageCurves(d, s.dailyMaShort, s.dailyMaLong);
  }
  for (int k = 0; k < n; ++k) {
    const PaneRect rect{W, H - (k + 1) * h, sectionWidth, h};
    switch (panes[k]) {
      case kDeviation:
        DrawDeviationPane(t, rect, averages);
        break;
      case kOscillator:
        DrawOscillatorPane(t, rect, averages);
        break;
      case kPsychological:
        DrawPsychologicalPane(t, rect, d);
        break;
      case kRci:
        DrawRciPane(t, rect, d, s.rciPeriod1, s.rciPeriod2);
        break;
      case kRsi:
        DrawRsiPane(t, rect, d, s.rsiPeriod1, s.rsiPeriod2);
        break;
      case kVolumeRatio:
        DrawVolumeRatioPane(t, rect, d, s.volumeRatioPeriod);
        break;
      case kStochastics:
        DrawStochasticsPane(t, rect, all, count, hidden, s.stochasticsPeriod,
                            s.stochasticsSumPeriod);
        break;
      case kMacd:
        DrawMacdPane(t, rect, d, s.macdPeriod1, s.macdPeriod2, s.macdSignalPeriod);
        break;
      case kObv:
        DrawObvPane(t, rect, d);
        break;
      case kDmi:
        DrawDmiPane(t, rect, d, s.dmiPeriod);
        break;
      case kCci:
        DrawCciPane(t, rect, d, s.cciPeriod);
        break;
      case kIndexCorrelation:
        DrawIndexCorrelationPane(t, rect, wc, derived_[kDerivedDailyCorrelation],
                                 derived_[kDerivedDailyRelative], hidden);
        break;
    }
  }
  EndChart(canvas);
}

// Steps of the daily price pane: grid and bars, moving averages, Bollinger bands, parabolic
// SAR, the highs of the year and of the span, and the grid price labels.
void CChartPainter::DrawDailyPricePane(Canvas& canvas, CChartMapper& mapper, const PaneRect& price,
                                       int64_t low, int64_t r, CChartMapper* kept) {
  const PaneTools t = Tools(canvas, mapper);
  const SettingsRecord& s = settings_;
  const CPriceSeries* source = series_ ? series_ : barsOnly_;
  const PriceBar* all = source->bars.data();
  const PriceBar* window = all + hiddenCount_;
  const int wc = windowCount_;
  const double lowD = static_cast<double>(low);
  const GridPrices grid = DrawPriceBars(t, price, window, wc, low, r, s.dailyBarStyle != 0);
  *kept = mapper;
  const PaneLineClip clip(canvas, price);
  // The bars up to the window's end: a chart looking back is drawn as it stood on that day.
  const int count = windowEnd(), hidden = hiddenCount_;
  auto startOf = [&](int period) { return std::max(period - hidden + 1, 1); };
  if (s.dailyShowMa) {
    std::vector<double> ma;
    for (auto [period, slot] : {std::pair{int{s.dailyMaLong}, int{kSlotLongCurve}},
                                {int{s.dailyMaShort}, int{kSlotShortCurve}}}) {
      if (period < 1 || period >= count) continue;
      MovingAverage(all, count, period, kFieldClose, &ma);
      DrawAverage(t, slot, ma, hidden, startOf(period), wc, lowD);
    }
  }
  if (s.dailyShowBollinger && s.bollingerPeriod >= 1 && s.bollingerPeriod < count) {
    std::vector<double> mean, sigma;
    MovingAverage(all, count, s.bollingerPeriod, kFieldClose, &mean);
    StdDev(all, count, s.bollingerPeriod, &sigma);
    const int from = startOf(s.bollingerPeriod);
    for (const auto& band : {std::pair{1.0, int{kSlotBollinger1}}, {2.0, int{kSlotBollinger2}}}) {
      const double k = band.first;  // a plain name: lambdas cannot capture a structured binding
      SelectColour(canvas, band.second);
      Polyline(mapper, from, wc,
               [&](int i) { return mean[i + hidden] - k * sigma[i + hidden] - lowD; });
      Polyline(mapper, from, wc,
               [&](int i) { return mean[i + hidden] + k * sigma[i + hidden] - lowD; });
    }
  }
  if (s.dailyShowParabolic && count > 0 && std::isfinite(s.sarStep) && std::isfinite(s.sarMax)) {
    std::vector<double> sar(count, -1);
    ParabolicSarSeries(all, 0, count - 1, s.sarStep, s.sarMax, sar.data());
    SelectColour(canvas, kSlotParabolic);
    for (int i = 1; i < wc; ++i) {
      const double v = sar[i + hidden];
      if (v == -1 || !std::isfinite(v)) continue;
      mapper.Line(i - 1, v - lowD, i, v - lowD);
    }
  }
  SelectTextColours(canvas, kSlotForeground, kSlotBackground);
  for (auto [high, index] : {std::pair{spanExtremes_.yearHigh, spanExtremes_.yearHighIndex},
                             {spanExtremes_.windowHigh, spanExtremes_.windowHighIndex}}) {
    if (high <= 0 || !series_) continue;
    const std::string text = StringPrintf("%ld", static_cast<long>(high));
    mapper.MoveTo(index - hidden, high - lowD);
    // A high on the last bars would run past the pane's right edge: it ends at the edge.
    const int overflow =
        canvas.CurrentPosition().x + canvas.TextWidth(text) - (price.x + price.width);
    if (overflow > 0) mapper.MoveBy(-overflow, 0);
    mapper.Label(text);
  }
  DrawGridLabels(t, price, low, r, grid);
}

void CChartPainter::DrawSignalChart(Canvas& canvas, int style, const std::vector<SignalRow>& rows,
                                    int width, int height) {
  // The price pane keeps its mapping for the signal chart's hit tests, not the main chart's.
  const CChartMapper mainMapper = priceMapper_;
  const int mainMapperKind = priceMapperKind_;
  CChartMapper mapper;
  BeginChart(canvas, &mapper, kSlotBackground, width, height);
  const CPriceSeries* source = series_ ? series_ : barsOnly_;
  const PaneTools t = Tools(canvas, mapper);
  const int R = static_cast<int>(rows.size());
  const int P = PriceAreaHeight(height, R);
  const int th = textHeight_;
  const int wc = windowCount_, hidden = hiddenCount_;
  const PriceBar* window = source ? source->bars.data() + hidden : nullptr;
  const PriceRangeResult range = source ? PriceRange(window, wc, 10) : PriceRangeResult{};
  const int64_t low = range.low, r = range.high - range.low;
  if (source) {
    DrawDateAxis(t, PaneRect{0, P - th, width, th}, window, wc);
    const PaneRect price{0, 0, width, P - th};
    // The Ichimoku style needs the lines' longest period in bars; with fewer it shows candles.
    if (style != kSignalStyleIchimoku ||
        !DrawIchimokuDailyPane(t, settings_, source->bars.data(), dailyCount_, hidden, wc, price,
                               low, r)) {
      DrawDailyPricePane(canvas, mapper, price, low, r, &priceMapper_);
    } else {
      mapper.Reset(price.x, price.top, price.width, price.height, wc, static_cast<double>(r));
      priceMapper_ = mapper;
    }
    if (settings_.dailyShowVolume) {
      const int volumeHeight = P / 3;
      DrawVolumeBars(t, PaneRect{0, P - volumeHeight, width, volumeHeight - th}, window, wc,
                     range.maxVolume);
      DrawVolumeLabels(t, range.maxVolume);
    }
  }
  const int h = R > 0 ? (height - P) / R : 0;
  for (int k = 0; k < R; ++k) {
    const SignalRow& row = rows[k];
    if (!row.present) continue;
    // Row 0 stands just under the price area, the last row at the bottom.
    const int top = P + k * h;
    const double span = row.high - row.low;
    // Values 0 .. 1 stand at 10 % and 90 % of the row: the row shows the range widened by an
    // eighth of it above and below.
    const double pad = span / 8;
    mapper.Reset(0, top, width, h, wc, span + 2 * pad);
    SelectColour(canvas, kSlotForeground);
    mapper.DottedLine(0, (span + 2 * pad) / 2, wc, (span + 2 * pad) / 2);
    mapper.Line(0, 0, wc, 0);
    mapper.Line(0, span + 2 * pad, wc, span + 2 * pad);
    if (source && row.values) {
      SelectColour(canvas, kSlotLongCurve);
      Polyline(mapper, 0, wc, [&](int i) {
        const int64_t index = int64_t{i} + hidden;
        if (index >= row.valueCount) return kNoValue;
        return row.values[index] - row.low + pad;
      });
    }
    SelectTextColours(canvas, kSlotForeground, kSlotBackground);
    canvas.TextOut(0, top + 2, row.name);
    canvas.TextOut(width - TextWidthEstimate(row.name, th), top + 2, row.name);
  }
  EndChart(canvas);
  signalDrawn_ = source != nullptr;
  signalMapper_ = priceMapper_;
  priceMapper_ = mainMapper;
  priceMapperKind_ = mainMapperKind;
}

}  // namespace korvale
