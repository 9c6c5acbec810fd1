#include "acquisition/bulk_import_job.h"

#include "store/bulk_price_text.h"
#include "store/number_fields.h"

namespace korvale {

namespace {

// A block this long is stored in pieces as it goes, so a file of one endless block does not
// fill memory; appending or merging the pieces in turn gives what one block would.
constexpr size_t kBlockPieceBars = 65536;

bool IsBlankLine(std::string_view line) {
  for (char c : line) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

}  // namespace

CBulkImportJob::CBulkImportJob(CStockDictionary* dictionary, CFolderPreparer* folders,
                               std::string dataRootDir, ImportOptions options, std::string path)
    : CLineImportJob(dictionary, folders, std::move(dataRootDir), options, std::move(path)) {}

int CBulkImportJob::EndBlock() {
  if (!inBlock_) return 0;
  store_.Store(code_, name_, bars_.data(), static_cast<int>(bars_.size()));
  bars_.clear();
  inBlock_ = false;
  ++blocks_;
  return 1;
}

int CBulkImportJob::HandleLine(int read, std::string_view line) {
  const bool data = IsBulkDataLine(line);
  if (read == kCutLine) {
    SkipLine("longer than 248 characters, skipped");
    if (data) return 0;
    // A header too long to read names no stock: its block goes with it.
    const int ended = EndBlock();
    skipBlock_ = true;
    return ended;
  }
  if (data) {
    if (!inBlock_) {
      if (skipBlock_) {
        ++counts_.skippedLines;
      } else {
        SkipLine("price line before any stock header, skipped");
      }
      return 0;
    }
    PriceBar bar;
    if (!ParseBulkBarLine(line, &bar)) {
      SkipLine("not a price line (YYMMDD,open,high,low,close,volume), skipped");
      return 0;
    }
    bars_.push_back(bar);
    ++counts_.bars;
    if (bars_.size() >= kBlockPieceBars) {
      store_.Store(code_, name_, bars_.data(), static_cast<int>(bars_.size()));
      bars_.clear();
    }
    return 0;
  }
  if (IsBlankLine(line)) return 0;
  const int ended = EndBlock();
  int code;
  if (!ParseBulkHeader(line, &code, &name_)) {
    SkipLine(
        "neither a stock header nor a price line; the lines up to the next header are skipped");
    skipBlock_ = true;
    return ended;
  }
  if (code < 1 || code > 9999) {
    SkipLine("the stock header's code is outside 1-9999; its lines are skipped");
    skipBlock_ = true;
    return ended;
  }
  inBlock_ = true;
  skipBlock_ = false;
  code_ = code;
  return ended;
}

void CBulkImportJob::EndOfFile() { EndBlock(); }

}  // namespace korvale
