#include "acquisition/quote_service_pages.h"

#include <cmath>
#include <cstdio>

#include "store/cp932.h"
#include "store/market_industry_tables.h"

namespace korvale {

namespace {

constexpr int kRowsPerPage = 50;

// "1,234,567" for a whole number.
std::string WithCommas(long long value) {
  const bool negative = value < 0;
  std::string digits = std::to_string(negative ? -value : value);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return negative ? "-" + out : out;
}

std::string Figure(double value) {
  if (value == 0 || !std::isfinite(value)) return "---";
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// The page's own words are written in UTF-8 here and go out in EUC-JP.
std::string Euc(const char* utf8) { return SjisToEuc(Utf8ToCp932(utf8)); }

const char kHead[] =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">"
    "</head><body>\n";
const char kTail[] = "</body></html>\n";

}  // namespace

std::string SjisToEuc(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size());
  for (size_t i = 0; i < sjis.size(); ++i) {
    const unsigned char s1 = static_cast<unsigned char>(sjis[i]);
    if (s1 < 0x80) {
      out += static_cast<char>(s1);
      continue;
    }
    if (s1 >= 0xA1 && s1 <= 0xDF) {  // half-width katakana
      out += static_cast<char>(0x8E);
      out += static_cast<char>(s1);
      continue;
    }
    const bool lead = (s1 >= 0x81 && s1 <= 0x9F) || (s1 >= 0xE0 && s1 <= 0xEF);
    const unsigned char s2 = i + 1 < sjis.size() ? static_cast<unsigned char>(sjis[i + 1]) : 0;
    if (!lead || s2 < 0x40 || s2 == 0x7F || s2 > 0xFC) {
      out += '?';
      continue;
    }
    ++i;
    const int k = s1 - (s1 <= 0x9F ? 0x70 : 0xB0);
    int row, cell;
    if (s2 >= 0x9F) {
      row = 2 * k;
      cell = s2 - 0x7E;
    } else {
      row = 2 * k - 1;
      cell = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
    }
    out += static_cast<char>(row | 0x80);
    out += static_cast<char>(cell | 0x80);
  }
  return out;
}

std::string FetchListLineOf(const ServedStock& stock) {
  const DictionaryFileRecord& r = stock.record;
  char code[16];
  std::snprintf(code, sizeof code, "%04d", r.code);
  return stock.symbol + "," + code + "," + MarketName(r.market) + "," + FieldText(r.name) + "\r\n";
}

std::string ProfilePageOf(const ServedStock& stock) {
  const DictionaryFileRecord& r = stock.record;
  std::string market = FieldText(r.text1);
  std::string industry = FieldText(r.text2);
  if (market.empty()) market = MarketName(r.market);
  if (industry.empty()) industry = IndustryName(r.industry & 0xFF);
  char title[64];
  std::snprintf(title, sizeof title, "<h1>%04d ", r.code);
  return kHead + (title + SjisToEuc(FieldText(r.name))) + "</h1>\n<table>\n<TR><TD>" +
         Euc("【市場名】") + SjisToEuc(market) + "</TD></TR>\n<TR><TD>" + Euc("【業種分類】") +
         SjisToEuc(industry) + "</TD></TR>\n</table>\n" + kTail;
}

std::string QuotePageOf(const ServedStock& stock, int32_t lastClose) {
  const DictionaryFileRecord& r = stock.record;
  const double* f = r.figures;
  std::string page = kHead;
  page += "<table>\n<tr>";
  for (const char* title : {"コード", "市場", "名称", "時刻", "取引値", "時価総額", "1株利益",
                            "株価収益率", "1株株主資本", "純資産倍率"}) {
    page += "<td>" + Euc(title) + "</td>";
  }
  char code[16];
  std::snprintf(code, sizeof code, "%04d", r.code);
  const std::string cap =
      f[0] == 0 || !std::isfinite(f[0])
          ? "---"
          : WithCommas(static_cast<long long>(std::trunc(f[0]))) + Euc("百万円");
  page += "</tr>\n<tr><td><a href=\"/q?s=" + std::string(code) + "&d=t\">" + code + "</a></td>";
  page += "<td>" + SjisToEuc(MarketName(r.market)) + "</td>";
  page += "<td><b>" + SjisToEuc(FieldText(r.name)) + "</b></td>";
  page += "<td>15:00</td><td><b>" + WithCommas(lastClose) + "</b></td>";
  page += "<td>" + cap + "</td>";
  for (int i = 1; i < 5; ++i) page += "<td>" + Figure(f[i]) + "</td>";
  page += "</tr>\n</table>\n";
  return page + kTail;
}

std::string PriceTablePageOf(const std::vector<PriceBar>& bars, int32_t startKey, int32_t endKey,
                             int offset) {
  std::string page = kHead;
  page += "<table>\n<tr>";
  for (const char* title : {"日付", "始値", "高値", "安値", "終値", "出来高", "調整後終値*"}) {
    page += "<th>" + Euc(title) + "</th>";
  }
  page += "</tr>\n";
  int skipped = 0, rows = 0;
  for (auto bar = bars.rbegin(); bar != bars.rend() && rows < kRowsPerPage; ++bar) {
    const int32_t key = DateKey(*bar);
    if (key > endKey) continue;
    if (key < startKey) break;
    if (skipped++ < offset) continue;
    char date[64];
    std::snprintf(date, sizeof date, "%d年%d月%d日", bar->year, bar->month, bar->day);
    page += "<tr align=right bgcolor=\"#ffffff\"><td>" + Euc(date) + "</td>";
    for (int32_t v : {bar->open, bar->high, bar->low, bar->close, bar->volume, bar->close}) {
      page += "<td>" + WithCommas(v) + "</td>";
    }
    page += "</tr>\n";
    ++rows;
  }
  page += "</table>\n";
  return page + kTail;
}

}  // namespace korvale
