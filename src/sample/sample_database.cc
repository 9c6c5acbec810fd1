#include "sample/sample_database.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "sample/sample_calendar.h"
#include "sample/sample_companies.h"
#include "sample/sample_prices.h"
#include "sample/sample_rules.h"
#include "store/cp932.h"
#include "store/dictionary_file.h"
#include "store/dictionary_record.h"
#include "store/file_io.h"
#include "store/settings_record.h"
#include "store/store_folders.h"

namespace korvale {

namespace fs = std::filesystem;
using sample::StockProfile;

namespace {

std::string DateText(const sample::TradingDay& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return text;
}

std::string StockFolder(const std::string& root, const StockProfile& s) {
  if (s.archived) return root + "/" + kSampleArchiveFolder;
  char block[16];
  std::snprintf(block, sizeof block, "%04d", ThousandBlock(s.code));
  return root + "/Data/" + block;
}

double Cents(double v) { return std::round(v * 100) / 100; }

DictionaryFileRecord RecordOf(const StockProfile& s, int32_t lastClose) {
  DictionaryFileRecord r;
  r.code = s.code;
  r.market = s.market;
  r.industry = s.industry;
  char symbol[16];
  std::snprintf(symbol, sizeof symbol, "%04d.T", s.code);
  SetFieldText(r.quoteSymbol, symbol);
  SetFieldText(r.name, s.name);
  SetFieldText(r.text1, s.text1);
  SetFieldText(r.text2, s.text2);
  if (!s.isIndex && lastClose > 0) {
    const double price = lastClose;
    const double eps = s.loss ? -0.3 * price / s.per : price / s.per;
    r.figures[kMarketCapitalisation] = Cents(price * s.sharesMillions);
    r.figures[kEarningsPerShare] = Cents(eps);
    r.figures[kPriceEarningsRatio] = s.loss ? 0.0 : Cents(s.per);
    r.figures[kBookValuePerShare] = Cents(price / s.pbr);
    r.figures[kPriceBookRatio] = Cents(s.pbr);
  }
  return r;
}

std::string ListLine(int code, const std::string& name) {
  return std::to_string(code) + " " + name + "\r\n";
}

// A watch list across trades, with a stock unknown to the dictionary and a listed stock whose
// prices are not stored (both show with item data 0 or a number for a name), and the banks.
void ListFiles(const sample::SampleUniverse& u, std::string* watch, std::string* banks) {
  std::vector<const StockProfile*> picks;
  for (int industry : {17, 16, 28, 8, 25, 27, 21}) {
    for (const StockProfile& s : u.stocks) {
      if (!s.isIndex && s.inDictionary && s.industry == industry) {
        picks.push_back(&s);
        break;
      }
    }
  }
  for (const StockProfile& s : u.stocks) {
    if (s.inDictionary && sample::HasHalfWidthKana(s.name)) {
      picks.push_back(&s);
      break;
    }
  }
  std::sort(picks.begin(), picks.end(),
            [](const StockProfile* a, const StockProfile* b) { return a->code < b->code; });
  picks.erase(std::unique(picks.begin(), picks.end()), picks.end());
  *watch = ListLine(sample::kIndexCode, u.stocks.empty() ? "" : Utf8ToCp932("総合株価指数"));
  for (const StockProfile* s : picks) *watch += ListLine(s->code, s->name);
  for (const StockProfile& s : u.stocks) {
    if (!s.inDictionary) {
      *watch += ListLine(s.code, Utf8ToCp932("未登録銘柄"));
      break;
    }
  }
  if (!u.dictionaryOnly.empty()) {
    *watch += ListLine(u.dictionaryOnly.front().code, u.dictionaryOnly.front().name);
  }
  banks->clear();
  for (const StockProfile& s : u.stocks) {
    if (s.industry == 28 && s.inDictionary) *banks += ListLine(s.code, s.name);
  }
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
  return WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}

bool WriteFile(const std::string& path, const std::string& text, std::string* error) {
  return WriteFileAtomically(path, text.data(), text.size(), error);
}

}  // namespace

bool MakeSampleDatabase(const std::string& dir, const SampleOptions& options,
                        SampleSummary* summary, std::string* error) {
  if (options.stocks < 1 || options.stocks > 6000) {
    *error = "the number of stocks must be 1-6000";
    return false;
  }
  if (options.years < 1 || options.years > 60) {
    *error = "the number of years must be 1-60";
    return false;
  }
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    *error = "cannot create the folder " + dir;
    return false;
  }
  if (fs::directory_iterator(dir, ec) != fs::directory_iterator()) {
    *error = dir + " is not empty";
    return false;
  }
  std::string root = dir;
  while (root.size() > 1 && root.back() == '/') root.pop_back();

  const std::vector<sample::TradingDay> days =
      sample::TradingDays(kSampleLastYear - options.years + 1, kSampleLastYear);
  const int dayCount = static_cast<int>(days.size());
  const sample::SampleUniverse u = sample::MakeUniverse(options.stocks, dayCount, options.seed);
  const sample::MarketPaths market = sample::MakeMarketPaths(dayCount, options.seed);

  std::set<std::string> folders;
  bool anyMargin = false;
  for (const StockProfile& s : u.stocks) {
    folders.insert(StockFolder(root, s));
    anyMargin = anyMargin || s.hasMargin;
  }
  const std::string marginFolder = root + "/Data/SZ";
  if (anyMargin) folders.insert(marginFolder);
  for (const std::string& f : folders) {
    fs::create_directories(f, ec);
    if (ec) {
      *error = "cannot create the folder " + f + ": " + ec.message();
      return false;
    }
  }

  // Each stock is drawn from its own random stream, so the files do not depend on which
  // thread makes them or in what order.
  const size_t n = u.stocks.size();
  std::vector<int32_t> lastClose(n, 0);
  std::vector<int64_t> written(n, 0);
  std::vector<uint8_t> marginWritten(n, 0);
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  std::mutex errorLock;
  auto work = [&] {
    sample::StockFiles files;
    std::string why;
    for (size_t i; !failed && (i = next++) < n;) {
      const StockProfile& s = u.stocks[i];
      sample::MakeStockFiles(s, market, days, options.seed, &files);
      bool ok = WriteFile(PriceFileName(StockFolder(root, s), s.code), files.prices, &why);
      if (ok && !files.margin.empty()) {
        ok = WriteFile(MarginFileName(marginFolder, s.code), files.margin, &why);
        marginWritten[i] = 1;
      }
      if (!ok) {
        std::lock_guard<std::mutex> lock(errorLock);
        if (!failed.exchange(true)) *error = why;
        return;
      }
      lastClose[i] = files.lastClose;
      written[i] = static_cast<int64_t>(files.prices.size() + files.margin.size());
    }
  };
  const unsigned threads =
      std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, std::min<unsigned>(4, n));
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  if (failed) return false;

  std::vector<uint8_t> dictionary(kDictionaryFileSize, 0);
  int records = 0;
  auto place = [&](const DictionaryFileRecord& r) {
    EncodeDictionaryRecord(r,
                           dictionary.data() + static_cast<size_t>(r.code) * kDictionaryRecordSize);
    ++records;
  };
  for (size_t i = 0; i < n; ++i) {
    if (u.stocks[i].inDictionary) place(RecordOf(u.stocks[i], lastClose[i]));
  }
  for (const StockProfile& s : u.dictionaryOnly) {
    // No prices are stored for these; their figures come from the price they were drawn with.
    const int32_t price = static_cast<int32_t>(s.startPrice);
    const int32_t tick = sample::TickSize(price);
    place(RecordOf(s, price / tick * tick));
  }
  std::string watch, banks;
  ListFiles(u, &watch, &banks);
  if (!WriteFile(DictionaryFilePath(root), dictionary, error) ||
      !WriteFile(root + "/" + kSampleWatchList, watch, error) ||
      !WriteFile(root + "/" + kSampleBankList, banks, error)) {
    return false;
  }
  // The rules' day counts are the periods a fresh start gives the root.
  SettingsRecord settings;
  ApplySettingsDefaults(&settings, root);
  int64_t ruleBytes = 0;
  if (!WriteSampleRules(root, settings, error, &ruleBytes)) return false;

  SampleImportSummary imports;
  if (!MakeSampleImportFiles(root, u, lastClose, dayCount, options.seed, options.pluginPath,
                             &imports, error)) {
    return false;
  }

  if (summary) {
    *summary = SampleSummary();
    summary->import = imports;
    summary->stocks = static_cast<int>(n);
    summary->dictionaryRecords = records;
    summary->tradingDays = dayCount;
    if (!days.empty()) {
      summary->firstDate = DateText(days.front());
      summary->lastDate = DateText(days.back());
    }
    for (size_t i = 0; i < n; ++i) {
      summary->bytes += written[i];
      summary->marginFiles += marginWritten[i];
    }
    summary->bytes += static_cast<int64_t>(dictionary.size() + watch.size() + banks.size());
    summary->bytes += ruleBytes + imports.bytes;
    summary->rules = kSampleRuleCount;
  }
  return true;
}

}  // namespace korvale
