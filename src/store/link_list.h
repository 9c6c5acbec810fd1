// The peer server's stock page: an HTML page whose links name each stock's price file. It is
// the stock list of data-source mode 1 (CStockDictionary::ParseLinkList). Each link's address
// becomes a folder template in which the stock's four-digit code is replaced by "%04d".
#ifndef KORVALE_STORE_LINK_LIST_H_
#define KORVALE_STORE_LINK_LIST_H_

#include <string>
#include <string_view>

namespace korvale {

// The code and folder template of one link address. The code is the last group of digits
// when it has exactly four; the template is the address with that group replaced by "%04d"
// and every other '%' doubled, so formatting it with the code alone is always safe.
struct LinkTarget {
  int code = 0;
  std::string folderTemplate;
};

enum class LinkKind {
  kNoDigits,  // passed over
  kBadCode,   // digits, but no four-digit code from 1 to 9999: the scan ends
  kStock,
};

LinkKind ParseLinkAddress(std::string_view address, LinkTarget* target);

// A folder template with its code filled in ("%04d" becomes the code, "%%" becomes "%").
std::string ExpandLinkTemplate(const std::string& folderTemplate, int code);

}  // namespace korvale

#endif  // KORVALE_STORE_LINK_LIST_H_
