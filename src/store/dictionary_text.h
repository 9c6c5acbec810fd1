// The dictionary file's text form, one listed record a line:
//   "%04d, %s, %d, %d, %s, %s, %s" — code, quote symbol, market, industry, name, first and
//   second descriptive text — ending in CR LF.
#ifndef KORVALE_STORE_DICTIONARY_TEXT_H_
#define KORVALE_STORE_DICTIONARY_TEXT_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korvale {

inline constexpr const char* kDictionaryTextDefaultName = "KorvaleExDic.TXT";

// What a text import or a vendor update did.
struct DictionaryUpdateCounts {
  int lines = 0;    // lines read
  int updated = 0;  // records rewritten
  int skipped = 0;  // lines that changed nothing
};

// Writes one line for every record 1-9999 whose code field equals its position. False, with a
// reason in `error`, when the dictionary cannot be read or the text file cannot be written.
bool ExportText(const std::string& dicPath, const std::string& textPath,
               std::string* error = nullptr);

// Reads text lines (at most 1022 characters; the rest of a longer line is dropped) into the
// dictionary. A line replaces code, quote symbol, market, industry, name and both texts of the
// record of its code and keeps the record's figures and reserved bytes; a field may be empty,
// a line that ends early sets the fields it has, and the last text runs to the end of the line.
// A line is skipped when its code is missing or outside 1-9999, or when its record holds
// another code (a slot is never taken over). A missing dictionary file is created empty first.
// The file is rewritten once, atomically. False, with a reason, when the text file does not open
// or the dictionary cannot be read or written.
bool ImportText(const std::string& textPath, const std::string& dicPath,
               std::string* error = nullptr, DictionaryUpdateCounts* counts = nullptr);

// The loop the line-wise dictionary updates share: reads every line of `inputPath` into a
// buffer of `lineBufferBytes` (a longer line is cut and its tail dropped) and hands it to
// `apply`, which changes the dictionary image and returns true when it did; then writes the image
// back once, atomically, when a line changed it or the file did not exist. True on success; false with a
// reason ("%s cannot open" for the input) otherwise.
bool UpdateDictionaryByLines(
    const std::string& inputPath, const std::string& dicPath, int lineBufferBytes,
    const std::function<bool(const char* line, int length, std::vector<uint8_t>* image)>& apply,
    std::string* error, DictionaryUpdateCounts* counts);

}  // namespace korvale

#endif  // KORVALE_STORE_DICTIONARY_TEXT_H_
