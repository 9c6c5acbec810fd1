// The shown stock list: the rows of the main window's list box, each with its item data and
// the row map entry naming its dictionary item, and the title the list gives its window. Every
// fill walks the dictionary's items in their order.
#ifndef KORVALE_STORE_STOCK_LIST_H_
#define KORVALE_STORE_STOCK_LIST_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/stock_dictionary.h"

namespace korvale {

struct StockListRow {
  std::string text;   // cp932, exactly as the list box shows it
  int32_t itemData;   // 1; 0 for a list-file line whose code the dictionary does not hold
  int32_t itemIndex;  // the row map: index into the dictionary's items (0 when itemData is 0)
  int32_t code;       // the row's code (from the line itself when itemData is 0)
};

struct ShownStockList {
  std::string title;  // cp932
  std::vector<StockListRow> rows;
};

inline constexpr int kListFileLineBytes = 250;

// The row of dictionary item `itemIndex` (which must be an index into `items`): the text
// "%04d %s" with its code and list name, item data 1, the map entry `itemIndex`.
StockListRow DictionaryRow(const CStockDictionary& dict, int itemIndex);

// Every item; title "全銘柄".
void FillAll(const CStockDictionary& dict, ShownStockList* list);
// The items of market `market`; title the market's name (empty outside 0-13).
void FillMarket(const CStockDictionary& dict, int market, ShownStockList* list);
// The items of industry `industry`; title the industry's name (empty outside 0-34).
void FillIndustry(const CStockDictionary& dict, int industry, ShownStockList* list);
// A code range from the number the user gave: 0 every item (title "全銘柄"); 1-9 code / 1000,
// 10-99 code / 100, 100-999 code / 10, 1000-9999 the one code; title "%04d番台銘柄" with the
// number scaled to four digits. False, the list unchanged, for a number outside 0-9999.
bool FillCodeRange(const CStockDictionary& dict, int number, ShownStockList* list);
// The items whose list name holds `text` (cp932) at any byte position; title the text. An
// empty text shows every item with the title "全銘柄".
void FillNameSearch(const CStockDictionary& dict, const std::string& text, ShownStockList* list);

// Opens a list file: false, the list unchanged, when the dictionary has no items. Otherwise the
// list is emptied and each line (at most 250 characters; the rest of a longer line is dropped)
// whose leading number is a code 1001-9999 becomes a row holding the line without its line end,
// with item data 1 and the first dictionary item of the code, or item data 0 and map 0 when
// there is none; other lines are ignored. The title is the file's name; an unreadable file
// leaves the list empty.
bool OpenListFile(const CStockDictionary& dict, const std::string& path, ShownStockList* list);

// Saves the rows as a list file, "%d %s" with CR LF, from the code and list name of each row's
// item. A row with item data 0 is written as its own text, so a code whose prices are not
// stored yet stays in the list. False, with a reason in `error`, when the file cannot be written.
bool SaveListFile(const CStockDictionary& dict, const ShownStockList& list, const std::string& path,
                 std::string* error = nullptr);

// The market and industry of the list commands' menu ids; -1 for any other id.
int MarketOfCommand(int commandId);
int IndustryOfCommand(int commandId);

}  // namespace korvale

#endif  // KORVALE_STORE_STOCK_LIST_H_
