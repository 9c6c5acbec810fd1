// The pages of the stand-in quote service, in the layouts the scrapers read: EUC-JP HTML for
// the profile, the quote page and the price table, and the fetch list in cp932 lines.
#ifndef KORVALE_ACQUISITION_QUOTE_SERVICE_PAGES_H_
#define KORVALE_ACQUISITION_QUOTE_SERVICE_PAGES_H_

#include <string>
#include <string_view>
#include <vector>

#include "store/dictionary_record.h"
#include "store/price_records.h"

namespace korvale {

// Shift_JIS to EUC-JP by the inverse of EucToSjis's arithmetic, so a page made from cp932 text
// reads back as the same bytes. Half-width katakana become EUC-JP's two-byte form; bytes with
// no EUC-JP form (user-defined areas, broken pairs) become "?".
std::string SjisToEuc(std::string_view sjis);

// What the service knows of one stock: its dictionary record and its daily bars (as the program
// loads them), newest last.
struct ServedStock {
  DictionaryFileRecord record;
  std::string symbol;  // the quote symbol: the record's, or "%04d.T" when it has none
};

// One fetch-list line "symbol,code,market name,name" ending in CR LF (cp932).
std::string FetchListLineOf(const ServedStock& stock);

// "【市場名】" with the record's first descriptive text (or its market's name) and "【業種分類】"
// with the second (or its industry's name), each in a cell closed by "</TD>".
std::string ProfilePageOf(const ServedStock& stock);

// A table whose first row holds column titles and whose second row holds code, market, name,
// time, last close, market capitalisation (whole million yen), earnings per share,
// price-earnings ratio, book value per share and price-book ratio; a figure of 0 shows "---".
std::string QuotePageOf(const ServedStock& stock, int32_t lastClose);

// Up to 50 rows of `bars`, newest first, of the days from the start to the end date (keys as
// DateKey gives), beginning `offset` rows after the newest such day; a title row first.
std::string PriceTablePageOf(const std::vector<PriceBar>& bars, int32_t startKey, int32_t endKey,
                             int offset);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_QUOTE_SERVICE_PAGES_H_
