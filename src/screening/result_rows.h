// How a screening result becomes a row of the main window's stock list.
#ifndef KORVALE_SCREENING_RESULT_ROWS_H_
#define KORVALE_SCREENING_RESULT_ROWS_H_

#include <cstdint>

#include "store/stock_dictionary.h"
#include "store/stock_list.h"

namespace korvale {

// Appends the row of the dictionary item at `stockIndex` ("%04d %s" with its code and list
// name, item data 1, row map entry stockIndex). False, nothing appended, when stockIndex is not
// a position in the dictionary: a record read from a cache can name any number.
inline bool AppendRecordRow(const CStockDictionary& dictionary, int32_t stockIndex,
                            ShownStockList* out) {
  if (stockIndex < 0 || stockIndex >= dictionary.itemCount ||
      static_cast<size_t>(stockIndex) >= dictionary.items.size()) {
    return false;
  }
  out->rows.push_back(DictionaryRow(dictionary, stockIndex));
  return true;
}

}  // namespace korvale

#endif  // KORVALE_SCREENING_RESULT_ROWS_H_
