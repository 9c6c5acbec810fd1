#include "sample/sample_import_files.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <set>

#include "sample/sample_calendar.h"
#include "sample/sample_database.h"
#include "sample/sample_prices.h"
#include "sample/sample_random.h"
#include "store/cp932.h"
#include "store/file_io.h"
#include "store/market_industry_tables.h"

namespace korvale {

namespace fs = std::filesystem;
using sample::StockProfile;
using sample::TradingDay;

namespace {

// The import days: the first five trading days after the sample's last year.
constexpr int kImportDays = 5;
// Which form each import day's file has, in day order: the plug-in's DOS form first, so that
// the sample's default source (the plug-in) continues the stored history without a gap.
enum class DailyForm { kDos, kEightDigit, kSixDigit, kQuoted, kNamed };
constexpr DailyForm kFormOfDay[kImportDays] = {DailyForm::kDos, DailyForm::kEightDigit,
                                               DailyForm::kSixDigit, DailyForm::kQuoted,
                                               DailyForm::kNamed};
constexpr uint64_t kImportStream = 0x1A0000;
constexpr uint64_t kNewListingStream = 0x1B0000;

struct DailyBar {
  int32_t open, high, low, close, volume;
};

struct ImportStock {
  int code;
  int market;
  std::string name;  // cp932, without commas or tabs
  DailyBar bars[kImportDays];
};

int32_t OnTick(double price) {
  const int32_t p = std::max<int32_t>(1, static_cast<int32_t>(std::lround(price)));
  const int32_t tick = sample::TickSize(p);
  return std::max(tick, p / tick * tick);
}

// Five days continuing a close: a small random walk within the daily limit, on the tick.
void DrawDays(uint64_t seed, uint64_t stream, int32_t lastClose, double sigma, double baseVolume,
              DailyBar* bars) {
  sample::Random rng(seed, stream);
  int32_t previous = lastClose;
  for (int d = 0; d < kImportDays; ++d) {
    const int32_t limit = sample::PriceLimit(previous);
    auto bounded = [&](double p) {
      return std::clamp(OnTick(p), std::max<int32_t>(1, previous - limit), previous + limit);
    };
    const int32_t open = bounded(previous * std::exp(0.3 * sigma * rng.Normal()));
    const int32_t close = bounded(previous * std::exp(sigma * rng.Normal()));
    const int32_t high = bounded(std::max(open, close) * (1 + 0.5 * sigma * rng.Uniform()));
    const int32_t low = bounded(std::min(open, close) * (1 - 0.5 * sigma * rng.Uniform()));
    const double volume = baseVolume * std::exp(0.5 * rng.Normal());
    bars[d] = {open, std::max({open, close, high}), std::min({open, close, low}), close,
               static_cast<int32_t>(std::clamp(volume, 1.0, 2.0e9))};
    previous = close;
  }
}

std::string CleanName(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (c == ',' || c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

std::string DailyFile(DailyForm form, const TradingDay& day, const std::vector<ImportStock>& stocks,
                      int d) {
  const int y = day.year, m = day.month, dd = day.day;
  const std::string columns = Utf8ToCp932("コード,市場,銘柄名,始値,高値,安値,終値,出来高");
  const std::string tabColumns =
      Utf8ToCp932("コード\t市場\t銘柄名\t始値\t高値\t安値\t終値\t出来高");
  std::string text;
  switch (form) {
    case DailyForm::kDos:
      text = Format("%04d%02d%02d ZentakDOS\r\n", y, m, dd) + columns + "\r\n";
      break;
    case DailyForm::kEightDigit:
      text = Format("%04d%02d%02d Zentak\r\n", y, m, dd) + columns + "\r\n";
      break;
    case DailyForm::kSixDigit:
      text = Format("%02d%02d%02d\r\n", y % 100, m, dd) + columns + "\r\n";
      break;
    case DailyForm::kQuoted:
      text = Utf8ToCp932(Format("\"%04d年 - %02d月 - %02d日\"\r\n", y, m, dd)) +
             Utf8ToCp932("\"Zentak 日足データ\"\r\n\"全銘柄\"\r\n") + tabColumns + "\r\n";
      break;
    case DailyForm::kNamed:
      text = Utf8ToCp932("Zentak 日足データ\r\n" + Format("%04d年 %d月\t%d日\t\r\n", y, m, dd) +
                         "全銘柄\r\n\r\n") +
             tabColumns + "\r\n";
      break;
  }
  for (const ImportStock& s : stocks) {
    const DailyBar& b = s.bars[d];
    switch (form) {
      case DailyForm::kDos:
      case DailyForm::kEightDigit:
      case DailyForm::kSixDigit:
        text += Format("%04d,%d,", s.code, s.market) + s.name +
                Format(",%d,%d,%d,%d,%d\r\n", b.open, b.high, b.low, b.close, b.volume);
        break;
      case DailyForm::kQuoted:
        // The market follows a quote, the name stands in quotes.
        text += Format("%04d \"", s.code) + MarketName(s.market) + "\t\"" + s.name + "\"" +
                Format("\t%d\t%d\t%d\t%d\t%d\r\n", b.open, b.high, b.low, b.close, b.volume);
        break;
      case DailyForm::kNamed:
        text += Format("%04d\t", s.code) + MarketName(s.market) + "\t" + s.name +
                Format("\t%d\t%d\t%d\t%d\t%d\r\n", b.open, b.high, b.low, b.close, b.volume);
        break;
    }
  }
  return text;
}

std::string DailyFileName(DailyForm form, const TradingDay& day) {
  // The DOS program's names have a two-character extension ("DS??????.??").
  return Format(form == DailyForm::kDos ? "DS%02d%02d%02d.01" : "DS%02d%02d%02d.DAT",
                day.year % 100, day.month, day.day);
}

bool Write(const std::string& path, const std::string& text, SampleImportSummary* summary,
           std::string* error) {
  summary->bytes += static_cast<int64_t>(text.size());
  return WriteFileAtomically(path, text.data(), text.size(), error);
}

}  // namespace

bool MakeSampleImportFiles(const std::string& root, const sample::SampleUniverse& u,
                           const std::vector<int32_t>& lastClose, int dayCount, uint64_t seed,
                           const std::string& pluginPath, SampleImportSummary* summary,
                           std::string* error) {
  SampleImportSummary local;
  if (!summary) summary = &local;
  *summary = SampleImportSummary();
  const std::string folder = root + "/" + kSampleImportFolder;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    *error = "cannot create the folder " + folder + ": " + ec.message();
    return false;
  }

  const std::vector<TradingDay> nextYear =
      sample::TradingDays(kSampleLastYear + 1, kSampleLastYear + 1);
  const std::vector<TradingDay> days(nextYear.begin(), nextYear.begin() + kImportDays);
  // Margin balances are weekly: as of the last import day, and of the same day a week later.
  const TradingDay& szDay = days.back();
  auto key = [](const TradingDay& t) { return t.month * 31 + t.day; };
  const TradingDay& ysDay =
      *std::find_if(nextYear.begin() + kImportDays, nextYear.end(),
                    [&](const TradingDay& t) { return key(t) >= key(szDay) + 7; });

  // Every stock trading to the last stored day, then two listings without prices: one the
  // dictionary names, one it does not know.
  std::vector<ImportStock> stocks;
  std::vector<const StockProfile*> margined;
  std::set<int> used;
  for (size_t i = 0; i < u.stocks.size(); ++i) {
    const StockProfile& s = u.stocks[i];
    used.insert(s.code);
    if (s.archived || s.lastDay < dayCount || i >= lastClose.size() || lastClose[i] <= 0) continue;
    ImportStock is{s.code, s.market, CleanName(s.name), {}};
    DrawDays(seed, kImportStream + static_cast<uint64_t>(s.code), lastClose[i], s.sigma,
             s.baseVolume, is.bars);
    stocks.push_back(std::move(is));
    if (s.hasMargin) margined.push_back(&s);
  }
  for (const StockProfile& s : u.dictionaryOnly) used.insert(s.code);
  std::vector<ImportStock> listings;
  if (!u.dictionaryOnly.empty()) {
    const StockProfile& s = u.dictionaryOnly.front();
    listings.push_back({s.code, s.market, CleanName(s.name), {}});
  }
  for (int code = 9999; code >= 1000; --code) {
    if (used.count(code)) continue;
    listings.push_back({code, 9, Utf8ToCp932("新規上場サンプル"), {}});
    break;
  }
  for (ImportStock& s : listings) {
    DrawDays(seed, kNewListingStream + static_cast<uint64_t>(s.code), 1000, 0.03, 50000, s.bars);
    stocks.push_back(std::move(s));
  }
  std::sort(stocks.begin(), stocks.end(),
            [](const ImportStock& a, const ImportStock& b) { return a.code < b.code; });

  for (int d = 0; d < kImportDays; ++d) {
    const std::string path = folder + "/" + DailyFileName(kFormOfDay[d], days[d]);
    if (!Write(path, DailyFile(kFormOfDay[d], days[d], stocks, d), summary, error)) return false;
    ++summary->dailyFiles;
    summary->dailyRecords += static_cast<int>(stocks.size());
  }

  // One margin file of each name form. A name of at least two bytes keeps the first comma
  // after it where both forms look for the values.
  sample::Random rng(seed, kImportStream - 1);
  std::string sz;
  std::string ys =
      Utf8ToCp932(Format("信用残高 %04d/%02d/%02d\r\n", ysDay.year, ysDay.month, ysDay.day)) +
      Utf8ToCp932("コード,銘柄名,売り残,買い残\r\n");
  for (const StockProfile* s : margined) {
    std::string name = CleanName(s->name);
    if (name.size() < 2) name += std::string(2 - name.size(), ' ');
    for (std::string* text : {&sz, &ys}) {
      const int64_t sell = static_cast<int64_t>(s->baseVolume * (0.5 + 1.5 * rng.Uniform()));
      const int64_t buy = static_cast<int64_t>(s->baseVolume * (1.0 + 4.0 * rng.Uniform()));
      *text += Format("%04d,", s->code) + name +
               Format(",%lld,%lld\r\n", static_cast<long long>(sell), static_cast<long long>(buy));
    }
  }
  const std::string szName = Format("SZ%02d%02d%02d.DAT", szDay.year % 100, szDay.month, szDay.day);
  const std::string ysName = Format("YS%04d%02d.%02d", ysDay.year, ysDay.month, ysDay.day);
  if (!Write(folder + "/" + szName, sz, summary, error) ||
      !Write(folder + "/" + ysName, ys, summary, error)) {
    return false;
  }
  summary->marginFiles = 2;

  if (!pluginPath.empty()) {
    const std::string plugins = root + "/Plug-ins";
    fs::create_directories(plugins, ec);
    if (!ec) fs::copy_file(pluginPath, plugins + "/XZentakDOS.so", ec);
    if (ec) {
      *error = "cannot copy " + pluginPath + " into " + plugins + ": " + ec.message();
      return false;
    }
    summary->plugin = true;
  }
  return true;
}

}  // namespace korvale
