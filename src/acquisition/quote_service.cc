#include "acquisition/quote_service.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "acquisition/quote_endpoints.h"
#include "acquisition/quote_service_pages.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

namespace korvale {

namespace {

constexpr int kPageKinds = 4;
const char kHtml[] = "text/html; charset=EUC-JP";

struct Fault {
  int status = 0;
  int delayMs = 0;
};

int IntParam(const httplib::Request& req, const char* name, int fallback) {
  if (!req.has_param(name)) return fallback;
  const std::string value = req.get_param_value(name);
  if (value.empty() || value.size() > 9) return fallback;
  for (char c : value) {
    if (c < '0' || c > '9') return fallback;
  }
  return std::stoi(value);
}

}  // namespace

struct CQuoteService::Impl {
  std::string root;
  httplib::Server server;
  std::thread thread;
  int port = 0;
  std::map<int, ServedStock> stocks;      // by code
  std::map<int, std::string> priceFiles;  // by code
  std::map<std::string, int> codeOfSymbol;
  std::string fetchList;

  mutable std::mutex mutex;
  std::condition_variable stopping;
  bool stopRequested = false;
  Fault faults[kPageKinds];
  std::vector<std::string> requests;
  std::string lastAgent;

  bool Load(std::string* error);
  void Route();
  // Logs the request and applies a fault set for the page; true when the fault answered it.
  bool Faulted(Page page, const httplib::Request& req, httplib::Response& res);
  const ServedStock* StockOf(int code) const {
    auto it = stocks.find(code);
    return it == stocks.end() ? nullptr : &it->second;
  }
  std::vector<PriceBar> BarsOf(int code) const {
    CPriceSeries series;
    auto it = priceFiles.find(code);
    if (it != priceFiles.end()) series.LoadAll(it->second);
    return series.bars;
  }
};

bool CQuoteService::Impl::Load(std::string* error) {
  const std::string dictionaryPath = DictionaryFilePath(root);
  std::vector<uint8_t> image;
  bool existed = false;
  std::string why;
  if (!ReadDictionaryImage(dictionaryPath, &image, &existed, &why) || !existed) {
    if (error) *error = why.empty() ? dictionaryPath + ": no stock dictionary" : why;
    return false;
  }
  // The dictionary file exists, so the scan reads it and writes nothing into the root.
  CStockDictionary dictionary(root, root);
  for (const StockListItem& item : dictionary.items) {
    if (stocks.count(item.code)) continue;  // the first folder of a code wins, as in lookups
    ServedStock stock;
    stock.record = DecodeDictionaryRecord(image.data() + item.code * kDictionaryRecordSize);
    stock.record.code = item.code;
    if (FieldText(stock.record.name).empty()) SetFieldText(stock.record.name, item.name);
    stock.symbol = FieldText(stock.record.quoteSymbol);
    if (stock.symbol.empty() || stock.symbol.find(',') != std::string::npos) {
      char symbol[16];
      std::snprintf(symbol, sizeof symbol, "%04d.T", item.code);
      stock.symbol = symbol;
    }
    codeOfSymbol.emplace(stock.symbol, item.code);
    fetchList += FetchListLineOf(stock);
    priceFiles[item.code] = PriceFileName(dictionary.folders[item.folder], item.code);
    stocks.emplace(item.code, std::move(stock));
  }
  return true;
}

bool CQuoteService::Impl::Faulted(Page page, const httplib::Request& req, httplib::Response& res) {
  Fault fault;
  {
    std::unique_lock<std::mutex> lock(mutex);
    requests.push_back(req.target);
    lastAgent = req.get_header_value("User-Agent");
    fault = faults[static_cast<int>(page)];
    if (fault.delayMs > 0) {
      stopping.wait_for(lock, std::chrono::milliseconds(fault.delayMs),
                        [this] { return stopRequested; });
    }
  }
  if (fault.status == 0) return false;
  res.status = fault.status;
  res.set_content("<html><body>" + std::to_string(fault.status) + "</body></html>\n", kHtml);
  return true;
}

void CQuoteService::Impl::Route() {
  server.Get("/fetchlist.csv", [this](const httplib::Request& req, httplib::Response& res) {
    if (Faulted(Page::kFetchList, req, res)) return;
    res.set_content(fetchList, "text/csv; charset=Shift_JIS");
  });
  server.Get(R"(/biz/fundamental/(\d{4})\.html)",
             [this](const httplib::Request& req, httplib::Response& res) {
               if (Faulted(Page::kProfile, req, res)) return;
               const ServedStock* stock = StockOf(std::stoi(req.matches[1].str()));
               if (!stock) {
                 res.status = 404;
                 return;
               }
               res.set_content(ProfilePageOf(*stock), kHtml);
             });
  server.Get("/q", [this](const httplib::Request& req, httplib::Response& res) {
    if (Faulted(Page::kQuote, req, res)) return;
    const int code = IntParam(req, "s", 0);
    const ServedStock* stock = StockOf(code);
    if (!stock) {
      res.status = 404;
      return;
    }
    const std::vector<PriceBar> bars = BarsOf(code);
    res.set_content(QuotePageOf(*stock, bars.empty() ? 0 : bars.back().close), kHtml);
  });
  server.Get("/t", [this](const httplib::Request& req, httplib::Response& res) {
    if (Faulted(Page::kTable, req, res)) return;
    auto it = codeOfSymbol.find(req.get_param_value("s"));
    if (it == codeOfSymbol.end()) {
      res.status = 404;
      return;
    }
    const int32_t start =
        DateKey(IntParam(req, "c", 1983), IntParam(req, "a", 1), IntParam(req, "b", 1));
    const int32_t end =
        DateKey(IntParam(req, "f", 9999), IntParam(req, "d", 12), IntParam(req, "e", 31));
    res.set_content(PriceTablePageOf(BarsOf(it->second), start, end, IntParam(req, "y", 0)), kHtml);
  });
}

CQuoteService::CQuoteService(const std::string& dataRoot) : impl_(std::make_unique<Impl>()) {
  impl_->root = dataRoot;
}

CQuoteService::~CQuoteService() { Stop(); }

bool CQuoteService::Start(int port, std::string* error) {
  if (impl_->thread.joinable()) return true;
  if (impl_->stocks.empty() && !impl_->Load(error)) return false;
  impl_->Route();
  if (port == 0) {
    impl_->port = impl_->server.bind_to_any_port("127.0.0.1");
  } else if (impl_->server.bind_to_port("127.0.0.1", port)) {
    impl_->port = port;
  } else {
    impl_->port = -1;
  }
  if (impl_->port <= 0) {
    if (error) *error = "cannot listen on 127.0.0.1:" + std::to_string(port);
    return false;
  }
  impl_->thread = std::thread([this] { impl_->server.listen_after_bind(); });
  while (!impl_->server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return true;
}

void CQuoteService::Stop() {
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->stopRequested = true;
  }
  impl_->stopping.notify_all();
  if (impl_->thread.joinable()) {
    impl_->server.stop();
    impl_->thread.join();
  }
}

int CQuoteService::port() const { return impl_->port; }

std::string CQuoteService::BaseUrl() const {
  return "http://127.0.0.1:" + std::to_string(impl_->port);
}

int CQuoteService::stockCount() const { return static_cast<int>(impl_->stocks.size()); }

void CQuoteService::SetFault(Page page, int status, int delayMs) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->faults[static_cast<int>(page)] = Fault{status, delayMs};
}

std::vector<std::string> CQuoteService::requests() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->requests;
}

std::string CQuoteService::lastAgent() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->lastAgent;
}

bool MakeWebModeRoot(const std::string& dir, const std::string& baseUrl,
                     const std::string& sourceRoot, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::vector<uint8_t> dictionary;
  if (!ReadWholeFile(DictionaryFilePath(sourceRoot), &dictionary) ||
      !WriteFileAtomically(DictionaryFilePath(dir), dictionary.data(), dictionary.size(), error)) {
    if (error && error->empty()) *error = "cannot read " + DictionaryFilePath(sourceRoot);
    return false;
  }
  SettingsRecord settings;
  ApplySettingsDefaults(&settings, dir);
  settings.dataSourceMode = settings.savedDataSourceMode = 2;
  if (!SetSettingsString(settings.allStocksUrl, baseUrl + "/fetchlist.csv")) {
    if (error) *error = "the address is too long for the settings: " + baseUrl;
    return false;
  }
  uint8_t image[kSettingsRecordSize];
  EncodeSettingsRecord(settings, image);
  const std::string hosts =
      "# The stand-in quote service (korvale-cli quote-service)\n"
      "profile=" +
      baseUrl + "\nquote=" + baseUrl + "\ntable=" + baseUrl + "\nfetchlist=" + baseUrl +
      "/fetchlist.csv\n";
  return WriteFileAtomically(dir + "/" + kSettingsFileName, image, sizeof image, error) &&
         WriteFileAtomically(dir + "/" + kWebHostsFileName, hosts.data(), hosts.size(), error);
}

}  // namespace korvale
