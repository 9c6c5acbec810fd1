// The chart painter: one per chart window. It keeps its own copy of the settings and the
// palette built from them, attaches to a price series (display windows, layout, trend lines,
// derived indicator series), draws the daily, weekly and monthly candlestick charts with their
// panes onto a Canvas, and answers the mouse read-out.
#ifndef KORVALE_CHARTS_CHART_PAINTER_H_
#define KORVALE_CHARTS_CHART_PAINTER_H_

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "charts/canvas.h"
#include "charts/chart_mapper.h"
#include "charts/chart_metrics.h"
#include "charts/chart_palette.h"
#include "store/line_geometry.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

// Chart kinds; the command ids double as the stored chart-kind values.
inline constexpr int kChartDaily = 32772;
inline constexpr int kChartWeekly = 32773;
inline constexpr int kChartMonthly = 32774;
// The trend-line editor's chart (the id of the command that opens the editor).
inline constexpr int kChartTrendLineEditor = 32861;
// The signal chart window ("抽出条件可視化チャート"), drawn through the daily chart's painter.
inline constexpr int kChartSignal = 32868;

class SignalRowSource;

// The values the detail panel shows at a bar, in this order.
struct IndicatorValues {
  double maLong = 0;
  double maShort = 0;
  double rci1 = 0;
  double rci2 = 0;
  double rsi1 = 0;
  double rsi2 = 0;
  double stochK = 0;  // percent
  double stochD = 0;  // percent
  double volumeRatio = 0;
};

// The derived series filled on attach, one entry per daily bar plus one spare entry (the
// weekly index arrays: one per weekly bar plus one). Entries not computed are 0; the index
// arrays mark a missing value with kIndexValueMissing.
enum DerivedSeries {
  kDerivedMaLong,
  kDerivedMaShort,
  kDerivedRci1,
  kDerivedRci2,
  kDerivedRsi1,
  kDerivedRsi2,
  kDerivedStochK,
  kDerivedStochD,
  kDerivedVolumeRatio,
  kDerivedDailyRelative,
  kDerivedDailyCorrelation,
  kDerivedWeeklyRelative,
  kDerivedWeeklyCorrelation,
  kDerivedCount
};

// What a hit test found under the mouse.
struct ChartHit {
  bool found = false;
  int index = -1;  // window index of the bar
  int year = 0, month = 0, day = 0;
  int32_t open = 0, high = 0, low = 0, close = 0, volume = 0;
  int64_t change = 0;  // close - previous close within the window; 0 for the first bar
};

// The read-out text of a hit: "%d/%d/%d %ld %ld %ld %ld %ld %s%d" (daily and weekly) or
// "%d/%d %ld %ld %ld %ld %ld %s%d" (monthly), the sign "△" for a rise, "▼" for a fall, "±" for
// none, followed by the absolute change; " " when nothing was found. UTF-8.
std::string ReadoutText(const ChartHit& hit, bool monthly);

// Height of the price area of a chart `chartHeight` high over `paneCount` indicator panes (or
// signal rows): all of it with none, then 75, 60, 52, 45 and, from five on, 40 per cent.
int PriceAreaHeight(int chartHeight, int paneCount);

struct PaneRect;
struct PaneTools;

// Trend-line kinds: 1 resistance and 2 support, 3 and 4 a second such pair.
inline constexpr int kLineResistance = 1;
inline constexpr int kLineSupport = 2;

// One trend line as the painter holds it: ends in window indexes and prices.
struct ChartTrendLine {
  int32_t x1 = 0, price1 = 0, x2 = 0, price2 = 0;
  int32_t kind = 0;  // 1 resistance, 2 support, 3 and 4 a second such pair
  std::unique_ptr<CLineGeometry> geometry;
  bool deleted = false;
  // A line whose day is not among the bars: not drawn, written back as it was read.
  bool unresolved = false;
  TrendLine original;
};

// One row of the signal chart, handed in by its caller.
struct SignalRow {
  bool present = false;            // false: the slot names no rule; the row stays empty
  const double* values = nullptr;  // one value per daily bar of the attached series, or null
  int valueCount = 0;
  double low = 0;
  double high = 1;
  std::string name;  // the rule's name, UTF-8
};

class CChartPainter {
 public:
  // Copies the settings and builds the palette of their colour theme; later changes to the
  // caller's record do not reach this painter.
  explicit CChartPainter(const SettingsRecord& settings);
  virtual ~CChartPainter();
  CChartPainter(const CChartPainter&) = delete;
  CChartPainter& operator=(const CChartPainter&) = delete;

  // --- Palette and primitives (the palette's, see chart_palette.h).
  // Replaces the palette with the colours of a theme (outside 0-5: the standard theme).
  void ApplyTheme(int index) { palette_ = ChartPalette(index); }
  void SelectColour(Canvas& canvas, int slot) const { palette_.SelectColour(canvas, slot); }
  void SelectTextColours(Canvas& canvas, int foregroundSlot, int backgroundSlot) const {
    palette_.SelectTextColours(canvas, foregroundSlot, backgroundSlot);
  }
  void SelectLabelFont(Canvas& canvas) const { palette_.SelectLabelFont(canvas); }
  void FillBackground(Canvas& canvas, int slot, int width, int height) const {
    palette_.FillBackground(canvas, slot, width, height);
  }
  void Candle(Canvas& canvas, const CChartMapper& mapper, double x, double open, double high,
              double low, double close, bool secondSet = false) const {
    palette_.Candle(canvas, mapper, x, open, high, low, close, secondSet);
  }
  const ChartPalette& palette() const { return palette_; }
  Rgb colour(int slot) const { return palette_.colour(slot); }
  const Pen& pen(int slot) const { return palette_.pen(slot); }
  int textHeight() const { return textHeight_; }
  const SettingsRecord& settings() const { return settings_; }

  // --- Series.
  // The market-index series for the index panes (may be null); set before Attach, kept by the
  // caller for as long as the painter uses it.
  void SetIndexSeries(const CPriceSeries* index) { indexSeries_ = index; }
  // Attaches the series (kept by reference; it must outlive the painter's use of it): display
  // windows, weekly and monthly bars (the series' BuildWeekly and BuildMonthly run here), span
  // extremes, layout, trend lines and derived series. `kind` is remembered as the chart kind.
  void Attach(CPriceSeries& series, int kind);
  // The daily window only, for thumbnails: no weekly or monthly bars, lines or derived series.
  void AttachBarsOnly(const CPriceSeries& series);
  // Recomputes the three display windows from the settings copy.
  void RefreshWindow();
  // RefreshWindow, then the chart widths.
  void Layout();
  // Takes a fresh copy of the settings (after the settings dialog) and re-lays out; the palette
  // stays as built.
  void ReplaceSettings(const SettingsRecord& settings);
  // Writes the lines that are not deleted back to the series (window indexes back to series
  // indexes); returns their number.
  int StoreTrendLines(CPriceSeries& series) const;
  // Marks a line deleted (it stays in the array until StoreTrendLines leaves it out); nothing for
  // an index outside the lines.
  void MarkTrendLineDeleted(int index);
  // Takes a deleted line back (an edit that was given up); nothing for an index outside.
  void RestoreTrendLine(int index);
  // Appends a line through two points in window indexes and prices and returns its index. Its
  // kind is support when more closes of the window bars it spans (from min(x1, x2) to
  // min(max(x1, x2), window count - 1)) lie strictly above it than strictly below, else
  // resistance.
  int AddTrendLine(int x1, int price1, int x2, int price2);
  // Sets the kind of a line; nothing for an index outside the lines.
  void SetTrendLineKind(int index, int kind);
  // The line the editor shows selected (circles at both ends), -1 for none; an index outside
  // the lines selects none.
  void SelectTrendLine(int index);
  int selectedTrendLine() const { return selectedLine_; }
  void SetChartHeight(int height) { chartHeight_ = height; }
  // The chart column where a view's visible area begins; the panes' label columns (legends,
  // scale labels) are drawn there rather than at the chart's left edge. 0 draws them as a whole
  // chart is drawn.
  void SetLabelLeft(int x) { labelLeft_ = x; }
  // The daily window a view chooses for looking back and zooming: `count` bars ending
  // `barsAfter` bars before the newest, at `pitch` pixels a bar (2-16). A count of 0 goes back
  // to the settings' window at the standard pitch. The settings' span (span highs, what the
  // analysis uses) is not touched. Lays out again; trend lines keep their days.
  void SetDailyView(int count, int barsAfter, int pitch);
  int dailyPitch() const { return pitch_; }
  // Bars after the daily window (0 unless a view looks back).
  int barsAfter() const { return barsAfter_; }
  // The series index after the daily window's last bar.
  int windowEnd() const { return hiddenCount_ + windowCount_; }

  int chartKind() const { return chartKind_; }
  int chartHeight() const { return chartHeight_; }
  int dailyWidth() const { return dailyWidth_; }
  int weeklyWidth() const { return weeklyWidth_; }
  int monthlyWidth() const { return monthlyWidth_; }
  int dailyCount() const { return dailyCount_; }
  int windowCount() const { return windowCount_; }
  int hiddenCount() const { return hiddenCount_; }
  int weeklyWindowStart() const { return weeklyStart_; }
  int weeklyWindowCount() const { return weeklyCount_; }
  int monthlyWindowStart() const { return monthlyStart_; }
  int monthlyWindowCount() const { return monthlyCount_; }
  int weeksBefore() const { return weeksBefore_; }
  const CPriceSeries* series() const { return series_; }
  const CPriceSeries* indexSeries() const { return indexSeries_; }
  const WindowExtremesResult& spanExtremes() const { return spanExtremes_; }
  const std::vector<ChartTrendLine>& trendLines() const { return trendLines_; }
  const std::vector<double>& derived(DerivedSeries which) const { return derived_[which]; }

  // --- Window kinds (the Ichimoku and auxiliary charts): each keeps the client size of the view
  // that shows it and, where it has a read-out, the mapping of its last drawing.
  struct ClientSize {
    int width = 0;
    int height = 0;
  };
  // Stores the client size of the view of kind `kindId` (set before every drawing).
  void SetClientSize(int kindId, int width, int height) { kinds_[kindId].size = {width, height}; }
  // The stored client size of a kind; 0 x 0 before any was stored.
  ClientSize clientSize(int kindId) const;
  // Keeps the mapping a drawing of kind `kindId` used for its bars, for the hit test.
  void KeepMapper(int kindId, const CChartMapper& mapper);
  // The mapping kept by the last drawing of a kind; null before one was drawn.
  const CChartMapper* keptMapper(int kindId) const;

  // --- Drawing.
  // The start every chart drawing shares: the label font selected and measured into the text
  // height, the pen and brush in effect remembered and slot 1's selected, the background slot
  // filled over width x height, and the mapper set to that rectangle. EndChart restores the
  // remembered pen and brush.
  void BeginChart(Canvas& canvas, CChartMapper* mapper, int backgroundSlot, int width, int height);
  void EndChart(Canvas& canvas);
  void DrawDailyChart(Canvas& canvas);
  void DrawWeeklyChart(Canvas& canvas);
  void DrawMonthlyChart(Canvas& canvas);
  // The trend-line editor's chart: the date axis and the daily price pane (a quarter of the
  // range as margin) over 4 pixels a bar, 104 pixels of room to the right, and the lines with
  // the selected one marked. Keeps its mapping for EditorToWorld and the editor's hit test.
  void DrawTrendLineEditor(Canvas& canvas);
  // The editor chart's width: 4 pixels per window bar plus 104.
  int editorWidth() const;
  // A pixel of the editor chart as (window index, price): bar = trunc(x), price = trunc(y) +
  // the pane's low. False before the editor chart was drawn or when the bar lies outside
  // 0 .. window count + 39.
  bool EditorToWorld(int px, int py, int* bar, int* price) const;
  // A point of the editor chart (window index, price) as a pixel.
  CanvasPoint EditorToPixel(double bar, double price) const;
  // A thumbnail of the daily window in the rectangle: background, candles (or a close line in
  // the foreground colour with thumbnailBarStyle) over the range with a tenth of margin, and with
  // thumbnailShowVolume the volume bars in the bottom third. No grid, labels or date axis.
  void DrawThumbnail(Canvas& canvas, int left, int top, int width, int height) const;
  // The daily chart with the caller's value rows in place of the indicator panes, over a
  // canvas of width x height. Style 0 candles; any other style is drawn as 0 for now. The
  // mapping it keeps for hit tests is the signal chart's own, so a main view drawn through the
  // same painter keeps reading its own bars.
  void DrawSignalChart(Canvas& canvas, int style, const std::vector<SignalRow>& rows, int width,
                       int height);
  // The signal chart as its window shows it: the rows of the source (none without one) over
  // the signal canvas size.
  void SetSignalSource(SignalRowSource* source) { signalSource_ = source; }
  SignalRowSource* signalSource() const { return signalSource_; }
  void SetSignalCanvasSize(int width, int height) {
    signalWidth_ = width;
    signalHeight_ = height;
  }
  int signalCanvasWidth() const { return signalWidth_; }
  int signalCanvasHeight() const { return signalHeight_; }

  // --- Mouse read-out (pixels of the unscrolled chart; (-1, -1) is the last displayed bar).
  // Nothing is found before a chart of that kind was drawn or outside the window.
  ChartHit HitTestDaily(int px, int py) const;
  ChartHit HitTestWeekly(int px, int py) const;
  ChartHit HitTestMonthly(int px, int py) const;
  // The same on the trend-line editor's chart, through its own mapping.
  ChartHit HitTestTrendLineEditor(int px, int py) const;
  // The signal chart's bar under a pixel of its canvas, through its last drawing.
  ChartHit HitTestSignal(int px, int py) const;
  // The bar of the daily, weekly or monthly window (`period` 32772, 32773, 32774) under a pixel
  // through `mapper` (span x = window count); (-1, -1) is the last bar, a null mapper finds
  // nothing else.
  ChartHit HitTestWindow(int period, const CChartMapper* mapper, int px, int py) const;
  // The first nine derived series at window index + hidden count; the spare entry (0) outside.
  IndicatorValues IndicatorValuesAt(int windowIndex) const;

 private:
  // BeginChart for the weekly and monthly charts; without a series it ends the chart at once
  // and returns false.
  bool BeginPeriodChart(Canvas& canvas, CChartMapper* mapper, int width);
  // Keeps the pane's mapping in `kept` for hit tests.
  void DrawDailyPricePane(Canvas& canvas, CChartMapper& mapper, const PaneRect& rect, int64_t low,
                          int64_t range, CChartMapper* kept);
  void FillDerivedSeries();
  // The daily window from the daily count, the view's window or the settings' span.
  void ComputeDailyWindow();
  // The tools the panes draw with on this canvas and mapper.
  PaneTools Tools(Canvas& canvas, CChartMapper& mapper) const;
  void CopyTrendLines();
  // Moves the lines by `delta` window indexes (the window moved) and rebuilds their geometry.
  void ShiftTrendLines(int delta);
  void SetLineGeometry(ChartTrendLine* line) const;
  int WeekIndexOfBar(int barIndex) const;

  SettingsRecord settings_;
  ChartPalette palette_;
  int textHeight_ = 9;
  Pen savedPen_;
  Brush savedBrush_;

  CPriceSeries* series_ = nullptr;
  const CPriceSeries* barsOnly_ = nullptr;  // AttachBarsOnly
  const CPriceSeries* indexSeries_ = nullptr;
  int chartKind_ = kChartDaily;
  int chartHeight_ = 0;
  int dailyWidth_ = 0, weeklyWidth_ = 0, monthlyWidth_ = 0;
  int dailyCount_ = 0, windowCount_ = 0, hiddenCount_ = 0;
  int weeklyStart_ = 0, weeklyCount_ = 0;
  int monthlyStart_ = 0, monthlyCount_ = 0;
  int weeksBefore_ = 0;
  int viewCount_ = 0;  // SetDailyView; 0 for the settings' window
  int barsAfter_ = 0;
  int pitch_ = kBarPitch;
  int labelLeft_ = 0;
  WindowExtremesResult spanExtremes_;
  std::vector<ChartTrendLine> trendLines_;
  int selectedLine_ = -1;
  std::array<std::vector<double>, kDerivedCount> derived_;

  // Kept from the last drawing for hit-testing: the price pane's mapper and which chart set it.
  CChartMapper priceMapper_;
  int priceMapperKind_ = 0;  // 0 until a chart was drawn
  // The editor chart's price pane, kept apart so the main view's read-out is not disturbed.
  CChartMapper editorMapper_;
  int64_t editorLow_ = 0;
  bool editorDrawn_ = false;
  CChartMapper signalMapper_;
  bool signalDrawn_ = false;

  SignalRowSource* signalSource_ = nullptr;
  int signalWidth_ = 0, signalHeight_ = 0;

  struct KindState {
    ClientSize size;
    CChartMapper mapper;
    bool mapped = false;
  };
  std::map<int, KindState> kinds_;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_CHART_PAINTER_H_
