#include "support/web_fixtures.h"

#include "acquisition/quote_service_pages.h"
#include "sample/sample_database.h"
#include "store/cp932.h"
#include "store/price_series.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"
#include "support/test_support.h"

namespace korvale::testing {

const std::string& WebSampleRoot() {
  static TempDir* dir = new TempDir;  // kept for the whole program
  static const std::string root = [] {
    const std::string path = dir->path() + "/root";
    SampleOptions options;
    options.stocks = 12;
    options.years = 2;
    SampleSummary summary;
    std::string error;
    return MakeSampleDatabase(path, options, &summary, &error) ? path : std::string();
  }();
  return root;
}

std::vector<int> WebSampleCodes() {
  CStockDictionary dictionary(WebSampleRoot(), WebSampleRoot());
  std::vector<int> codes;
  for (const StockListItem& item : dictionary.items) codes.push_back(item.code);
  return codes;
}

std::vector<PriceBar> WebSampleBars(int code) {
  CStockDictionary dictionary(WebSampleRoot(), WebSampleRoot());
  std::string folder;
  CPriceSeries series;
  if (dictionary.GetFolder(code, &folder)) series.LoadAll(PriceFileName(folder, code));
  return series.bars;
}

std::string EucOf(const std::string& utf8) { return SjisToEuc(Utf8ToCp932(utf8)); }

}  // namespace korvale::testing
