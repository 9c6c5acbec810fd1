// Correlation of a stock's closes with the market index's, and the stock's relative line
// against the index, as the index-correlation panes show them.
#ifndef KORVALE_CHARTS_INDEX_CORRELATION_H_
#define KORVALE_CHARTS_INDEX_CORRELATION_H_

#include <vector>

#include "store/price_series.h"

namespace korvale {

// Daily: over the last d = min(windowCount, index bar count) bars, the two series paired by
// position from their last bars, the Pearson correlation of the n pairs of closes ending at each
// bar, and the relative line against the bar of highest correlation, scaled into -1 .. 1. d is
// lowered until both series hold d + n bars. Results are series-indexed into arrays of
// stock.barCount() + 1 entries; entries without a value (and everything when nothing can be
// computed) hold kIndexValueMissing.
void DailyIndexCorrelation(const CPriceSeries& stock, int windowCount, const CPriceSeries& index,
                           int n, std::vector<double>* correlation, std::vector<double>* relative);

// Weekly: for each weekly bar from weeklyStart for weeklyCount bars, the correlation of the
// daily closes of the `weeks` * 5 daily bars ending at the week's date in both series (a week
// whose date neither series has a daily bar for has no value), and the relative line likewise.
// Indexed by weekly bar into arrays of stock.weekCount() + 1 entries.
void WeeklyIndexCorrelation(const CPriceSeries& stock, int weeklyStart, int weeklyCount,
                            const CPriceSeries& index, int weeks, std::vector<double>* correlation,
                            std::vector<double>* relative);

}  // namespace korvale

#endif  // KORVALE_CHARTS_INDEX_CORRELATION_H_
