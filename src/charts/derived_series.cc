// The derived series the painter fills on attach: the values the detail panel reads at a bar,
// and the index correlations the index panes draw.
#include <algorithm>

#include "charts/chart_indicators.h"
#include "charts/chart_numerics.h"
#include "charts/chart_painter.h"
#include "charts/index_correlation.h"
#include "indicators/shared_indicators.h"

namespace korvale {

namespace {

// Fills out[i] for i from n on (and n below the bar count) with the shared routine.
void FillFromPeriod(const PriceBar* bars, int count, int n,
                    double (*indicator)(const PriceBar*, int, int), std::vector<double>* out) {
  if (n < 1 || n >= count) return;
  for (int i = n; i < count; ++i) (*out)[i] = indicator(bars, i, n);
}

}  // namespace

void CChartPainter::FillDerivedSeries() {
  const int count = dailyCount_;
  for (auto& d : derived_) d.assign(static_cast<size_t>(count) + 1, 0.0);
  if (!series_) return;
  const PriceBar* bars = series_->bars.data();
  const SettingsRecord& s = settings_;

  std::vector<double> ma;
  MovingAverage(bars, count, s.dailyMaLong, kFieldClose, &ma);
  std::copy(ma.begin(), ma.end(), derived_[kDerivedMaLong].begin());
  MovingAverage(bars, count, s.dailyMaShort, kFieldClose, &ma);
  std::copy(ma.begin(), ma.end(), derived_[kDerivedMaShort].begin());

  FillFromPeriod(bars, count, s.rciPeriod1, RankCorrelation, &derived_[kDerivedRci1]);
  FillFromPeriod(bars, count, s.rciPeriod2, RankCorrelation, &derived_[kDerivedRci2]);
  FillFromPeriod(bars, count, s.rsiPeriod1, RelativeStrength, &derived_[kDerivedRsi1]);
  FillFromPeriod(bars, count, s.rsiPeriod2, RelativeStrength, &derived_[kDerivedRsi2]);
  FillFromPeriod(bars, count, s.volumeRatioPeriod, VolumeRatio, &derived_[kDerivedVolumeRatio]);

  // Stochastics in percent, as the detail panel shows them; bars without a value stay 0.
  std::vector<double> k, d;
  StochasticsSeries(bars, count, s.stochasticsPeriod, s.stochasticsSumPeriod, 0, &k, &d);
  for (int i = 0; i < count; ++i) {
    if (HasValue(k[i])) derived_[kDerivedStochK][i] = k[i] * 100;
    if (HasValue(d[i])) derived_[kDerivedStochD][i] = d[i] * 100;
  }

  for (int which : {kDerivedDailyRelative, kDerivedDailyCorrelation}) {
    derived_[which].assign(static_cast<size_t>(count) + 1, kIndexValueMissing);
  }
  for (int which : {kDerivedWeeklyRelative, kDerivedWeeklyCorrelation}) {
    derived_[which].assign(static_cast<size_t>(std::max(series_->weekCount(), 0)) + 1,
                           kIndexValueMissing);
  }
  if (!s.useIndexAnalysis || !indexSeries_) return;
  if (s.dailyIndexAnalysis) {
    DailyIndexCorrelation(*series_, windowCount_, *indexSeries_, s.dailyIndexPeriod,
                          &derived_[kDerivedDailyCorrelation], &derived_[kDerivedDailyRelative]);
  }
  if (s.weeklyIndexAnalysis) {
    WeeklyIndexCorrelation(*series_, weeklyStart_, weeklyCount_, *indexSeries_, s.weeklyIndexPeriod,
                           &derived_[kDerivedWeeklyCorrelation], &derived_[kDerivedWeeklyRelative]);
  }
}

}  // namespace korvale
