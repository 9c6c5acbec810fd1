#include "store/stock_list.h"

#include <cstdio>
#include <cstring>
#include <functional>

#include "store/cp932.h"
#include "store/file_io.h"
#include "store/line_file.h"
#include "store/market_industry_tables.h"

namespace korvale {

namespace {

const std::string& AllStocksTitle() {
  static const std::string title = Utf8ToCp932("全銘柄");
  return title;
}

std::string RowText(const StockListItem& item) {
  char head[16];
  std::snprintf(head, sizeof head, "%04d ", item.code);
  return head + std::string(item.name, strnlen(item.name, sizeof item.name));
}

void Fill(const CStockDictionary& dict, std::string title,
          const std::function<bool(const StockListItem&)>& matches, ShownStockList* list) {
  list->title = std::move(title);
  list->rows.clear();
  for (int i = 0; i < dict.itemCount; ++i) {
    const StockListItem& item = dict.items[static_cast<size_t>(i)];
    if (matches(item)) list->rows.push_back(DictionaryRow(dict, i));
  }
}

// The leading "%d" of a list-file line; false without digits. Values too large for a code are
// held at 99999 rather than overflowing.
bool LeadingCode(const char* p, int* code) {
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  int v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = v > 99999 ? v : v * 10 + (*p - '0');
  *code = negative ? -v : v;
  return true;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

StockListRow DictionaryRow(const CStockDictionary& dict, int itemIndex) {
  const StockListItem& item = dict.items[static_cast<size_t>(itemIndex)];
  return {RowText(item), 1, itemIndex, item.code};
}

void FillAll(const CStockDictionary& dict, ShownStockList* list) {
  Fill(
      dict, AllStocksTitle(), [](const StockListItem&) { return true; }, list);
}

void FillMarket(const CStockDictionary& dict, int market, ShownStockList* list) {
  Fill(
      dict, MarketName(market), [market](const StockListItem& i) { return i.market == market; },
      list);
}

void FillIndustry(const CStockDictionary& dict, int industry, ShownStockList* list) {
  Fill(
      dict, IndustryName(industry),
      [industry](const StockListItem& i) { return i.industry == industry; }, list);
}

bool FillCodeRange(const CStockDictionary& dict, int number, ShownStockList* list) {
  if (number < 0 || number > 9999) return false;
  if (number == 0) {
    FillAll(dict, list);
    return true;
  }
  const int divisor = number < 10 ? 1000 : number < 100 ? 100 : number < 1000 ? 10 : 1;
  char title[32];
  std::snprintf(title, sizeof title, "%04d", number * divisor);
  static const std::string suffix = Utf8ToCp932("番台銘柄");
  Fill(
      dict, title + suffix,
      [number, divisor](const StockListItem& i) { return i.code / divisor == number; }, list);
  return true;
}

void FillNameSearch(const CStockDictionary& dict, const std::string& text, ShownStockList* list) {
  if (text.empty()) {
    FillAll(dict, list);
    return;
  }
  Fill(
      dict, text,
      [&text](const StockListItem& i) {
        return std::string_view(i.name, strnlen(i.name, sizeof i.name)).find(text) !=
               std::string_view::npos;
      },
      list);
}

bool OpenListFile(const CStockDictionary& dict, const std::string& path, ShownStockList* list) {
  if (dict.itemCount == 0) return false;
  list->rows.clear();
  list->title = Utf8ToCp932(BaseName(path));
  CLineFile file;
  if (!file.Open(path)) return true;
  char line[kListFileLineBytes];
  while (ReadRecordLine(file, line, sizeof line) != kNoLine) {
    int code;
    if (!LeadingCode(line, &code) || code < 1001 || code > 9999) continue;
    std::string text(line);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    StockListRow row{std::move(text), 0, 0, code};
    for (int i = 0; i < dict.itemCount; ++i) {
      if (dict.items[static_cast<size_t>(i)].code == code) {
        row.itemData = 1;
        row.itemIndex = i;
        break;
      }
    }
    list->rows.push_back(std::move(row));
  }
  return true;
}

bool SaveListFile(const CStockDictionary& dict, const ShownStockList& list, const std::string& path,
                 std::string* error) {
  std::string out;
  for (const StockListRow& row : list.rows) {
    const bool hasItem = row.itemData != 0 && row.itemIndex >= 0 && row.itemIndex < dict.itemCount;
    if (hasItem) {
      const StockListItem& item = dict.items[static_cast<size_t>(row.itemIndex)];
      out += std::to_string(item.code) + " " +
             std::string(item.name, strnlen(item.name, sizeof item.name));
    } else {
      out += row.text;
    }
    out += "\r\n";
  }
  return WriteFileAtomically(path, out.data(), out.size(), error);
}

int MarketOfCommand(int id) {
  static constexpr int kIds[][2] = {{32785, 1},  {32786, 2},  {32787, 3}, {32788, 4}, {32905, 5},
                                    {32906, 6},  {32909, 7},  {32910, 8}, {32791, 9}, {32907, 10},
                                    {32908, 11}, {32792, 12}, {32793, 13}};
  for (const auto& [command, market] : kIds) {
    if (command == id) return market;
  }
  return -1;
}

int IndustryOfCommand(int id) {
  static constexpr int kIds[][2] = {
      {32795, 1},  {32796, 2},  {32797, 3},  {32798, 4},  {32799, 5},  {32800, 6},  {32801, 7},
      {32802, 8},  {32803, 9},  {32804, 10}, {32805, 11}, {32806, 12}, {32807, 13}, {32882, 14},
      {32883, 15}, {32884, 16}, {32885, 17}, {32886, 18}, {32887, 19}, {32888, 20}, {32889, 21},
      {32890, 22}, {32891, 23}, {32892, 24}, {32893, 25}, {32894, 26}, {32895, 27}, {32896, 28},
      {32897, 29}, {32902, 30}, {32899, 31}, {32900, 32}, {32901, 33}, {32903, 0}};
  for (const auto& [command, industry] : kIds) {
    if (command == id) return industry;
  }
  return -1;
}

}  // namespace korvale
