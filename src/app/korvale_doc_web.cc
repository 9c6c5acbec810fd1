// The document's side of web mode: the fetch list becomes the stock list, and a downloaded
// stock becomes the shown stock.
#include <algorithm>
#include <iterator>

#include "app/korvale_doc.h"

namespace korvale {

bool CKorvaleDoc::NeedsFetchList() const {
  return settings_.dataSourceMode == 2 && dictionary_ && dictionary_->itemCount == 0;
}

void CKorvaleDoc::ApplyFetchList(const std::string& path) {
  if (!dictionary_) return;
  dictionary_->names.ApplyFetchListSymbols(path);
  dictionary_->ReadFetchList(path);
  dictionary_->BuildIndex();
  ShowAll();
}

bool CKorvaleDoc::WebStockRequestOf(int row, const QuoteEndpoints& endpoints,
                                    WebStockRequest* request) const {
  if (settings_.dataSourceMode != 2 || !dictionary_) return false;
  if (row < 0 || row >= static_cast<int>(list_.rows.size())) return false;
  const int item = list_.rows[row].itemIndex;
  if (item < 0 || item >= dictionary_->itemCount) return false;
  *request = WebStockRequest{};
  request->code = dictionary_->items[item].code;
  std::string name;
  int industry = 0;
  dictionary_->names.Lookup(request->code, &name, &industry, &request->quoteSymbol);
  request->dailySpanDays = settings_.dailySpanDays;
  LocalToday(&request->year, &request->month, &request->day);
  request->endpoints = endpoints;
  request->fetch = WebFetchOptionsOf(settings_);
  request->webTempDir = WebTempFolderOf(settings_.dataRootDir);
  return true;
}

void CKorvaleDoc::ShowWebStock(int code, const WebStockDownload& download) {
  std::string name;
  int industry = 0;
  market_ = dictionary_ ? dictionary_->names.Lookup(code, &name, &industry) : 13;
  industry_ = industry;
  code_ = code;
  title_ = name;
  filePath_.clear();
  info_ = StockInfo{};
  info_.market = market_;
  info_.industry = industry_;
  info_.text1 = download.profile.marketText;
  info_.text2 = download.profile.industryText;
  const QuoteSummary& q = download.quote;
  const double figures[] = {q.marketCapitalisation, q.earningsPerShare, q.priceEarningsRatio,
                            q.bookValuePerShare, q.priceBookRatio};
  std::copy(std::begin(figures), std::end(figures), info_.figures);
  lineSaveError_.clear();
  series_ = download.series;
  painter_ = std::make_unique<CChartPainter>(settings_);
  painter_->SetIndexSeries(indexSeries_);
  painter_->Attach(series_, chartPeriod_);
}

}  // namespace korvale
