#include "screening/backtest.h"

#include "screening/condition_catalogue.h"

namespace korvale {

ValidationParams DefaultValidationParams(int year, int month) {
  ValidationParams p;
  p.fromYear = p.toYear = year;
  p.fromMonth = p.toMonth = month;
  return p;
}

bool InValidationPeriod(const PriceBar& bar, const ValidationParams& p) {
  if (p.wholePeriod) return true;
  const int year = bar.year, month = bar.month;
  if (year < p.fromYear || year > p.toYear) return false;
  if (year == p.fromYear && month < p.fromMonth) return false;
  if (year == p.toYear && month > p.toMonth) return false;
  return true;
}

BarOutcome MeasureOutcome(const PriceBar* bars, int32_t i, const ValidationParams& p) {
  BarOutcome o;
  const double base = bars[i].close;
  // A change from a close of 0 (or a damaged negative one) is no percentage at all.
  if (!(base > 0)) return o;
  const double rise = p.riseFactor(), fall = p.fallFactor();
  auto judge = [&](int32_t k) {
    const double x = bars[i + k].close / base;
    if (x >= rise) {
      o.rise = true;
    } else if (x <= fall) {
      o.fall = true;
    }
  };
  if (p.afterMode) {
    judge(p.horizonDays);
  } else {
    for (int32_t k = 1; k <= p.horizonDays; ++k) judge(k);
  }
  return o;
}

void CountOutcome(const BarOutcome& outcome, OutcomeCounters* c) {
  ++c->events;
  if (outcome.rise || outcome.fall) {
    if (outcome.rise) ++c->rises;
    if (outcome.fall) ++c->falls;
  } else {
    ++c->neutrals;
  }
}

bool BacktestStock(const CPriceSeries& series, const ValidationParams& params,
                   const std::vector<ConditionSet>& rules, const SettingsRecord& settings,
                   const CPriceSeries* index, CHistoryReplay* replay, OutcomeCounters* counters) {
  const int32_t count = series.barCount();
  if (count < kBacktestMinBars || !series.HasTradedShare(params.tradedPercent)) return false;
  if (params.horizonDays < 0) return false;  // no such horizon; the dialog refuses it
  replay->Reset(series, settings, index);
  const PriceBar* bars = series.bars.data();
  const int64_t end = int64_t{count} - params.horizonDays - 1;
  const size_t ruleCount = rules.size();
  AnalysisRecord record;
  for (int32_t i = kBacktestFirstBar; i < end; ++i) {
    if (!InValidationPeriod(bars[i], params)) continue;
    replay->RecordAt(i, i, &record);
    const BarOutcome outcome = MeasureOutcome(bars, i, params);
    CountOutcome(outcome, &counters[0]);
    for (size_t j = 0; j < ruleCount; ++j) {
      if (CountedByValidation(rules[j], record)) CountOutcome(outcome, &counters[j + 1]);
    }
  }
  return true;
}

}  // namespace korvale
