#include "acquisition/vendor_import_job.h"

#include "store/vendor_price_line.h"

namespace korvale {

namespace {
constexpr int kCodes = 10000;
}  // namespace

CVendorImportJob::CVendorImportJob(CStockDictionary* dictionary, CFolderPreparer* folders,
                                   std::string dataRootDir, ImportOptions options, std::string path)
    : CLineImportJob(dictionary, folders, std::move(dataRootDir), options, std::move(path)),
      orderBits_(kCodes, 0) {}

bool CVendorImportJob::Prepare() {
  std::string_view line;
  VendorPriceLine parsed;
  for (;;) {
    const int read = NextLine(&line);
    if (read == kNoLine) break;
    if (read != kWholeLine || !ParseVendorPriceLine(line, &parsed)) continue;
    if (parsed.code < 1 || parsed.code >= kCodes) continue;
    orderBits_[static_cast<size_t>(parsed.code)] |= static_cast<uint16_t>(1u << parsed.marketOrder);
  }
  if (!Rewind()) {
    SetMessage(path() + " cannot be read to its end");
    return false;
  }
  return true;
}

int CVendorImportJob::HandleLine(int read, std::string_view line) {
  if (!IsVendorDataLine(line)) return 0;
  if (read != kWholeLine) {
    SkipLine("longer than 248 characters, skipped");
    return 1;
  }
  VendorPriceLine parsed;
  if (!ParseVendorPriceLine(line, &parsed)) {
    SkipLine("not a price line (YYYYMMDD CODE MARKET,open,high,low,close,volume), skipped");
    return 1;
  }
  if (parsed.code < 1 || parsed.code >= kCodes) {
    SkipLine("the code is outside 1-9999, skipped");
    return 1;
  }
  if (parsed.marketOrder != PreferredVendorOrder(orderBits_[static_cast<size_t>(parsed.code)])) {
    ++otherMarket_;
    return 1;
  }
  ++counts_.bars;
  store_.Store(parsed.code, parsed.nameCp932, &parsed.bar, 1);
  return 1;
}

}  // namespace korvale
