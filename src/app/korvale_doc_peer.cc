// The document's side of remote mode: the peer's stock page becomes the stock list, and a stock
// loaded from the peer becomes the shown stock.
#include <cctype>

#include "app/korvale_doc.h"

namespace korvale {

namespace {

// The code in the last four consecutive digits of an address; 0 when the address is shorter
// than 10 characters or ends in no four digits.
int CodeOfPeerAddress(const std::string& url) {
  if (url.size() < 10) return 0;
  size_t end = url.size();
  while (end > 0 && !std::isdigit(static_cast<unsigned char>(url[end - 1]))) --end;
  if (end < 4) return 0;
  int code = 0;
  for (size_t i = end - 4; i < end; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(url[i]))) return 0;
    code = code * 10 + (url[i] - '0');
  }
  return code;
}

}  // namespace

bool CKorvaleDoc::NeedsPeerList() const {
  return settings_.dataSourceMode == 1 && dictionary_ && dictionary_->itemCount == 0;
}

std::unique_ptr<CStockDictionary> CKorvaleDoc::NewPeerListDictionary() const {
  return std::make_unique<CStockDictionary>(*dictionary_);
}

void CKorvaleDoc::ApplyPeerList(std::unique_ptr<CStockDictionary> dictionary) {
  dictionary_ = std::move(dictionary);
  ShowAll();
}

bool CKorvaleDoc::PeerStockFilesOf(int row, StockFiles* files) const {
  if (settings_.dataSourceMode != 1 || !dictionary_) return false;
  if (row < 0 || row >= static_cast<int>(list_.rows.size())) return false;
  return ResolveItemFiles(*dictionary_, list_.rows[row].itemIndex, "", files) &&
         files->remote != nullptr;
}

void CKorvaleDoc::ShowPeerStock(const StockFiles& files, const CPriceSeries& series) {
  filePath_ = files.pricePath;
  TakeStockIdentity(CodeOfPeerAddress(files.pricePath));
  lineSaveError_.clear();
  series_ = series;
  series_.SetMarginPath("");
  series_.SetLinePath("");
  painter_ = std::make_unique<CChartPainter>(settings_);
  painter_->SetIndexSeries(indexSeries_);
  painter_->Attach(series_, chartPeriod_);
}

}  // namespace korvale
