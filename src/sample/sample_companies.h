// The companies of the sample database: which codes exist, their names, markets, industries,
// descriptive texts and figures, and the parameters their price histories are drawn with.
#ifndef KORVALE_APP_SAMPLE_COMPANIES_H_
#define KORVALE_APP_SAMPLE_COMPANIES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace korvale::sample {

inline constexpr int kIndexCode = 1010;

// How a stock's history is damaged, as real files are now and then.
enum class Damage {
  kNone,
  kSuspension,     // months without a record in the middle
  kLeadingZeros,   // empty records (no prices, no volume) before the first trade
  kRepeatedTail,   // the last days appended twice, one of them out of order
  kPartialRecord,  // a few stray bytes after the last record
};

struct StockProfile {
  int code = 0;
  int market = 0;
  int industry = 0;
  std::string name;   // cp932, as stored in the dictionary
  std::string text1;  // cp932 descriptive texts
  std::string text2;
  bool isIndex = false;
  bool inDictionary = true;  // false: prices stored, but the dictionary does not know it
  bool archived = false;     // kept in the Archive folder instead of the thousand-block
  bool hasMargin = false;
  // Price model.
  double beta = 1.0;             // loading on the index's daily return
  double industryLoading = 0.5;  // loading on the industry's daily factor
  double sigma = 0.02;           // long-run daily volatility of the stock's own moves
  double startPrice = 500;
  double baseVolume = 100000;
  bool illiquid = false;  // often no trade at all
  int firstDay = 0;       // trading-day index of the first record
  int lastDay = 0;        // one past the last
  Damage damage = Damage::kNone;
  int splitDay = -1;  // a stock split (prices divided, volume multiplied) from that day
  int splitRatio = 1;
  // Figures of the information panel, from the last close.
  double sharesMillions = 10;
  double per = 15;
  double pbr = 1;
  bool loss = false;
};

struct SampleUniverse {
  std::vector<StockProfile> stocks;          // ascending codes; the index stock among them
  std::vector<StockProfile> dictionaryOnly;  // listed in the dictionary, no prices stored
};

// True when the cp932 name holds a half-width katakana character.
bool HasHalfWidthKana(const std::string& name);

// The universe of `stockCount` stocks (the index stock included) over `dayCount` trading days.
SampleUniverse MakeUniverse(int stockCount, int dayCount, uint64_t seed);

}  // namespace korvale::sample

#endif  // KORVALE_APP_SAMPLE_COMPANIES_H_
