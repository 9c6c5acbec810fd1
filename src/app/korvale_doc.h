// The main document: the stock dictionary, the shown stock list with its row map, and the stock
// shown in the chart (its series, paths and chart painter). The windows are views of it.
#ifndef KORVALE_APP_KORVALE_DOC_H_
#define KORVALE_APP_KORVALE_DOC_H_

#include <memory>
#include <string>
#include <utility>

#include "acquisition/web_download.h"
#include "charts/chart_painter.h"
#include "screening/analysis_store.h"
#include "store/dictionary_file.h"
#include "store/price_series.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"
#include "store/stock_files.h"
#include "store/stock_list.h"
#include "store/store_folders.h"

namespace korvale {

class CKorvaleDoc {
 public:
  // `settings` is the application's record (the doc reads it live and each painter copies it);
  // `folders` the run's folder preparer. Both outlive the document.
  CKorvaleDoc(const SettingsRecord& settings, CFolderPreparer& folders);
  virtual ~CKorvaleDoc();
  CKorvaleDoc(const CKorvaleDoc&) = delete;
  CKorvaleDoc& operator=(const CKorvaleDoc&) = delete;

  // The start of an empty document: the dictionary in the mode of dataSourceMode, every stock
  // listed, and in local mode the first stock opened to learn the latest-data date (its chart is
  // dropped again). `error` gets the dictionary file's problem, if any.
  void Start(std::string* error = nullptr);
  // A second document sharing this one's dictionary and showing the same list.
  std::unique_ptr<CKorvaleDoc> NewWindowDocument() const;

  // The analysis records of this document's last batch or of the cache. Each document has its
  // own, so the batches of two main windows never fill one store at once.
  CAnalysisStore& analysisStore() { return analysis_; }
  const CAnalysisStore& analysisStore() const { return analysis_; }

  // --- The shown list.
  const CStockDictionary* dictionary() const { return dictionary_.get(); }
  // For the updates that register new stocks.
  CStockDictionary* mutableDictionary() { return dictionary_.get(); }
  const ShownStockList& list() const { return list_; }
  // Replaces the shown list with rows made elsewhere (a screening run or a ranking).
  void ShowList(ShownStockList list) { list_ = std::move(list); }
  void ShowAll();
  void ShowMarket(int market);
  void ShowIndustry(int industry);
  bool ShowCodeRange(int number);
  void ShowNameSearch(const std::string& textCp932);
  // False when the dictionary holds no items (nothing happens then).
  bool OpenListFile(const std::string& path);
  int SaveListFile(const std::string& path, std::string* error) const;

  // --- Opening a stock.
  enum class OpenResult { kStock, kList, kIgnored };
  // A price file (".kdt", any case) is opened as the shown stock; a ".LST" file as the list.
  // Local mode only.
  OpenResult OpenFile(const std::string& path);
  // Opens the stock of a list row by the data-source mode; false for a row outside the list or
  // a mode this build cannot open.
  bool OpenRow(int row);
  // The stock of a code in local mode, through its dictionary folder. False when unknown.
  bool OpenCode(int code);

  // --- Web mode (dataSourceMode 2): the window runs the downloads on a worker thread and hands
  // their results to these on its own thread.
  // True in web mode while the dictionary lists no stock: the fetch list is still to come.
  bool NeedsFetchList() const;
  // Reads a downloaded fetch list (the quote symbols into the name table, the stocks into the
  // list) and shows every stock.
  void ApplyFetchList(const std::string& path);
  // What the download of a list row's stock needs: its code and quote symbol, the daily span,
  // today's date and `endpoints`; the fetch options come from the settings. False for a row
  // outside the list or outside web mode.
  bool WebStockRequestOf(int row, const QuoteEndpoints& endpoints, WebStockRequest* request) const;
  // Shows a downloaded stock: the series swapped in, the profile's texts and the quote's figures
  // as its information, a new painter.
  void ShowWebStock(int code, const WebStockDownload& download);

  // --- Remote mode (dataSourceMode 1): the window fetches the peer's stock page and each picked
  // stock on a worker thread and hands the results to these on its own thread.
  // True in remote mode while the dictionary lists no stock: the stock page is still to come.
  bool NeedsPeerList() const;
  // An empty copy of the dictionary (its mode, peer address and name table) for a worker to
  // read the stock page into; the document's own stays untouched meanwhile.
  std::unique_ptr<CStockDictionary> NewPeerListDictionary() const;
  // Takes the dictionary the stock page was read into and shows every stock.
  void ApplyPeerList(std::unique_ptr<CStockDictionary> dictionary);
  // What a worker needs to load a list row's stock from the peer: its price file's address and
  // the remote reader (a copy: it shares nothing the window changes). False for a row outside
  // the list, outside remote mode, or a stock whose address cannot be made.
  bool PeerStockFilesOf(int row, StockFiles* files) const;
  // Shows a stock loaded from the peer at `files.pricePath`: the code from the last four
  // digits of the address, its name as the title, the series swapped in, a new painter. Margins
  // and trend lines are not used in remote mode.
  void ShowPeerStock(const StockFiles& files, const CPriceSeries& series);

  // Writes the trend lines edited on the shown stock to its trend-line file. False with a
  // reason when the file cannot be written.
  bool SaveTrendLines(std::string* error);
  // After the settings changed: the painter takes a fresh copy and lays out again.
  void ApplySettings();
  // The market-index series for the index panes of new painters (may be null).
  void SetIndexSeries(const CPriceSeries* index) { indexSeries_ = index; }

  // --- The shown stock.
  CPriceSeries& series() { return series_; }
  CChartPainter* painter() { return painter_.get(); }
  const CChartPainter* painter() const { return painter_.get(); }
  int chartPeriod() const { return chartPeriod_; }
  void SetChartPeriod(int period) { chartPeriod_ = period; }
  // The period the Ichimoku window shows (32772 daily, 32773 weekly, 32774 monthly), kept beside
  // the main chart's while the window is closed.
  int ichimokuKind() const { return ichimokuKind_; }
  void SetIchimokuKind(int period) { ichimokuKind_ = period; }
  int code() const { return code_; }
  const std::string& title() const { return title_; }  // cp932: the stock's name
  const std::string& filePath() const { return filePath_; }
  // The stock-information page of the shown stock.
  const StockInfo& stockInfo() const { return info_; }
  const std::string& stockName() const { return title_; }
  int market() const { return market_; }
  int industry() const { return industry_; }
  // Date of the newest bar seen at start (local mode); zeros otherwise.
  int latestYear() const { return latestYear_; }
  int latestMonth() const { return latestMonth_; }
  int latestDay() const { return latestDay_; }
  // Problem of the last save of trend lines made while switching stocks, "" when none.
  const std::string& lineSaveError() const { return lineSaveError_; }

 private:
  bool OpenPriceFile(const std::string& path);
  // The stock information and name of `code`, as a newly opened stock shows them.
  void TakeStockIdentity(int code);

  const SettingsRecord& settings_;
  CFolderPreparer& folders_;
  const CPriceSeries* indexSeries_ = nullptr;
  std::shared_ptr<CStockDictionary> dictionary_;
  ShownStockList list_;
  CAnalysisStore analysis_;
  CPriceSeries series_;
  std::unique_ptr<CChartPainter> painter_;
  int chartPeriod_ = kChartDaily;
  int ichimokuKind_ = kChartDaily;
  int code_ = 0;
  int market_ = 0;
  int industry_ = 0;
  std::string filePath_;
  std::string title_;
  StockInfo info_;
  std::string lineSaveError_;
  int latestYear_ = 0, latestMonth_ = 0, latestDay_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_APP_KORVALE_DOC_H_
