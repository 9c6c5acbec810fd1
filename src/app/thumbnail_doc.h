// The thumbnail window's document: the stocks of the main window's list as dictionary
// positions, one cell each, and the title the window shows.
#ifndef KORVALE_APP_THUMBNAIL_DOC_H_
#define KORVALE_APP_THUMBNAIL_DOC_H_

#include <string>
#include <vector>

#include "store/stock_dictionary.h"
#include "store/stock_list.h"

namespace korvale {

class CThumbnailDoc {
 public:
  // Takes the list's rows in order: a row whose code the dictionary does not hold (item data
  // 0) or whose item lies outside `dictionary` gets no stock (-1, an empty cell). The title
  // becomes the list's (cp932).
  void SetList(const CStockDictionary& dictionary, const ShownStockList& list);
  // A title other than the list's (a screening run names its rule), UTF-8.
  void SetTitle(std::string utf8) { title_ = std::move(utf8); }

  // One dictionary position (or -1) per cell.
  const std::vector<int>& entries() const { return entries_; }
  // UTF-8.
  const std::string& title() const { return title_; }

 private:
  std::vector<int> entries_;
  std::string title_;
};

}  // namespace korvale

#endif  // KORVALE_APP_THUMBNAIL_DOC_H_
