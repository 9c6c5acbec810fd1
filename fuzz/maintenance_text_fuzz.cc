// The text forms the maintenance menu reads: the bulk price file and the other data tool's daily
// download (split into lines as the imports scan them, every line parsed), and the price and
// margin texts converted to files (and the input, read as a price or margin file, converted to
// text). The first byte picks the form.
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "store/bulk_price_text.h"
#include "store/line_file.h"
#include "store/line_scanner.h"
#include "store/text_conversion.h"
#include "store/vendor_price_line.h"

using namespace korvale;

namespace {

// As the line imports read: lines of up to 1,024 bytes, a longer one cut.
constexpr int kLineCapacity = 1024;

void ScanLines(const std::string& path, bool vendor) {
  CLineFile file;
  if (!file.Open(path)) return;
  CLineScanner scanner(&file);
  std::string_view line;
  while (scanner.Next(kLineCapacity, &line) != kNoLine) {
    if (vendor) {
      VendorPriceLine parsed;
      if (IsVendorDataLine(line)) ParseVendorPriceLine(line, &parsed);
      continue;
    }
    if (IsBulkDataLine(line)) {
      PriceBar bar;
      ParseBulkBarLine(line, &bar);
    } else {
      int code = 0;
      std::string name;
      ParseBulkHeader(line, &code, &name);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string input = fuzzing::BytesAsFile(data + 1, size - 1);
  const std::string output = fuzzing::ScratchFolder() + "/converted";
  ConversionCounts counts;
  std::string error;
  switch (data[0] % 6) {
    case 0:
      ScanLines(input, false);
      break;
    case 1:
      ScanLines(input, true);
      break;
    case 2:
      PriceTextToFile(input, output, &counts, &error);
      break;
    case 3:
      MarginTextToFile(input, output, &counts, &error);
      break;
    case 4:
      PriceFileToText(input, output, &counts, &error);
      break;
    default:
      MarginFileToText(input, output, &counts, &error);
  }
  return 0;
}
