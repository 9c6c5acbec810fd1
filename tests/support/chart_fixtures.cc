#include "support/chart_fixtures.h"

#include <algorithm>
#include <random>

#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale::testing {

SettingsRecord QuietChartSettings(int span) {
  SettingsRecord s = DefaultSettings();
  s.dailySpanDays = static_cast<int16_t>(span);
  s.dailyAutoPeriod = 0;
  s.dailyShowVolume = s.dailyShowMa = s.dailyShowVolumeMa = 0;
  s.dailyShowRci = s.dailyShowMacd = s.dailyShowCci = 0;
  s.dailyShowBollinger = s.dailyShowParabolic = 0;
  s.weeklyShowVolume = s.weeklyShowMa = 0;
  s.monthlyShowVolume = s.monthlyShowMa = 0;
  return s;
}

void TurnEveryPaneOn(SettingsRecord* s) {
  s->dailyShowDeviation = s->dailyShowOscillator = s->dailyShowPsychological = 1;
  s->dailyShowRci = s->dailyShowRsi = s->dailyShowVolumeRatio = s->dailyShowStochastics = 1;
  s->dailyShowMacd = s->dailyShowObv = s->dailyShowDmi = s->dailyShowCci = 1;
  s->useIndexAnalysis = s->dailyIndexAnalysis = s->weeklyIndexAnalysis = 1;
  s->weeklyShowDeviation = s->weeklyShowOscillator = s->weeklyShowMomentum = 1;
  s->weeklyShowMargin = s->weeklyShowStochastics = 1;
  s->dailyShowPriceVolumeHistogram = 1;
  s->dailyShowVolume = s->dailyShowMa = s->dailyShowVolumeMa = 1;
  s->dailyShowBollinger = s->dailyShowParabolic = 1;
  s->weeklyShowVolume = s->weeklyShowMa = s->weeklyShowVolumeMa = 1;
  s->monthlyShowVolume = s->monthlyShowMa = s->monthlyShowVolumeMa = 1;
}

std::vector<PriceBar> WalkBars(int count, int32_t start, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<int32_t> closes;
  int32_t close = start;
  for (int i = 0; i < count; ++i) {
    close = std::max<int32_t>(10, close + static_cast<int32_t>(rng() % 41) - 20);
    closes.push_back(close);
  }
  std::vector<PriceBar> bars = WeekdayBars(2000, 1, 3, closes);
  for (size_t i = 0; i < bars.size(); ++i) {
    PriceBar& b = bars[i];
    b.open = i > 0 ? bars[i - 1].close : b.close;
    b.high = std::max(b.open, b.close) + static_cast<int32_t>(rng() % 15);
    b.low = std::max<int32_t>(1, std::min(b.open, b.close) - static_cast<int32_t>(rng() % 15));
    b.volume = 1000 + static_cast<int32_t>(rng() % 9000);
  }
  return bars;
}

std::vector<PriceBar> FlatCloses(const std::vector<int32_t>& closes,
                                 const std::vector<int32_t>& volumes) {
  std::vector<PriceBar> bars = WeekdayBars(2006, 1, 9, closes);
  for (size_t i = 0; i < volumes.size() && i < bars.size(); ++i) bars[i].volume = volumes[i];
  return bars;
}

TrendLine TrendLineOf(int32_t index1, int32_t price1, int32_t index2, int32_t price2,
                      int32_t kind, uint8_t unresolved) {
  TrendLine line;
  line.index1 = index1;
  line.price1 = price1;
  line.index2 = index2;
  line.price2 = price2;
  line.kind = kind;
  line.unresolved = unresolved;
  return line;
}

std::vector<CanvasOp> LinesOfColour(const RecordingCanvas& canvas, Rgb colour) {
  std::vector<CanvasOp> out;
  for (const CanvasOp& op : canvas.ops()) {
    if (op.kind == CanvasOp::kLine && op.pen.colour == colour) out.push_back(op);
  }
  return out;
}

}  // namespace korvale::testing
