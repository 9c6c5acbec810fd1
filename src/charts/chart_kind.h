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
};

// Where a kind is offered.
enum class ChartKindGroup {
  kPeriod,  // the main window's period commands (daily, weekly, monthly)
  kWindow,  // a window of its own over the main window's stock (the signal chart)
};

struct ChartKindEntry {
  int id;               // command id and stored chart-kind value
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
