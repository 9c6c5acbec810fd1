#include "charts/chart_painter.h"

#include <algorithm>
#include <limits>

#include "charts/pane_drawing.h"
#include "store/week_of_year.h"

namespace korvale {

namespace {

int32_t ClampToInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The last min(count, span) elements; a negative span shows nothing.
int LastOf(int count, int span) { return std::clamp(span, 0, std::max(count, 0)); }

}  // namespace

CChartPainter::CChartPainter(const SettingsRecord& settings)
    : settings_(settings), palette_(settings.colourTheme) {}

CChartPainter::~CChartPainter() = default;

void CChartPainter::BeginChart(Canvas& canvas, CChartMapper* mapper, int backgroundSlot, int width,
                               int height) {
  SelectLabelFont(canvas);
  textHeight_ = canvas.TextHeight();
  savedPen_ = canvas.CurrentPen();
  savedBrush_ = canvas.CurrentBrush();
  canvas.SelectPen(palette_.pen(kSlotForeground));
  canvas.SelectBrush(palette_.brush(kSlotForeground));
  FillBackground(canvas, backgroundSlot, width, height);
  mapper->Init(&canvas, textHeight_, 0, 0, width, height, width, height);
}

void CChartPainter::EndChart(Canvas& canvas) {
  canvas.SelectPen(savedPen_);
  canvas.SelectBrush(savedBrush_);
}

CChartPainter::ClientSize CChartPainter::clientSize(int kindId) const {
  auto it = kinds_.find(kindId);
  return it == kinds_.end() ? ClientSize{} : it->second.size;
}

void CChartPainter::KeepMapper(int kindId, const CChartMapper& mapper) {
  KindState& k = kinds_[kindId];
  k.mapper = mapper;
  k.mapped = true;
}

const CChartMapper* CChartPainter::keptMapper(int kindId) const {
  auto it = kinds_.find(kindId);
  return it != kinds_.end() && it->second.mapped ? &it->second.mapper : nullptr;
}

// --- Attaching and windows.

void CChartPainter::Attach(CPriceSeries& series, int kind) {
  series_ = &series;
  barsOnly_ = nullptr;
  chartKind_ = kind;
  trendLines_.clear();
  selectedLine_ = -1;
  dailyCount_ = std::max(series.barCount(), 0);
  ComputeDailyWindow();
  series.BuildWeekly(hiddenCount_, nullptr);
  series.BuildMonthly();
  spanExtremes_ = series.WindowExtremes(settings_.dailySpanDays);
  Layout();
  CopyTrendLines();
  FillDerivedSeries();
}

void CChartPainter::AttachBarsOnly(const CPriceSeries& series) {
  series_ = nullptr;
  barsOnly_ = &series;
  trendLines_.clear();
  selectedLine_ = -1;
  for (auto& d : derived_) d.assign(static_cast<size_t>(std::max(series.barCount(), 0)) + 1, 0.0);
  Layout();
}

// The weekly bar that BuildWeekly reports as current when it reaches daily bar `barIndex`
// (0 for an index outside the bars): the week before a bar that starts a new week.
int CChartPainter::WeekIndexOfBar(int barIndex) const {
  if (!series_ || barIndex < 0 || barIndex >= series_->barCount()) return 0;
  const std::vector<PriceBar>& bars = series_->bars;
  int index = 0;
  int current = WeekOfYear(bars[0].year, bars[0].month, bars[0].day, nullptr);
  for (int i = 0; i < series_->barCount(); ++i) {
    const PriceBar& b = bars[i];
    if (b.year <= 0 || b.month < 1 || b.month > 12) continue;
    if (i == barIndex) return index;
    const int week = static_cast<int8_t>(WeekOfYear(b.year, b.month, b.day, nullptr));
    if (week != static_cast<int8_t>(current)) {
      ++index;
      current = week;
    }
  }
  return 0;
}

void CChartPainter::ComputeDailyWindow() {
  barsAfter_ = std::clamp(barsAfter_, 0, dailyCount_);
  const int end = dailyCount_ - barsAfter_;
  if (viewCount_ > 0) {
    windowCount_ = std::min(viewCount_, end);
  } else {
    windowCount_ = settings_.dailyAllPeriod ? end : LastOf(end, settings_.dailySpanDays);
  }
  hiddenCount_ = end - windowCount_;
}

void CChartPainter::SetDailyView(int count, int barsAfter, int pitch) {
  viewCount_ = std::max(count, 0);
  barsAfter_ = viewCount_ > 0 ? std::max(barsAfter, 0) : 0;
  pitch_ = viewCount_ > 0 ? std::clamp(pitch, kMinBarPitch, kMaxBarPitch) : kBarPitch;
  Layout();
}

PaneTools CChartPainter::Tools(Canvas& canvas, CChartMapper& mapper) const {
  return PaneTools{palette_, canvas, mapper, textHeight_, labelLeft_};
}

void CChartPainter::RefreshWindow() {
  const CPriceSeries* s = series_ ? series_ : barsOnly_;
  const int oldHidden = hiddenCount_;
  dailyCount_ = s ? std::max(s->barCount(), 0) : 0;
  ComputeDailyWindow();
  // The lines are held in window indexes: when the window moves they move the other way, so
  // each stays on its days (and is written back to them).
  if (hiddenCount_ != oldHidden) ShiftTrendLines(oldHidden - hiddenCount_);
  weeklyStart_ = weeklyCount_ = monthlyStart_ = monthlyCount_ = weeksBefore_ = 0;
  if (!series_) return;
  const int weeks = std::max(series_->weekCount(), 0);
  weeklyCount_ = LastOf(weeks, settings_.weeklySpanWeeks);
  weeklyStart_ = weeks - weeklyCount_;
  const int months = std::max(series_->monthCount(), 0);
  monthlyCount_ = LastOf(months, settings_.monthlySpanMonths);
  monthlyStart_ = months - monthlyCount_;
  // The weeks of the weekly window that precede the daily window.
  weeksBefore_ = std::clamp(WeekIndexOfBar(hiddenCount_) - weeklyStart_, 0, weeklyCount_);
}

void CChartPainter::Layout() {
  RefreshWindow();
  weeklyWidth_ = kBarPitch * weeklyCount_;
  monthlyWidth_ = kBarPitch * monthlyCount_;
  dailyWidth_ = pitch_ * windowCount_;
  if (settings_.dailyWeeklyBeforeSpan) dailyWidth_ += kBarPitch * weeksBefore_;
  if (settings_.dailyShowPriceVolumeHistogram) dailyWidth_ += kHistogramWidth;
}

void CChartPainter::ReplaceSettings(const SettingsRecord& settings) {
  settings_ = settings;
  Layout();
}

// --- Trend lines.

void CChartPainter::CopyTrendLines() {
  trendLines_.clear();
  if (!series_) return;
  const int count = series_->lineCount();
  for (int i = 0; i < count; ++i) {
    const TrendLine& line = series_->lines[i];
    ChartTrendLine t;
    t.original = line;
    t.original.geometry = nullptr;
    t.unresolved = line.unresolved != 0;
    t.x1 = ClampToInt32(int64_t{line.index1} - hiddenCount_);
    t.x2 = ClampToInt32(int64_t{line.index2} - hiddenCount_);
    t.price1 = line.price1;
    t.price2 = line.price2;
    t.kind = line.kind;
    SetLineGeometry(&t);
    trendLines_.push_back(std::move(t));
  }
}

void CChartPainter::SetLineGeometry(ChartTrendLine* t) const {
  t->geometry = std::make_unique<CLineGeometry>(t->x1, t->price1, t->x2, t->price2);
  t->geometry->SetTolerance(CLineGeometry::StandardTolX(), CLineGeometry::StandardTolY(t->price1));
}

void CChartPainter::ShiftTrendLines(int delta) {
  for (ChartTrendLine& t : trendLines_) {
    if (t.unresolved) continue;  // kept as read, never drawn
    t.x1 = ClampToInt32(int64_t{t.x1} + delta);
    t.x2 = ClampToInt32(int64_t{t.x2} + delta);
    SetLineGeometry(&t);
  }
}

void CChartPainter::MarkTrendLineDeleted(int index) {
  if (index >= 0 && index < static_cast<int>(trendLines_.size())) trendLines_[index].deleted = true;
}

void CChartPainter::RestoreTrendLine(int index) {
  if (index >= 0 && index < static_cast<int>(trendLines_.size())) {
    trendLines_[index].deleted = false;
  }
}

int CChartPainter::AddTrendLine(int x1, int price1, int x2, int price2) {
  ChartTrendLine t;
  t.x1 = x1;
  t.price1 = price1;
  t.x2 = x2;
  t.price2 = price2;
  SetLineGeometry(&t);
  // Support when the closes it spans stand mostly above it. Only the window's bars count; a
  // vertical line compares with its whole extent.
  const CPriceSeries* s = series_ ? series_ : barsOnly_;
  int above = 0, below = 0;
  if (s) {
    const PriceBar* window = s->bars.data() + hiddenCount_;
    const int from = std::max(std::min(x1, x2), 0);
    const int to = std::min(std::max(x1, x2), windowCount_ - 1);
    const CLineGeometry& g = *t.geometry;
    for (int i = from; i <= to; ++i) {
      const double close = window[i].close;
      double top = 0, bottom = 0;
      if (g.form == CLineGeometry::kVertical || g.form == CLineGeometry::kPoint) {
        top = std::max(price1, price2);
        bottom = std::min(price1, price2);
      } else {
        top = bottom = g.slope * i + g.intercept;
      }
      if (close > top) ++above;
      if (close < bottom) ++below;
    }
  }
  t.kind = above > below ? kLineSupport : kLineResistance;
  // A line drawn in the editor is new: it is written back from its points, not from a record.
  t.original = TrendLine{};
  trendLines_.push_back(std::move(t));
  return static_cast<int>(trendLines_.size()) - 1;
}

void CChartPainter::SetTrendLineKind(int index, int kind) {
  if (index >= 0 && index < static_cast<int>(trendLines_.size())) trendLines_[index].kind = kind;
}

void CChartPainter::SelectTrendLine(int index) {
  selectedLine_ = index >= 0 && index < static_cast<int>(trendLines_.size()) ? index : -1;
}

int CChartPainter::StoreTrendLines(CPriceSeries& series) const {
  std::vector<TrendLine> kept;
  for (const ChartTrendLine& t : trendLines_) {
    if (t.deleted) continue;
    TrendLine line = t.original;
    line.geometry = nullptr;
    if (!t.unresolved) {
      line.index1 = std::max(ClampToInt32(int64_t{t.x1} + hiddenCount_), 0);
      line.index2 = std::max(ClampToInt32(int64_t{t.x2} + hiddenCount_), 0);
      line.price1 = t.price1;
      line.price2 = t.price2;
      line.kind = t.kind;
      line.unresolved = 0;
    }
    kept.push_back(line);
  }
  series.lines = std::move(kept);
  return series.lineCount();
}

// --- Read-out values.

IndicatorValues CChartPainter::IndicatorValuesAt(int windowIndex) const {
  const int64_t index = int64_t{windowIndex} + hiddenCount_;
  auto at = [&](DerivedSeries which) {
    const std::vector<double>& v = derived_[which];
    if (v.empty()) return 0.0;
    // The spare last entry answers any index outside the bars.
    if (index < 0 || index >= static_cast<int64_t>(v.size()) - 1) return v.back();
    return v[static_cast<size_t>(index)];
  };
  IndicatorValues r;
  r.maLong = at(kDerivedMaLong);
  r.maShort = at(kDerivedMaShort);
  r.rci1 = at(kDerivedRci1);
  r.rci2 = at(kDerivedRci2);
  r.rsi1 = at(kDerivedRsi1);
  r.rsi2 = at(kDerivedRsi2);
  r.stochK = at(kDerivedStochK);
  r.stochD = at(kDerivedStochD);
  r.volumeRatio = at(kDerivedVolumeRatio);
  return r;
}

}  // namespace korvale
