#include "acquisition/delete_date_job.h"

#include "store/file_io.h"
#include "store/price_records.h"

namespace korvale {

CDeleteDateJob::CDeleteDateJob(const CStockDictionary& dictionary, DeleteDateTarget target)
    : CStockWalkJob(dictionary, target.margin ? kDeleteMarginCaption : kDeletePriceCaption),
      target_(target) {}

bool CDeleteDateJob::Matches(int year, int month, int day) const {
  return year == target_.year && month == target_.month &&
         (target_.wholeMonth || day == target_.day);
}

bool CDeleteDateJob::HandleItem(int itemIndex) {
  if (!ResolveItemFiles(dictionary_, itemIndex, std::string(), &files_)) {
    ++counts_.unreadable;
    return true;
  }
  if (target_.margin) {
    DeleteMargins();
  } else {
    DeletePrices();
  }
  return true;
}

void CDeleteDateJob::DeletePrices() {
  if (!CanReadFile(files_.pricePath)) {
    ++counts_.unreadable;
    return;
  }
  if (!series_.LoadMerged(files_.pricePath, nullptr, 0)) {
    ++counts_.unchanged;  // no day of the merge's calendar: nothing the rewrite could keep
    return;
  }
  int removed = 0;
  for (const PriceBar& b : series_.bars) removed += Matches(b.year, b.month, b.day) ? 1 : 0;
  std::string error;
  if (!series_.SaveWithout(files_.pricePath, target_.wholeMonth ? 1 : 0, target_.year,
                           target_.month, target_.day, &error)) {
    ++counts_.failures;
    AddNote(error);
    return;
  }
  ++counts_.rewritten;
  counts_.removed += removed;
}

void CDeleteDateJob::DeleteMargins() {
  if (files_.marginPath.empty()) return;
  if (!ReadWholeFile(files_.marginPath, &bytes_)) {
    ++counts_.unreadable;
    return;
  }
  const size_t records = bytes_.size() / kMarginRecordSize;
  kept_.clear();
  int removed = 0;
  for (size_t i = 0; i < records; ++i) {
    const uint8_t* record = bytes_.data() + i * kMarginRecordSize;
    const MarginRecord r = DecodeMarginRecord(record);
    if (Matches(r.year, r.month, r.day)) {
      ++removed;
    } else {
      kept_.insert(kept_.end(), record, record + kMarginRecordSize);
    }
  }
  if (removed == 0) {
    ++counts_.unchanged;
    return;
  }
  std::string error;
  if (!WriteFileAtomically(files_.marginPath, kept_.data(), kept_.size(), &error)) {
    ++counts_.failures;
    AddNote(error);
    return;
  }
  ++counts_.rewritten;
  counts_.removed += removed;
}

}  // namespace korvale
