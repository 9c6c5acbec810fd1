#include "charts/auxiliary_chart.h"

#include <algorithm>

#include "charts/chart_numerics.h"
#include "charts/pane_drawing.h"

namespace korvale {

int AuxiliaryFirstBar(int count, int spanDays, bool allPeriod) {
  const int64_t s = int64_t{count} - spanDays - 2;
  return allPeriod || s < 0 ? 0 : static_cast<int>(s);
}

std::vector<BarClose> PositiveClosesFrom(const PriceBar* bars, int count, int first) {
  std::vector<BarClose> closes;
  for (int i = std::max(first, 0); i < count; ++i) {
    if (bars[i].close > 0) closes.push_back({i, bars[i].close});
  }
  return closes;
}

AuxiliaryParameter AuxiliaryParameterOf(const SettingsRecord& s, int kindId) {
  switch (kindId) {
    case kChartKagi:
      return s.kagiReversalMode ? AuxiliaryParameter{1, 100, s.kagiReversalPercent}
                                : AuxiliaryParameter{1, 500, s.kagiReversalYen};
    case kChartNewPrice:
      return {1, 10, s.newPriceReversalLines};
    case kChartReverseWatch:
      return {1, 100, s.reverseWatchMaDays};
    default:
      return {};
  }
}

void SetAuxiliaryParameter(SettingsRecord* s, int kindId, int value) {
  // The 16-bit fields take what fits; the slider never goes beyond 500.
  const int16_t small = static_cast<int16_t>(std::clamp(value, -32768, 32767));
  switch (kindId) {
    case kChartKagi:
      if (s->kagiReversalMode) {
        s->kagiReversalPercent = value;
      } else {
        s->kagiReversalYen = value;
      }
      break;
    case kChartNewPrice:
      s->newPriceReversalLines = small;
      break;
    case kChartReverseWatch:
      s->reverseWatchMaDays = small;
      break;
    default:
      break;
  }
}

void SetAuxiliaryParameter(CChartPainter& painter, int kindId, int value) {
  SettingsRecord s = painter.settings();
  SetAuxiliaryParameter(&s, kindId, value);
  painter.ReplaceSettings(s);
}

void DrawAuxiliaryGrid(const PaneTools& t, int64_t low, int64_t range, double xSpan,
                       double yOffset) {
  const int64_t grid[] = {GridRound(low + range / 3), GridRound(low + 2 * range / 3)};
  t.palette.SelectColour(t.canvas, kSlotAuxiliaryGrid);
  for (int64_t g : grid) {
    const double y = static_cast<double>(g - low) + yOffset;
    t.mapper.DottedLine(0, y, xSpan, y);
  }
  t.palette.SelectTextColours(t.canvas, kSlotForeground, kSlotBackground);
  for (int64_t g : grid) {
    t.mapper.MoveTo(0, static_cast<double>(g - low) + yOffset);
    t.mapper.Label(StringPrintf("%lld円", static_cast<long long>(g)));
  }
}

CChartPainter::ClientSize BeginAuxiliaryChart(CChartPainter& painter, Canvas& canvas,
                                              CChartMapper* mapper, int kindId,
                                              int backgroundSlot) {
  const CChartPainter::ClientSize size = painter.clientSize(kindId);
  painter.BeginChart(canvas, mapper, backgroundSlot, size.width, size.height);
  painter.SelectTextColours(canvas, kSlotForeground, kSlotBackground);
  return size;
}

void AuxiliaryChart::Attach(CChartPainter& painter, CPriceSeries& series) const {
  painter.Attach(series, kChartDaily);
}

int AuxiliaryChart::Width(const CChartPainter& painter) const {
  return painter.clientSize(id_).width;
}

ChartHit AuxiliaryChart::HitTest(const CChartPainter&, int, int) const { return {}; }

std::string AuxiliaryChart::Readout(const ChartHit&) const { return " "; }

void AuxiliaryChart::SetClientSize(CChartPainter& painter, int width, int height) const {
  painter.SetClientSize(id_, width, height);
}

}  // namespace korvale
