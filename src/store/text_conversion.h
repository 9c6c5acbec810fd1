// The per-stock text forms and the single-file conversions of the maintenance menu:
//   price text  "\"年月日\",\"始値\",\"高値\",\"安値\",\"終値\",\"出来高\"", then
//               "%4d/%02d/%02d,%ld,%ld,%ld,%ld,%ld" (date, open, high, low, close, volume);
//   margin text "\"年月日\",\"売り残\",\"買い残\"", then "%4d/%02d/%02d,%ld,%ld" (date, sell, buy).
// Texts are cp932 and end their lines in CR LF.
#ifndef KORVALE_STORE_TEXT_CONVERSION_H_
#define KORVALE_STORE_TEXT_CONVERSION_H_

#include <string>

namespace korvale {

// What a file is, by its name (any case): a price file "*.KDT", a margin file "*.SDT", a price
// text "KD*.CSV" or a margin text "SZ*.CSV".
enum class ConvertKind { kUnknown, kPriceFile, kMarginFile, kPriceText, kMarginText };
ConvertKind ConvertKindOf(const std::string& path);

// The name the other form of `path` gets: the file's name up to its last dot, then "." and
// `extension` ("CSV", "KDT", "SDT"); for the usual names (KD7203.KDT) exactly the first seven
// characters followed by the extension. Only the name, no folder.
std::string ConvertedFileName(const std::string& path, const char* extension);

// Where a conversion of `path` writes by default: a text into `textFolder` (the folder that
// was current before the file dialog, the data root), a price or margin file beside its text.
// Empty for an unknown kind.
std::string DefaultConvertOutput(const std::string& path, const std::string& textFolder);

// What a conversion did.
struct ConversionCounts {
  int lines = 0;    // text lines read (text to file)
  int records = 0;  // records written (or, file to text, lines written)
  int skipped = 0;  // text lines that gave no record, the header among them
  // The text ended in a line without a line end, which is not converted (as every line reader
  // of the program treats such a line): worth telling the user.
  bool unterminatedLastLine = false;
};

// A price file to price text: the file loaded as the chart loads it (a day without prices or
// volume shown at the previous close), one line a bar. The text is written atomically. False,
// with "%s cannot open" (the input) or the write's reason in `error`, on failure; the output is
// then untouched.
bool PriceFileToText(const std::string& pricePath, const std::string& textPath,
                     ConversionCounts* counts, std::string* error);

// A price text to a price file, one record a line in line order (reserved bytes 0). A line is
// skipped when it does not hold a date text and five numbers, its open is 0, a number does not
// fit 32 bits, or characters 1-4, 6-7 and 9-10 are not a date with month 1-12 and day 1-31; a
// line of 128 characters or more is skipped whole. The file is written atomically.
bool PriceTextToFile(const std::string& textPath, const std::string& pricePath,
                     ConversionCounts* counts, std::string* error);

// A margin file to margin text, every record in file order.
bool MarginFileToText(const std::string& marginPath, const std::string& textPath,
                      ConversionCounts* counts, std::string* error);

// A margin text to a margin file: as PriceTextToFile with two numbers a line; a line whose two
// balances are both 0 is skipped.
bool MarginTextToFile(const std::string& textPath, const std::string& marginPath,
                      ConversionCounts* counts, std::string* error);

// Runs the conversion of `path`'s kind into `output`. False with a reason for an unknown kind.
bool ConvertFile(const std::string& path, const std::string& output, ConversionCounts* counts,
                 std::string* error);

}  // namespace korvale

#endif  // KORVALE_STORE_TEXT_CONVERSION_H_
