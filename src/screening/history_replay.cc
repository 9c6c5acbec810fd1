#include "screening/history_replay.h"

#include "screening/replay_families.h"

namespace korvale {

namespace replay {

struct ReplayState {
  const CPriceSeries* series = nullptr;
  SettingsRecord settings{};
  bool useIndex = false;
  ReplayBars bars;
  PriceFamily price;
  OscillatorFamily oscillators;
  IchimokuFamily ichimoku;
  TrendFamily trend;
  MacdFamily macd;
  IndexFamily index;
};

}  // namespace replay

CHistoryReplay::CHistoryReplay() : state_(std::make_unique<replay::ReplayState>()) {}

CHistoryReplay::~CHistoryReplay() = default;

void CHistoryReplay::Reset(const CPriceSeries& series, const SettingsRecord& settings,
                           const CPriceSeries* index) {
  replay::ReplayState& s = *state_;
  s.series = &series;
  s.settings = settings;
  s.useIndex = settings.useIndexAnalysis != 0 && index != nullptr;
  s.bars.Reset(series);
  s.price.Reset(s.bars, s.settings);
  s.oscillators.Reset(s.bars, s.settings);
  s.ichimoku.Reset(s.bars, s.settings);
  s.trend.Reset(s.bars, s.settings);
  s.macd.Reset(s.bars, s.settings);
  s.index.Reset(s.bars, s.settings, s.useIndex ? index : nullptr);
}

void CHistoryReplay::RecordAt(int32_t count, int32_t identifier, AnalysisRecord* out) {
  replay::ReplayState& s = *state_;
  AnalysisRecord rec;  // every field starts at its invalid value
  rec.stockIndex = identifier;
  // The groups in the order of ComputeAnalysisRecord: the oscillator reads the averages.
  s.price.Fill(count, &rec);
  s.oscillators.Fill(count, &rec);
  s.ichimoku.Fill(count, &rec);
  analysis::ComputeTrendLineField(*s.series, s.bars.Cut(count), &rec);
  s.trend.Fill(count, &rec);
  s.macd.Fill(count, &rec);
  if (s.useIndex) s.index.Fill(count, &rec);
  *out = rec;
}

}  // namespace korvale
