#include "store/bulk_price_text.h"

#include "store/number_fields.h"

namespace korvale {

namespace {

constexpr const char kMarketLetters[] = "ATtOoNnFSQHMY";  // markets 0-12

// The field from `*pos` to the next comma (or the line's end); `*pos` moves past the comma.
std::string_view NextField(std::string_view line, size_t* pos) {
  const size_t start = *pos;
  const size_t comma = line.find(',', start);
  const size_t end = comma == std::string_view::npos ? line.size() : comma;
  *pos = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
  return line.substr(start, end - start);
}

}  // namespace

char BulkMarketLetter(int market) {
  return market >= 0 && market <= 12 ? kMarketLetters[market] : 'A';
}

void AppendBulkHeader(std::string* out, int market, int code, const std::string& nameCp932) {
  out->push_back(BulkMarketLetter(market));
  AppendDecimal(out, code);
  *out += ", \"";
  *out += nameCp932;
  *out += "\"\r\n";
}

void AppendBulkBarLine(std::string* out, const PriceBar& bar) {
  AppendDecimal(out, bar.year < 2000 ? bar.year - 1900 : bar.year - 2000, 2);
  AppendDecimal(out, bar.month, 2);
  AppendDecimal(out, bar.day, 2);
  for (int32_t v : {bar.open, bar.high, bar.low, bar.close}) {
    out->push_back(',');
    AppendDecimal(out, v);
  }
  out->push_back(',');
  AppendDecimal(out, int64_t{bar.volume} * 100);
  *out += "\r\n";
}

bool ParseBulkHeader(std::string_view line, int* code, std::string* nameCp932) {
  if (line.empty()) return false;
  size_t p = 1;
  int32_t value;
  if (!ReadInt32(line, &p, &value) || p >= line.size() || line[p] != ',') return false;
  *code = value;
  nameCp932->clear();
  const size_t open = line.find('"', p);
  if (open != std::string_view::npos) {
    const size_t close = line.find('"', open + 1);
    const size_t end = close == std::string_view::npos ? line.size() : close;
    nameCp932->assign(line.substr(open + 1, end - open - 1));
  }
  return true;
}

bool ParseBulkBarLine(std::string_view line, PriceBar* bar) {
  size_t p = 0;
  const std::string_view date = NextField(line, &p);
  if (date.size() != 6) return false;
  int d[3];
  for (int i = 0; i < 3; ++i) {
    const char hi = date[2 * i], lo = date[2 * i + 1];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return false;
    d[i] = (hi - '0') * 10 + (lo - '0');
  }
  if (d[1] < 1 || d[1] > 12 || d[2] < 1 || d[2] > 31) return false;
  int32_t prices[4];
  for (int32_t& price : prices) {
    if (p > line.size()) return false;
    const std::string_view field = NextField(line, &p);
    size_t q = 0;
    if (!ReadInt32(field, &q, &price)) return false;
  }
  int32_t volume = 0;
  if (p <= line.size()) {
    const std::string_view field = NextField(line, &p);
    size_t q = 0;
    double real;
    if (ReadReal(field, &q, &real) && !TruncateToInt32(real / 100, &volume)) return false;
  }
  *bar = PriceBar();
  bar->year = static_cast<int16_t>(d[0] < 70 ? 2000 + d[0] : 1900 + d[0]);
  bar->month = static_cast<int8_t>(d[1]);
  bar->day = static_cast<int8_t>(d[2]);
  bar->open = prices[0];
  bar->high = prices[1];
  bar->low = prices[2];
  bar->close = prices[3];
  bar->volume = volume;
  return true;
}

}  // namespace korvale
