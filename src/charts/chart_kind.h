// The kinds of chart a window can show, behind one interface, and the one table that maps a
// kind's id (the command id that doubles as the stored chart-kind value) to its
// implementation, its command-line name and its caption. The views, `readout`, `render` and
// the menus all go through this table; a new kind is one implementation and one table row.
#ifndef KORVALE_CHARTS_CHART_KIND_H_
#define KORVALE_CHARTS_CHART_KIND_H_

#include <span>
#include <string>
#include <string_view>

#include "charts/chart_painter.h"

namespace korvale {

class ChartKind {
 public:
  virtual ~ChartKind() = default;

  // Attaches the series to the painter for this kind (kept by reference; it must outlive the
  // painter's use of it).
  virtual void Attach(CChartPainter& painter, CPriceSeries& series) const = 0;
  // The chart's width in pixels over the painter's display windows: what a view scrolls over.
  virtual int Width(const CChartPainter& painter) const = 0;
  // Draws the chart over the painter's chart height.
  virtual void Draw(CChartPainter& painter, Canvas& canvas) const = 0;
  // The bar under pixel (px, py) of the unscrolled chart, through the mapping the last drawing
  // of this kind kept; (-1, -1) is the last displayed bar.
  virtual ChartHit HitTest(const CChartPainter& painter, int px, int py) const = 0;
  // The read-out text of a hit of this kind (UTF-8).
  virtual std::string Readout(const ChartHit& hit) const = 0;
  // Tells the painter the client size of the view about to draw this kind. The period charts
  // take the client height as their chart height; window kinds keep a size of their own.
  virtual void SetClientSize(CChartPainter& painter, int width, int height) const {
    (void)width;
    painter.SetChartHeight(height);
  }
};

// Where a kind is offered.
enum class ChartKindGroup {
  kPeriod,      // the main window's period commands (daily, weekly, monthly)
  kIchimoku,    // the Ichimoku window's daily, weekly and monthly bars
  kAuxiliary,   // the kagi, new-price and reverse-watch windows
  kLineEditor,  // the trend-line editor's window
  kSignal,      // the signal chart window over the main window's stock
};

// The ids of the window kinds. The auxiliary charts take the commands that open their windows;
// the Ichimoku kinds take their period's id offset by kIchimokuKindOffset, so that the period
// the document keeps for the Ichimoku window names its row.
inline constexpr int kChartNewPrice = 32778;
inline constexpr int kChartKagi = 32779;
inline constexpr int kChartReverseWatch = 32780;
inline constexpr int kIchimokuKindOffset = 0x10000;
constexpr int IchimokuKindId(int period) { return kIchimokuKindOffset + period; }

struct ChartKindEntry {
  int id;               // command id and stored chart-kind value (window kinds: see above)
  const char* option;   // the name korvale-cli's --chart takes
  const char* caption;  // menu and status-bar text, UTF-8
  ChartKindGroup group;
  const ChartKind& kind;
};

// Every kind, in menu order.
std::span<const ChartKindEntry> ChartKinds();
// The entry of an id or of a --chart name; null when there is none.
const ChartKindEntry* FindChartKind(int id);
const ChartKindEntry* FindChartKindByOption(std::string_view option);
// The entry of an id, the daily chart's for an id no kind has (as a stored chart kind of an
// unknown value is shown).
const ChartKindEntry& ChartKindOrDaily(int id);
// The --chart names of every kind, joined by ", " (for usage texts).
std::string ChartKindOptions();

}  // namespace korvale

#endif  // KORVALE_CHARTS_CHART_KIND_H_
