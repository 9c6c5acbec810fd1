// What the three time-independent charts of the daily closes (kagi, new-price, reverse-watch)
// share: the first bar they use, the positive closes they are built from, the one parameter
// their window's slider sets, and the chart-kind base that draws over the client size the
// window stored in the painter.
#ifndef KORVALE_CHARTS_AUXILIARY_CHART_H_
#define KORVALE_CHARTS_AUXILIARY_CHART_H_

#include <cstdint>
#include <vector>

#include "charts/chart_kind.h"
#include "store/price_records.h"
#include "store/settings_record.h"

namespace korvale {

// The first bar a chart uses: count - spanDays - 2, or 0 when that is negative or `allPeriod`
// is set.
int AuxiliaryFirstBar(int count, int spanDays, bool allPeriod);

// A close and the series index of its bar.
struct BarClose {
  int bar = 0;
  int32_t close = 0;
};

// The closes above 0 of bars[first .. count), in order. A bar without a price (a close of 0 or
// less) is no point of a kagi line or a new-price box.
std::vector<BarClose> PositiveClosesFrom(const PriceBar* bars, int count, int first);

// The slider of a kind's window: its range and the value the settings give it.
struct AuxiliaryParameter {
  int low = 1;
  int high = 1;
  int value = 1;
};

// The parameter of kind `kindId` (kChartKagi, kChartNewPrice or kChartReverseWatch): kagi the
// reversal amount in percent (1-100, kagiReversalPercent) when kagiReversalMode is set, else in
// yen (1-500, kagiReversalYen); new-price the reversal lines (1-10); reverse-watch the
// moving-average days (1-100). A value is reported as stored, even outside the range. Any other
// kind: {1, 1, 1}.
AuxiliaryParameter AuxiliaryParameterOf(const SettingsRecord& settings, int kindId);
// Stores `value` in the field AuxiliaryParameterOf reads for the kind (nothing for another
// kind). The value is not checked against the range.
void SetAuxiliaryParameter(SettingsRecord* settings, int kindId, int value);
// The slider moved: the painter's copy of the settings takes the value (the application's
// record is left alone) and the painter lays out again.
void SetAuxiliaryParameter(CChartPainter& painter, int kindId, int value);

struct PaneTools;
// The grid of the kagi and new-price charts: in slot 11 dotted lines across the mapper's
// `xSpan` at GridRound(low + range/3) and GridRound(low + 2*range/3), each standing at its price
// less `low` plus `yOffset`, and their prices as "%d円" at the left edge in colours 1 on 0.
void DrawAuxiliaryGrid(const PaneTools& t, int64_t low, int64_t range, double xSpan,
                       double yOffset);

// The start the three drawings share: the chart begun over the client size stored for kind
// `kindId` with its background slot, the label colours (1 on 0) selected. Returns that size.
CChartPainter::ClientSize BeginAuxiliaryChart(CChartPainter& painter, Canvas& canvas,
                                              CChartMapper* mapper, int kindId, int backgroundSlot);

// The chart kind of the three charts: it attaches as the daily chart does, is as wide as the
// client area its window stored, has no read-out, and draws with `draw`.
class AuxiliaryChart : public ChartKind {
 public:
  using DrawFunction = void (*)(CChartPainter& painter, Canvas& canvas);
  AuxiliaryChart(int id, DrawFunction draw) : id_(id), draw_(draw) {}
  void Attach(CChartPainter& painter, CPriceSeries& series) const override;
  int Width(const CChartPainter& painter) const override;
  void Draw(CChartPainter& painter, Canvas& canvas) const override { draw_(painter, canvas); }
  ChartHit HitTest(const CChartPainter& painter, int px, int py) const override;
  std::string Readout(const ChartHit& hit) const override;
  void SetClientSize(CChartPainter& painter, int width, int height) const override;

 private:
  int id_;
  DrawFunction draw_;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_AUXILIARY_CHART_H_
