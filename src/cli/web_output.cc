#include "cli/web_output.h"

#include <charconv>
#include <cstdio>

#include "cli/cli.h"
#include "store/cp932.h"

namespace korvale::cli {

std::string NumberText(double value) {
  char text[64];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? std::string(text, end) : "0";
}

void PrintProfile(const ProfileText& profile, bool json) {
  const std::string market = Cp932ToUtf8(profile.marketText);
  const std::string industry = Cp932ToUtf8(profile.industryText);
  if (json) {
    std::printf("\"marketText\": %s,\n\"industryText\": %s", JsonQuote(market).c_str(),
                JsonQuote(industry).c_str());
  } else {
    std::printf("marketText=%s\nindustryText=%s\n", market.c_str(), industry.c_str());
  }
}

void PrintQuote(const QuoteSummary& quote, bool json) {
  const std::pair<const char*, double> figures[] = {
      {"marketCapitalisation", quote.marketCapitalisation},
      {"earningsPerShare", quote.earningsPerShare},
      {"priceEarningsRatio", quote.priceEarningsRatio},
      {"bookValuePerShare", quote.bookValuePerShare},
      {"priceBookRatio", quote.priceBookRatio}};
  const std::string name = Cp932ToUtf8(quote.name);
  if (json) {
    std::printf("\"code\": %d,\n\"name\": %s", quote.code, JsonQuote(name).c_str());
    for (const auto& [key, value] : figures) {
      std::printf(",\n\"%s\": %s", key, NumberText(value).c_str());
    }
    return;
  }
  std::printf("code=%d\nname=%s\n", quote.code, name.c_str());
  for (const auto& [key, value] : figures) std::printf("%s=%s\n", key, NumberText(value).c_str());
}

void PrintTableRows(const CPriceTablePage& page, bool json) {
  if (json) std::printf("\"rows\": [");
  for (int i = 0; i < page.rowCount; ++i) {
    const PriceTableRow& r = page.rows[static_cast<size_t>(i)];
    if (json) {
      std::printf(
          "%s\n  {\"year\": %d, \"month\": %d, \"day\": %d, \"open\": %d, \"high\": %d, "
          "\"low\": %d, \"close\": %d, \"volume\": %d}",
          i ? "," : "", r.year, r.month, r.day, r.open, r.high, r.low, r.close, r.volume);
    } else {
      std::printf("%04d/%02d/%02d %d %d %d %d %d\n", r.year, r.month, r.day, r.open, r.high, r.low,
                  r.close, r.volume);
    }
  }
  if (json) std::printf("\n]");
}

}  // namespace korvale::cli
