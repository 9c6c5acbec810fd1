#include "acquisition/bulk_export_job.h"

#include "store/bulk_price_text.h"
#include "store/stock_dictionary.h"
#include "store/string_printf.h"

namespace korvale {

namespace {
constexpr size_t kFlushBytes = size_t{1} << 20;
}  // namespace

std::string BulkExportFileName(const ExportRange& range) {
  switch (range.kind) {
    case ExportRange::kYear:
      return StringPrintf("株価%04d", range.year);
    case ExportRange::kMonths:
      return StringPrintf("株価%04d%02d", range.startYear, range.startMonth);
    case ExportRange::kAll:
      break;
  }
  return "株価All";
}

bool InExportRange(const ExportRange& range, const PriceBar& bar) {
  switch (range.kind) {
    case ExportRange::kYear:
      return bar.year == range.year;
    case ExportRange::kMonths: {
      const long month = bar.month + 12L * (bar.year - range.startYear);
      return month >= range.startMonth && month <= range.startMonth + range.months - 1L;
    }
    case ExportRange::kAll:
      break;
  }
  return bar.year > 1900;
}

CBulkExportJob::CBulkExportJob(const CStockDictionary& dictionary, ExportRange range,
                               std::string outputPath)
    : CStockWalkJob(dictionary, kBulkExportCaption),
      range_(range),
      outputPath_(std::move(outputPath)) {}

bool CBulkExportJob::Begin() {
  if (!writer_.Open(outputPath_)) {
    SetMessage(CannotOpenMessage(outputPath_));
    return false;
  }
  buffer_.clear();
  return true;
}

bool CBulkExportJob::Flush() {
  std::string error;
  const bool ok = writer_.Write(buffer_.data(), buffer_.size(), &error);
  buffer_.clear();
  if (!ok) SetMessage(error);
  return ok;
}

bool CBulkExportJob::HandleItem(int itemIndex) {
  if (!ResolveItemFiles(dictionary_, itemIndex, std::string(), &files_) ||
      !series_.LoadAll(files_.pricePath)) {
    return true;
  }
  const StockListItem& item = dictionary_.items[static_cast<size_t>(itemIndex)];
  bool headed = false;
  for (const PriceBar& bar : series_.bars) {
    if (!InExportRange(range_, bar)) continue;
    if (!headed) {
      AppendBulkHeader(&buffer_, item.market, item.code, std::string(item.name));
      headed = true;
      ++counts_.stocks;
    }
    AppendBulkBarLine(&buffer_, bar);
    ++counts_.bars;
  }
  return buffer_.size() < kFlushBytes || Flush();
}

bool CBulkExportJob::Complete() {
  if (!buffer_.empty() && !Flush()) return false;
  std::string error;
  if (!writer_.Commit(&error)) {
    SetMessage(error);
    return false;
  }
  return true;
}

void CBulkExportJob::Abandon() {
  writer_.Discard();
  buffer_.clear();
}

void CBulkExportJob::Finish() {
  // A job dropped before its end leaves no half-written file behind.
  if (status_ != BatchStatus::kFinished) Abandon();
}

}  // namespace korvale
