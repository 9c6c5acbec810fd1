// Price histories of the sample database: the market index and its shared volatility regime,
// one factor per industry, and each stock's daily bars and weekly margin balances drawn from
// them, so that a stock's correlation with the index means something.
#ifndef KORVALE_SAMPLE_SAMPLE_PRICES_H_
#define KORVALE_SAMPLE_SAMPLE_PRICES_H_

#include <cstdint>
#include <vector>

#include "sample/sample_calendar.h"
#include "sample/sample_companies.h"

namespace korvale::sample {

struct MarketPaths {
  std::vector<double> indexReturn;  // daily log return of the index
  std::vector<double> regime;       // the index's volatility relative to its long-run level
  std::vector<std::vector<double>> industryReturn;  // [industry][day]
};

MarketPaths MakeMarketPaths(int dayCount, uint64_t seed);

// A stock's files as bytes.
struct StockFiles {
  std::vector<uint8_t> prices;  // price-file records (and any damage the profile asks for)
  std::vector<uint8_t> margin;  // margin-file records; empty without margin trading
  int32_t lastClose = 0;
};

void MakeStockFiles(const StockProfile& stock, const MarketPaths& market,
                    const std::vector<TradingDay>& days, uint64_t seed, StockFiles* out);

// The exchange's tick size and daily price limit for a price level.
int32_t TickSize(int32_t price);
int32_t PriceLimit(int32_t previousClose);

}  // namespace korvale::sample

#endif  // KORVALE_SAMPLE_SAMPLE_PRICES_H_
