#include "app/korvale_doc.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "store/file_io.h"
#include "store/stock_files.h"

namespace korvale {

namespace {

std::string UpperTail(const std::string& path, size_t n) {
  std::string tail = path.size() >= n ? path.substr(path.size() - n) : path;
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail;
}

// The code in the four characters before ".KDT"; -1 when the path is too short or they are not
// a code.
int CodeOfPriceFile(const std::string& path) {
  if (path.size() <= 9) return -1;
  const std::string digits = path.substr(path.size() - 8, 4);
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  }
  return std::atoi(digits.c_str());
}

}  // namespace

CKorvaleDoc::CKorvaleDoc(const SettingsRecord& settings, CFolderPreparer& folders)
    : settings_(settings), folders_(folders) {}

CKorvaleDoc::~CKorvaleDoc() = default;

void CKorvaleDoc::Start(std::string* error) {
  const SettingsRecord& s = settings_;
  switch (s.dataSourceMode) {
    case 1:
      dictionary_ = std::make_shared<CStockDictionary>(s.peerServerUrl, s.workDir, s.useProxy,
                                                       s.proxyHost, s.proxyPort);
      break;
    case 2:
      dictionary_ = std::make_shared<CStockDictionary>(s.allStocksUrl, s.useProxy, s.proxyHost,
                                                       s.proxyPort, s.workDir);
      break;
    default:
      dictionary_ = std::make_shared<CStockDictionary>(s.dataRootDir, s.workDir);
      break;
  }
  if (error) *error = dictionary_->nameTableError;
  ShowAll();
  latestYear_ = latestMonth_ = latestDay_ = 0;
  if (s.dataSourceMode == 0 && dictionary_->itemCount > 0) {
    OpenRow(0);
    if (series_.barCount() > 0) {
      const PriceBar& last = series_.bars[series_.barCount() - 1];
      latestYear_ = last.year;
      latestMonth_ = last.month;
      latestDay_ = last.day;
    }
    painter_.reset();  // the program starts on the information text
  }
}

std::unique_ptr<CKorvaleDoc> CKorvaleDoc::NewWindowDocument() const {
  auto doc = std::make_unique<CKorvaleDoc>(settings_, folders_);
  doc->dictionary_ = dictionary_;
  doc->list_ = list_;
  doc->indexSeries_ = indexSeries_;
  doc->chartPeriod_ = chartPeriod_;
  doc->latestYear_ = latestYear_;
  doc->latestMonth_ = latestMonth_;
  doc->latestDay_ = latestDay_;
  return doc;
}

void CKorvaleDoc::ShowAll() { FillAll(*dictionary_, &list_); }
void CKorvaleDoc::ShowMarket(int market) { FillMarket(*dictionary_, market, &list_); }
void CKorvaleDoc::ShowIndustry(int industry) { FillIndustry(*dictionary_, industry, &list_); }
bool CKorvaleDoc::ShowCodeRange(int number) { return FillCodeRange(*dictionary_, number, &list_); }
void CKorvaleDoc::ShowNameSearch(const std::string& text) {
  FillNameSearch(*dictionary_, text, &list_);
}
bool CKorvaleDoc::OpenListFile(const std::string& path) {
  return korvale::OpenListFile(*dictionary_, path, &list_);
}
int CKorvaleDoc::SaveListFile(const std::string& path, std::string* error) const {
  return korvale::SaveListFile(*dictionary_, list_, path, error);
}

CKorvaleDoc::OpenResult CKorvaleDoc::OpenFile(const std::string& path) {
  if (!dictionary_) Start();
  if (UpperTail(path, 3) == "KDT") {
    return OpenPriceFile(path) ? OpenResult::kStock : OpenResult::kIgnored;
  }
  if (UpperTail(path, 3) == "LST") {
    OpenListFile(path);
    return OpenResult::kList;
  }
  return OpenResult::kIgnored;
}

bool CKorvaleDoc::OpenRow(int row) {
  if (row < 0 || row >= static_cast<int>(list_.rows.size())) return false;
  if (settings_.dataSourceMode != 0) return false;  // the remote modes open stocks elsewhere
  StockFiles files;
  if (!ResolveItemFiles(*dictionary_, list_.rows[row].itemIndex, "", &files)) return false;
  return OpenPriceFile(files.pricePath);
}

bool CKorvaleDoc::OpenCode(int code) {
  StockFiles files;
  if (!dictionary_ || !ResolveStockFiles(*dictionary_, code, "", &files)) return false;
  return OpenPriceFile(files.pricePath);
}

bool CKorvaleDoc::OpenPriceFile(const std::string& path) {
  const int code = CodeOfPriceFile(path);
  if (code < 0 || code > 9999) return false;
  filePath_ = path;
  TakeStockIdentity(code);
  StockFiles files;
  files.code = code;
  files.pricePath = path;
  dictionary_->GetMarginPath(code, &files.marginPath);
  files.linePath = LineFileName(folders_.PrepareLineFolder(), code);

  // The lines edited on the previous stock go to its own file before the series is reused.
  lineSaveError_.clear();
  if (painter_) SaveTrendLines(&lineSaveError_);

  LoadStock(files, &series_, {}, /*placeholderWhenEmpty=*/true);

  painter_ = std::make_unique<CChartPainter>(settings_);
  painter_->SetIndexSeries(indexSeries_);
  painter_->Attach(series_, chartPeriod_);
  return true;
}

void CKorvaleDoc::TakeStockIdentity(int code) {
  code_ = code;
  std::string name;
  int industry = 0;
  market_ = dictionary_->names.Lookup(code, &name, &industry);
  title_ = name;
  industry_ = industry;
  info_ = StockInfo{};
  if (ReadStockInfo(settings_.dataRootDir, settings_.dataSourceMode, code, &info_)) {
    market_ = info_.market;
    industry_ = info_.industry;
  }
}

bool CKorvaleDoc::SaveTrendLines(std::string* error) {
  if (!painter_) return true;
  painter_->StoreTrendLines(series_);
  return series_.SaveLines(error) != 0;
}

void CKorvaleDoc::ApplySettings() {
  if (!painter_) return;
  painter_->ReplaceSettings(settings_);
}

}  // namespace korvale
