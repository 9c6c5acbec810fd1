#include "app/thumbnail_doc.h"

#include "store/cp932.h"

namespace korvale {

void CThumbnailDoc::SetList(const CStockDictionary& dictionary, const ShownStockList& list) {
  entries_.clear();
  entries_.reserve(list.rows.size());
  for (const StockListRow& row : list.rows) {
    const bool inDictionary =
        row.itemData != 0 && row.itemIndex >= 0 && row.itemIndex < dictionary.itemCount;
    entries_.push_back(inDictionary ? row.itemIndex : -1);
  }
  title_ = Cp932ToUtf8(list.title);
}

}  // namespace korvale
