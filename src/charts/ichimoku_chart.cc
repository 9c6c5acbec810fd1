#include "charts/ichimoku_chart.h"

#include <type_traits>
#include <vector>

#include "charts/chart_numerics.h"
#include "charts/ichimoku_lines.h"
#include "charts/information_text.h"
#include "charts/price_panes.h"

namespace korvale {

namespace {

constexpr int kMonthlyStrip = 10;  // height of the monthly chart's year strip

// A line from its last point back to its first, as the chart draws its lines.
void DrawLine(const PaneTools& t, int slot, const IchimokuLine& line, double low) {
  if (line.empty()) return;
  t.palette.SelectColour(t.canvas, slot);
  t.mapper.MoveTo(line.lastX(), static_cast<double>(line.at(line.lastX())) - low);
  for (int x = line.lastX() - 1; x >= line.firstX; --x) {
    t.mapper.LineTo(x, static_cast<double>(line.at(x)) - low);
  }
}

void DrawCloud(const PaneTools& t, const std::vector<IchimokuPoint>& cloud, double low) {
  if (cloud.empty()) return;
  std::vector<CanvasPoint> points;
  points.reserve(cloud.size());
  for (const IchimokuPoint& p : cloud) {
    points.push_back(t.mapper.ToPixel(p.x, static_cast<double>(p.price) - low));
  }
  t.palette.SelectColour(t.canvas, kSlotCloud);
  t.canvas.Polygon(points.data(), static_cast<int>(points.size()));
}

// The price pane over `price`: the leading spans and the cloud, the bars in the second candle
// set with their grid, then the conversion, base and lagging lines; nothing while the lines
// are not complete. Keeps the pane's price mapping in `priceMapping`; whether the lines were
// complete.
template <typename BarT>
bool DrawIchimokuPane(const PaneTools& t, const SettingsRecord& s, int period, const BarT* all,
                      int count, int hidden, int windowCount, const PaneRect& price, int64_t low,
                      int64_t r, CChartMapper* priceMapping) {
  const double lowD = static_cast<double>(low);
  t.mapper.Reset(price.x, price.top, price.width, price.height, windowCount,
                 static_cast<double>(r));
  *priceMapping = t.mapper;
  const IchimokuLines lines =
      ComputeIchimokuLines(all, count, hidden, IchimokuPeriodsOf(s, period));
  if (lines.complete) {
    DrawLine(t, kSlotLeadingSpanB, lines.spanB, lowD);
    DrawLine(t, kSlotLeadingSpanA, lines.spanA, lowD);
    DrawCloud(t, lines.cloud, lowD);
    const BarStyle style{s.ichimokuBarStyle != 0, kSlotIchimokuClose, true};
    const GridPrices grid = DrawPriceBars(t, price, all + hidden, windowCount, low, r, style);
    DrawGridLabels(t, price, low, r, grid);
    t.mapper = *priceMapping;
    DrawLine(t, kSlotConversionLine, lines.conversion, lowD);
    DrawLine(t, kSlotBaseLine, lines.base, lowD);
    DrawLine(t, kSlotLaggingSpan, lines.lagging, lowD);
  }
  return lines.complete;
}

// The chart over one window: `all` holds the period's `count` bars, of which the first
// `hidden` lie before the window of `windowCount`.
template <typename BarT>
void DrawWindow(CChartPainter& painter, const PaneTools& t, int period, const BarT* all, int count,
                int hidden, int windowCount, int height) {
  const SettingsRecord& s = painter.settings();
  const BarT* window = all + hidden;
  const int windowWidth = kBarPitch * windowCount;
  const bool monthly = period == kChartMonthly;
  // The daily range has a tenth of margin; the weekly and monthly ones none.
  const PriceRangeResult range =
      PriceRange(window, windowCount, monthly || period == kChartWeekly ? 0 : 10);
  const int64_t low = range.low, r = range.high - range.low;

  const int axisHeight = monthly ? kMonthlyStrip : t.textHeight;
  const PaneRect axis{0, height - axisHeight, windowWidth, axisHeight};
  if constexpr (std::is_same_v<BarT, MonthlyBar>) {
    // The year marks go on into the leading spans' area.
    DrawMonthlyAxis(t, axis, window, windowCount, kIchimokuLeadBars);
  } else {
    DrawDateAxis(t, axis, window, windowCount);
  }

  const PaneRect price{0, 0, windowWidth, height - axisHeight};
  CChartMapper priceMapping;
  DrawIchimokuPane(t, s, period, all, count, hidden, windowCount, price, low, r, &priceMapping);
  painter.KeepMapper(IchimokuKindId(period), priceMapping);
}

void DrawIchimoku(CChartPainter& painter, Canvas& canvas, int period) {
  const int height = painter.clientSize(IchimokuKindId(period)).height;
  CChartMapper mapper;
  painter.BeginChart(canvas, &mapper, kSlotBackground, IchimokuWidth(painter, period), height);
  if (const CPriceSeries* series = painter.series()) {
    const PaneTools t{painter.palette(), canvas, mapper, painter.textHeight()};
    if (period == kChartWeekly) {
      DrawWindow(painter, t, period, series->weeks.data(), series->weekCount(),
                 painter.weeklyWindowStart(), painter.weeklyWindowCount(), height);
    } else if (period == kChartMonthly) {
      DrawWindow(painter, t, period, series->months.data(), series->monthCount(),
                 painter.monthlyWindowStart(), painter.monthlyWindowCount(), height);
    } else {
      DrawWindow(painter, t, kChartDaily, series->bars.data(), painter.dailyCount(),
                 painter.hiddenCount(), painter.windowCount(), height);
    }
  }
  painter.EndChart(canvas);
}

class IchimokuChart : public ChartKind {
 public:
  explicit IchimokuChart(int period) : period_(period) {}
  void Attach(CChartPainter& painter, CPriceSeries& series) const override {
    painter.Attach(series, period_);
  }
  int Width(const CChartPainter& painter) const override { return IchimokuWidth(painter, period_); }
  void Draw(CChartPainter& painter, Canvas& canvas) const override {
    DrawIchimoku(painter, canvas, period_);
  }
  ChartHit HitTest(const CChartPainter& painter, int px, int py) const override {
    return painter.HitTestWindow(period_, painter.keptMapper(IchimokuKindId(period_)), px, py);
  }
  std::string Readout(const ChartHit& hit) const override {
    return ReadoutText(hit, period_ == kChartMonthly);
  }
  void SetClientSize(CChartPainter& painter, int width, int height) const override {
    painter.SetClientSize(IchimokuKindId(period_), width, height);
  }

 private:
  int period_;
};

}  // namespace

int IchimokuWidth(const CChartPainter& painter, int period) {
  const int bars = period == kChartWeekly    ? painter.weeklyWindowCount()
                   : period == kChartMonthly ? painter.monthlyWindowCount()
                                             : painter.windowCount();
  return kBarPitch * (bars + kIchimokuLeadBars);
}

void DrawIchimokuDaily(CChartPainter& painter, Canvas& canvas) {
  DrawIchimoku(painter, canvas, kChartDaily);
}

void DrawIchimokuWeekly(CChartPainter& painter, Canvas& canvas) {
  DrawIchimoku(painter, canvas, kChartWeekly);
}

void DrawIchimokuMonthly(CChartPainter& painter, Canvas& canvas) {
  DrawIchimoku(painter, canvas, kChartMonthly);
}

void DrawIchimokuCaption(Canvas& canvas) {
  canvas.SelectFont(LabelFont{});
  DrawInformationLine(canvas, 0, 420, "一目均衡表");
}

const ChartKind& IchimokuChartKind(int period) {
  static const IchimokuChart kDaily(kChartDaily), kWeekly(kChartWeekly), kMonthly(kChartMonthly);
  return period == kChartWeekly ? kWeekly : period == kChartMonthly ? kMonthly : kDaily;
}

bool DrawIchimokuDailyPane(const PaneTools& t, const SettingsRecord& settings,
                           const PriceBar* all, int count, int hidden, int windowCount,
                           const PaneRect& price, int64_t low, int64_t range) {
  CChartMapper priceMapping;
  return DrawIchimokuPane(t, settings, kChartDaily, all, count, hidden, windowCount, price, low,
                          range, &priceMapping);
}

}  // namespace korvale
