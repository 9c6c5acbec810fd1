// The name update from a vendor's stock-information file: each line holds a code and a name.
#ifndef KORVALE_STORE_DICTIONARY_VENDOR_UPDATE_H_
#define KORVALE_STORE_DICTIONARY_VENDOR_UPDATE_H_

#include <string>

#include "store/dictionary_text.h"

namespace korvale {

// Reads the vendor file through a CLineFile, lines of at most 128 characters (the rest of a
// longer line is dropped). A line gives the code (read as "%d,") and the name: the text after
// the first comma found from the sixth character on, up to the next comma or the line end, at
// most 24 bytes, with a leading "（株）" removed, and a trailing one when the name has 7 bytes
// or more. Record `code` (1-9999) gets its code field and the name; its other fields stay. A
// line without a code in range or without a name comma is skipped. A missing dictionary file is
// created empty first; the file is rewritten once, atomically. False, with a reason, when the vendor
// file does not open or the dictionary cannot be read or written.
bool UpdateNamesFromVendorFile(const std::string& vendorPath, const std::string& dicPath,
                              std::string* error = nullptr,
                              DictionaryUpdateCounts* counts = nullptr);

}  // namespace korvale

#endif  // KORVALE_STORE_DICTIONARY_VENDOR_UPDATE_H_
