// How korvale-cli prints what the web scrapers read: rows, the quote summary and the profile
// texts, in UTF-8 lines or JSON members.
#ifndef KORVALE_CLI_WEB_OUTPUT_H_
#define KORVALE_CLI_WEB_OUTPUT_H_

#include <string>

#include "acquisition/page_scrapers.h"

namespace korvale::cli {

// The shortest text that reads back as the same double ("12.34", "0").
std::string NumberText(double value);

// "marketText=..." and "industryText=..." lines, or the JSON members "marketText" and
// "industryText" (no braces).
void PrintProfile(const ProfileText& profile, bool json);
// "code=", "name=" and the five figures by name, one a line, or the same JSON members.
void PrintQuote(const QuoteSummary& quote, bool json);
// One "YYYY/MM/DD open high low close volume" line per stored row, or the JSON member "rows".
void PrintTableRows(const CPriceTablePage& page, bool json);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_WEB_OUTPUT_H_
