#include "sample/sample_prices.h"

#include <algorithm>
#include <cmath>

#include "sample/sample_random.h"
#include "store/market_industry_tables.h"
#include "store/price_records.h"
#include "store/week_of_year.h"

namespace korvale::sample {

namespace {

constexpr int32_t kLowestSamplePrice = 5;

constexpr double kIndexSigma = 0.0125;  // long-run daily volatility of the index
constexpr int32_t kMaxInt = 2000000000;

int32_t RoundTo(double price, int32_t tick, int mode) {  // mode: 0 nearest, 1 up, -1 down
  const double units = price / tick;
  const double r = mode == 0  ? std::nearbyint(units)
                   : mode > 0 ? std::ceil(units)
                              : std::floor(units);
  return static_cast<int32_t>(std::clamp(r * tick, 1.0, 2.0e9));
}

int32_t RoundPrice(double price, int mode) {
  const int32_t tick = TickSize(static_cast<int32_t>(std::min(price, 2.0e9)));
  return RoundTo(price, tick, mode);
}

int32_t Volume(double v) { return static_cast<int32_t>(std::clamp(v, 0.0, double{kMaxInt})); }

PriceBar MakeBar(const TradingDay& d, int32_t open, int32_t high, int32_t low, int32_t close,
                 int32_t volume) {
  PriceBar b;
  b.year = d.year;
  b.month = d.month;
  b.day = d.day;
  b.open = open;
  b.high = high;
  b.low = low;
  b.close = close;
  b.volume = volume;
  return b;
}

void IndexBars(const StockProfile& s, const MarketPaths& m, const std::vector<TradingDay>& days,
               Random& rng, std::vector<PriceBar>* bars) {
  double level = s.startPrice;
  for (size_t t = 0; t < days.size(); ++t) {
    const double r = m.indexReturn[t];
    const double previous = level;
    level *= std::exp(r);
    const double open = previous * std::exp(0.3 * r + 0.002 * rng.Normal());
    const double spread = 0.35 * kIndexSigma * m.regime[t];
    const double high = std::max(open, level) * std::exp(std::fabs(rng.Normal()) * spread);
    const double low = std::min(open, level) * std::exp(-std::fabs(rng.Normal()) * spread);
    const double volume = s.baseVolume * std::exp(0.25 * rng.Normal() + 10 * std::fabs(r));
    bars->push_back(MakeBar(days[t], static_cast<int32_t>(std::lround(open)),
                            static_cast<int32_t>(std::lround(high)),
                            static_cast<int32_t>(std::lround(low)),
                            static_cast<int32_t>(std::lround(level)), Volume(volume)));
  }
}

void StockBars(const StockProfile& s, const MarketPaths& m, const std::vector<TradingDay>& days,
               Random& rng, std::vector<PriceBar>* bars) {
  const std::vector<double>& industry =
      m.industryReturn[static_cast<size_t>(std::clamp(s.industry, 0, kIndustryCount - 1))];
  int32_t prev = RoundPrice(s.startPrice, 0);
  double anchor = std::log(s.startPrice);
  double baseVolume = s.baseVolume;
  double variance = s.sigma * s.sigma;
  double lastShock = 0;
  int streak = 0;  // days left of a run of limit moves, signed by direction
  const int last = std::min(s.lastDay, static_cast<int>(days.size()));
  for (int t = s.firstDay; t < last; ++t) {
    const size_t ti = static_cast<size_t>(t);
    if (t == s.splitDay) {
      prev = std::max<int32_t>(1, prev / s.splitRatio);
      anchor -= std::log(static_cast<double>(s.splitRatio));
      baseVolume *= s.splitRatio;
    }
    // The stock's own moves cluster in volatility (GARCH(1,1)) and share the market's regime.
    variance = s.sigma * s.sigma * 0.04 + 0.06 * lastShock * lastShock + 0.90 * variance;
    const double own = std::sqrt(variance * m.regime[ti]) * rng.Normal();
    lastShock = own;
    double r = s.beta * m.indexReturn[ti] + s.industryLoading * industry[ti] + own;
    if (rng.Chance(0.003)) r += 0.07 * rng.Normal();  // news
    r -= 0.0008 * (std::log(static_cast<double>(prev)) - anchor);
    if (prev < 30) r += 0.03;
    if (streak == 0 && rng.Chance(0.0005)) streak = rng.Between(1, 3) * (rng.Chance(0.6) ? 1 : -1);
    if (streak != 0) {
      r = streak > 0 ? 0.5 : -0.5;  // far beyond the limit: the day closes at it
      streak += streak > 0 ? -1 : 1;
    }

    const int32_t limit = PriceLimit(prev);
    const int32_t ceiling = prev + limit;
    // Rounding to whole yen makes 1 yen a trap no rise escapes; a listed stock rarely trades
    // below a few yen, so the sample never goes under 5.
    const int32_t floor = std::max<int32_t>(kLowestSamplePrice, prev - limit);
    if (s.illiquid && rng.Chance(0.12)) {
      // No trade: the day is recorded flat at the previous close, now and then with no prices.
      const int32_t p = rng.Chance(0.1) ? 0 : prev;
      bars->push_back(MakeBar(days[ti], p, p, p, p, 0));
      continue;
    }
    const int32_t close = std::clamp(RoundPrice(prev * std::exp(r), 0), floor, ceiling);
    double gap = 0.4 * r + 0.25 * s.sigma * rng.Normal();
    if (rng.Chance(0.01)) gap += 0.03 * rng.Normal();
    const int32_t open = std::clamp(RoundPrice(prev * std::exp(gap), 0), floor, ceiling);
    const double spread = 0.45 * std::sqrt(variance);
    int32_t high = std::min(
        RoundPrice(std::max(open, close) * std::exp(std::fabs(rng.Normal()) * spread), 1), ceiling);
    int32_t low = std::max(
        RoundPrice(std::min(open, close) * std::exp(-std::fabs(rng.Normal()) * spread), -1), floor);
    high = std::max({high, open, close});
    low = std::min({low, open, close});
    const bool limitDay = close == ceiling || close == floor;
    if (close == ceiling) high = close;  // a stop-high day ends at its high
    if (close == floor) low = close;
    double volume = baseVolume * std::exp(0.35 * rng.Normal() + 6 * std::fabs(r));
    if (limitDay) volume *= 2.5;
    const double unit = prev < 1000 ? 1000 : 100;
    volume = std::max(unit, std::round(volume / unit) * unit);
    bars->push_back(MakeBar(days[ti], open, high, low, close, Volume(volume)));
    prev = close;
  }
}

void ApplyDamage(const StockProfile& s, Random& rng, std::vector<PriceBar>* bars) {
  const size_t n = bars->size();
  switch (s.damage) {
    case Damage::kNone:
    case Damage::kPartialRecord:
      break;
    case Damage::kSuspension:
      if (n > 300) {
        const size_t length = static_cast<size_t>(rng.Between(40, 120));
        const size_t from = n / 2;
        bars->erase(bars->begin() + static_cast<long>(from),
                    bars->begin() + static_cast<long>(from + length));
      }
      break;
    case Damage::kLeadingZeros:
      for (size_t i = 0; i < std::min<size_t>(3, n); ++i) {
        PriceBar& b = (*bars)[i];
        b.open = b.high = b.low = b.close = b.volume = 0;
      }
      break;
    case Damage::kRepeatedTail:
      if (n >= 3) {
        // The last days appended once more by an update run twice, the final two swapped.
        bars->insert(bars->end(), bars->end() - 3, bars->end());
        std::swap((*bars)[bars->size() - 1], (*bars)[bars->size() - 2]);
      }
      break;
  }
}

void MarginRecords(const StockProfile& s, const std::vector<TradingDay>& days, Random& rng,
                   std::vector<uint8_t>* out) {
  const int last = std::min(s.lastDay, static_cast<int>(days.size()));
  double buyLevel = 0, sellLevel = 0;
  const double ratio = 0.1 + 0.6 * rng.Uniform();
  for (int t = s.firstDay; t < last; ++t) {
    const TradingDay& d = days[static_cast<size_t>(t)];
    // The balances are reported as of the last trading day of each week.
    const bool weekEnds = t + 1 >= last || days[static_cast<size_t>(t + 1)].weekday <= d.weekday;
    if (!weekEnds) continue;
    buyLevel = 0.9 * buyLevel + 0.15 * rng.Normal();
    sellLevel = 0.85 * sellLevel + 0.2 * rng.Normal();
    MarginRecord rec;
    rec.year = d.year;
    rec.month = d.month;
    rec.day = d.day;
    rec.buy = Volume(s.baseVolume * 3 * std::exp(buyLevel));
    rec.sell = Volume(s.baseVolume * 3 * ratio * std::exp(sellLevel));
    const size_t at = out->size();
    out->resize(at + kMarginRecordSize);
    EncodeMarginRecord(rec, out->data() + at);
  }
}

}  // namespace

int32_t TickSize(int32_t p) {
  if (p <= 3000) return 1;
  if (p <= 5000) return 5;
  if (p <= 30000) return 10;
  if (p <= 50000) return 50;
  if (p <= 300000) return 100;
  if (p <= 500000) return 500;
  if (p <= 3000000) return 1000;
  return 5000;
}

int32_t PriceLimit(int32_t p) {
  static constexpr int32_t kSteps[][2] = {
      {100, 30},       {200, 50},        {500, 80},        {700, 100},      {1000, 150},
      {1500, 300},     {2000, 400},      {3000, 500},      {5000, 700},     {7000, 1000},
      {10000, 1500},   {15000, 3000},    {20000, 4000},    {30000, 5000},   {50000, 7000},
      {70000, 10000},  {100000, 15000},  {150000, 30000},  {200000, 40000}, {300000, 50000},
      {500000, 70000}, {700000, 100000}, {1000000, 150000}};
  for (const auto& [below, limit] : kSteps) {
    if (p < below) return limit;
  }
  return 300000;
}

MarketPaths MakeMarketPaths(int dayCount, uint64_t seed) {
  MarketPaths m;
  const size_t n = static_cast<size_t>(dayCount);
  m.indexReturn.resize(n);
  m.regime.resize(n);
  Random rng(seed, 2);
  const double longRun = kIndexSigma * kIndexSigma;
  double variance = longRun, shock = 0;
  for (size_t t = 0; t < n; ++t) {
    variance = longRun * 0.02 + 0.08 * shock * shock + 0.90 * variance;
    shock = std::sqrt(variance) * rng.Normal();
    double r = 0.00015 + shock;
    if (rng.Chance(0.0015)) r += -0.045 + 0.02 * rng.Normal();  // a crash day
    if (rng.Chance(0.001)) r += 0.04 + 0.01 * rng.Normal();     // a relief rally
    m.indexReturn[t] = r;
    m.regime[t] = variance / longRun;
  }
  m.industryReturn.resize(kIndustryCount);
  for (int k = 0; k < kIndustryCount; ++k) {
    Random ind(seed, 100 + static_cast<uint64_t>(k));
    const double sigma = 0.004 + 0.006 * ind.Uniform();
    double drift = 0;
    std::vector<double>& f = m.industryReturn[static_cast<size_t>(k)];
    f.resize(n);
    for (size_t t = 0; t < n; ++t) {
      if (t % 250 == 0) drift = 0.0004 * ind.Normal();  // a sector in or out of favour for a year
      f[t] = drift + sigma * std::sqrt(m.regime[t]) * ind.Normal();
    }
  }
  return m;
}

void MakeStockFiles(const StockProfile& s, const MarketPaths& m,
                    const std::vector<TradingDay>& days, uint64_t seed, StockFiles* out) {
  Random rng(seed, 10000 + static_cast<uint64_t>(s.code));
  std::vector<PriceBar> bars;
  bars.reserve(days.size() + 4);
  if (s.isIndex) {
    IndexBars(s, m, days, rng, &bars);
  } else {
    StockBars(s, m, days, rng, &bars);
  }
  out->lastClose = 0;
  for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
    if (it->close > 0) {
      out->lastClose = it->close;
      break;
    }
  }
  ApplyDamage(s, rng, &bars);
  out->prices.resize(bars.size() * kPriceFileRecordSize);
  for (size_t i = 0; i < bars.size(); ++i) {
    EncodeBar(bars[i], out->prices.data() + i * kPriceFileRecordSize);
  }
  if (s.damage == Damage::kPartialRecord && !bars.empty()) {
    // Half a record more: the start of the last record written again, cut short.
    const std::vector<uint8_t> stray(out->prices.end() - kPriceFileRecordSize,
                                     out->prices.end() - kPriceFileRecordSize / 2);
    out->prices.insert(out->prices.end(), stray.begin(), stray.end());
  }
  out->margin.clear();
  if (s.hasMargin) MarginRecords(s, days, rng, &out->margin);
}

}  // namespace korvale::sample
