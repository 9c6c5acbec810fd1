#include "cli/stock_record.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/app_context.h"
#include "screening/compute_analysis_record.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/store_folders.h"

namespace korvale::cli {

namespace {

constexpr size_t kMaxStocks = 6000;  // the dictionary's capacity

// "KD" + four digits + ".KDT", compared without regard to case; the code, or -1.
int PriceFileCode(const std::string& name) {
  if (name.size() != 10) return -1;
  auto lower = [&](size_t i) { return std::tolower(static_cast<unsigned char>(name[i])); };
  if (lower(0) != 'k' || lower(1) != 'd' || name[6] != '.' || lower(7) != 'k' || lower(8) != 'd' ||
      lower(9) != 't')
    return -1;
  int code = 0;
  for (size_t i = 2; i < 6; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
    code = code * 10 + (name[i] - '0');
  }
  return code;
}

}  // namespace

StockList::StockList(const std::string& root) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const int code = PriceFileCode(it->path().filename().string());
    if (code < 0) continue;
    items_.push_back({code, it->path().parent_path().string()});
  }
  // The walk order of a folder is not fixed on this platform; sorting by folder as well makes
  // the order of two files of one code the same on every run.
  std::sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
    return a.code != b.code ? a.code < b.code : a.folder < b.folder;
  });
  if (items_.size() > kMaxStocks) items_.resize(kMaxStocks);
}

bool StockList::Find(int code, int* position, std::string* folder) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].code == code) {
      if (position) *position = static_cast<int>(i);
      if (folder) *folder = items_[i].folder;
      return true;
    }
  }
  return false;
}

bool ParseCode(const std::string& text, int* code) {
  if (text.empty() || text.size() > 4) return false;
  int v = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    v = v * 10 + (c - '0');
  }
  if (v < 1) return false;
  *code = v;
  return true;
}

int ComputeStockRecord(const CliArgs& args, const SettingsRecord& settings,
                       const std::string& codeText, AnalysisRecord* out) {
  int code;
  if (!ParseCode(codeText, &code)) {
    PrintError("CODE must be a securities code 1-9999: " + codeText);
    return kExitUsage;
  }
  int year = 0, month = 0, day = 0;
  const bool asOf = args.Has("--as-of");
  if (asOf && !ParseDate(args.Value("--as-of"), &year, &month, &day)) {
    PrintError("--as-of needs a date YYYY-MM-DD");
    return kExitUsage;
  }
  const std::string root = settings.dataRootDir;
  const StockList stocks(root);
  int position;
  std::string folder;
  if (!stocks.Find(code, &position, &folder)) {
    char text[64];
    std::snprintf(text, sizeof text, "stock %04d has no price file below the data root", code);
    PrintError(text);
    return kExitFailure;
  }
  const std::string path = PriceFileName(folder, code);
  if (!FileExists(path)) {
    PrintError(path + " cannot open");
    return kExitFailure;
  }
  CPriceSeries series;
  if (asOf) {
    series.LoadUntil(year, month, day, path);
  } else {
    series.LoadAll(path);
  }
  series.SetLinePath(LineFileName(root + "/Data/LINE", code));
  series.LoadLines();

  CAppContext context(settings);
  context.LoadIndex([&](int indexCode, std::string* indexFolder) {
    return stocks.Find(indexCode, nullptr, indexFolder);
  });
  ComputeAnalysisRecord(series, position, context.settings(), context.indexSeries(), out);
  return kExitOk;
}

}  // namespace korvale::cli
