// The mouse read-out: which bar lies under a pixel of the chart, and its text.
#include <cmath>
#include <cstdlib>

#include "charts/chart_painter.h"
#include "charts/pane_drawing.h"

namespace korvale {

namespace {

template <typename BarT>
ChartHit HitOf(const BarT* window, int index) {
  ChartHit hit;
  const BarT& b = window[index];
  hit.found = true;
  hit.index = index;
  hit.year = b.year;
  hit.month = b.month;
  if constexpr (requires { b.day; }) hit.day = b.day;
  hit.open = b.open;
  hit.high = b.high;
  hit.low = b.low;
  hit.close = b.close;
  hit.volume = b.volume;
  hit.change = index > 0 ? int64_t{b.close} - window[index - 1].close : 0;
  return hit;
}

// The window index under a pixel through the kept price mapping; -1 for none.
int WindowIndexAt(const CChartMapper& mapper, int px, int py, int count) {
  double x = 0, y = 0;
  mapper.ToWorld(px, py, &x, &y);
  // A pixel left of the first bar is outside, though truncation would round it onto bar 0.
  if (!(x >= 0) || x >= count) return -1;
  return static_cast<int>(std::trunc(x));
}

}  // namespace

std::string ReadoutText(const ChartHit& hit, bool monthly) {
  if (!hit.found) return " ";
  const char* sign = hit.change > 0 ? "△" : hit.change < 0 ? "▼" : "±";
  const long long change = std::llabs(hit.change);
  if (monthly) {
    return StringPrintf("%d/%d %ld %ld %ld %ld %ld %s%lld", hit.year, hit.month,
                        static_cast<long>(hit.open), static_cast<long>(hit.high),
                        static_cast<long>(hit.low), static_cast<long>(hit.close),
                        static_cast<long>(hit.volume), sign, change);
  }
  return StringPrintf("%d/%d/%d %ld %ld %ld %ld %ld %s%lld", hit.year, hit.month, hit.day,
                      static_cast<long>(hit.open), static_cast<long>(hit.high),
                      static_cast<long>(hit.low), static_cast<long>(hit.close),
                      static_cast<long>(hit.volume), sign, change);
}

ChartHit CChartPainter::HitTestWindow(int period, const CChartMapper* mapper, int px,
                                      int py) const {
  auto hit = [&](const auto* window, int count) {
    if (count <= 0) return ChartHit{};
    if (px == -1 && py == -1) return HitOf(window, count - 1);
    if (!mapper) return ChartHit{};
    const int i = WindowIndexAt(*mapper, px, py, count);
    return i < 0 ? ChartHit{} : HitOf(window, i);
  };
  if (period == kChartWeekly) {
    return series_ ? hit(series_->weeks.data() + weeklyStart_, weeklyCount_) : ChartHit{};
  }
  if (period == kChartMonthly) {
    return series_ ? hit(series_->months.data() + monthlyStart_, monthlyCount_) : ChartHit{};
  }
  const CPriceSeries* source = series_ ? series_ : barsOnly_;
  return source ? hit(source->bars.data() + hiddenCount_, windowCount_) : ChartHit{};
}

ChartHit CChartPainter::HitTestDaily(int px, int py) const {
  return HitTestWindow(kChartDaily, priceMapperKind_ == kChartDaily ? &priceMapper_ : nullptr, px,
                       py);
}

ChartHit CChartPainter::HitTestSignal(int px, int py) const {
  const CPriceSeries* source = series_ ? series_ : barsOnly_;
  if (!source || windowCount_ <= 0) return {};
  const PriceBar* window = source->bars.data() + hiddenCount_;
  if (px == -1 && py == -1) return HitOf(window, windowCount_ - 1);
  if (!signalDrawn_) return {};
  const int i = WindowIndexAt(signalMapper_, px, py, windowCount_);
  return i < 0 ? ChartHit{} : HitOf(window, i);
}

ChartHit CChartPainter::HitTestWeekly(int px, int py) const {
  return HitTestWindow(kChartWeekly, priceMapperKind_ == kChartWeekly ? &priceMapper_ : nullptr, px,
                       py);
}

ChartHit CChartPainter::HitTestMonthly(int px, int py) const {
  return HitTestWindow(kChartMonthly, priceMapperKind_ == kChartMonthly ? &priceMapper_ : nullptr,
                       px, py);
}

ChartHit CChartPainter::HitTestTrendLineEditor(int px, int py) const {
  const CPriceSeries* source = series_ ? series_ : barsOnly_;
  if (!source || windowCount_ <= 0) return {};
  const PriceBar* window = source->bars.data() + hiddenCount_;
  if (px == -1 && py == -1) return HitOf(window, windowCount_ - 1);
  if (!editorDrawn_) return {};
  const int i = WindowIndexAt(editorMapper_, px, py, windowCount_);
  return i < 0 ? ChartHit{} : HitOf(window, i);
}

}  // namespace korvale
