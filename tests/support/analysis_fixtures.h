// Helpers for the tests of the screening lists: a data root whose dictionary lists given stocks.
#ifndef KORVALE_TESTS_SUPPORT_ANALYSIS_FIXTURES_H_
#define KORVALE_TESTS_SUPPORT_ANALYSIS_FIXTURES_H_

#include <memory>
#include <string>
#include <vector>

#include "store/stock_dictionary.h"

namespace korvale::testing {

struct FixtureStock {
  int code;
  std::string nameUtf8;
  int market;
};

// Writes the dictionary file and an empty price file in the code's thousand-block folder for
// each stock below `root`, and returns the dictionary the program builds from that root (the
// stocks sorted by code).
std::unique_ptr<CStockDictionary> ListedRoot(const std::string& root,
                                             const std::vector<FixtureStock>& stocks);

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_SUPPORT_ANALYSIS_FIXTURES_H_
