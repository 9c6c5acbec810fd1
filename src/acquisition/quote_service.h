// A stand-in for the web quote service on loopback, made from a data root's prices, for the
// tests and the demo: "/fetchlist.csv", the profile "/biz/fundamental/NNNN.html", the quote
// page "/q?s=NNNN&d=v3" and the price table "/t?s=SYMBOL&...&y=OFFSET", in the layouts the
// scrapers read. One address serves all three hosts.
#ifndef KORVALE_ACQUISITION_QUOTE_SERVICE_H_
#define KORVALE_ACQUISITION_QUOTE_SERVICE_H_

#include <memory>
#include <string>
#include <vector>

namespace korvale {

class CQuoteService {
 public:
  enum class Page { kFetchList, kProfile, kQuote, kTable };

  // Learns the stocks of `dataRoot`: every price file the local scan finds, with its dictionary
  // record (symbol, name, texts, figures). Prices are read when a page asks for them.
  explicit CQuoteService(const std::string& dataRoot);
  ~CQuoteService();
  CQuoteService(const CQuoteService&) = delete;
  CQuoteService& operator=(const CQuoteService&) = delete;

  // Serves on 127.0.0.1:`port` (0: a free port) from threads of its own. False with a reason
  // when the port cannot be bound.
  bool Start(int port, std::string* error);
  // Stops serving; waits for the requests in progress (a delayed answer is cut short).
  void Stop();
  int port() const;
  // "http://127.0.0.1:PORT".
  std::string BaseUrl() const;
  // The number of stocks served.
  int stockCount() const;

  // For tests and demonstrations of failures: every request for `page` waits `delayMs`
  // milliseconds and is then answered with `status` (0 keeps the normal answer).
  void SetFault(Page page, int status, int delayMs);
  // The requests received so far (path and query, as sent), and the agent of the last one.
  std::vector<std::string> requests() const;
  std::string lastAgent() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Makes `dir` a data root in web mode that reads from the service at `baseUrl`: the settings
// file with dataSourceMode 2 and the fetch list at baseUrl + "/fetchlist.csv", webhosts.txt
// pointing the three hosts there, and a copy of `sourceRoot`'s stock dictionary for names,
// markets and industries. False with a reason when a file cannot be written.
bool MakeWebModeRoot(const std::string& dir, const std::string& baseUrl,
                     const std::string& sourceRoot, std::string* error);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_QUOTE_SERVICE_H_
