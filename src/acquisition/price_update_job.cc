#include "acquisition/price_update_job.h"

#include "store/file_io.h"

namespace korvale {

namespace {

PriceBar BarOfRecord(const ImportRecord& r) {
  PriceBar bar;
  bar.year = static_cast<int16_t>(r.year);
  bar.month = static_cast<int8_t>(r.month);
  bar.day = static_cast<int8_t>(r.day);
  bar.reserved1 = 0;
  bar.reserved2 = 0;
  bar.open = r.open;
  bar.high = r.high;
  bar.low = r.low;
  bar.close = r.close;
  bar.volume = r.volume;
  return bar;
}

}  // namespace

CPriceUpdateJob::CPriceUpdateJob(ImportSourcePtr source, CStockDictionary* dictionary,
                                 CFolderPreparer* folders, std::string dataRootDir,
                                 ImportOptions options, std::vector<std::string> paths)
    : CUpdateJob(std::move(paths)),
      source_(std::move(source)),
      store_(dictionary, folders, std::move(dataRootDir), options,
             [this](std::string note) { AddNote(std::move(note)); }) {}

void CPriceUpdateJob::Finish() {
  CUpdateJob::Finish();
  source_.reset();
}

bool CPriceUpdateJob::OpenFile(const std::string& path, int* total) {
  if (!source_) {
    SetMessage(CannotOpenMessage(path));
    return false;
  }
  file_ = OpenImportFile(*source_, path, total);
  if (!file_) {
    SetMessage(CannotOpenMessage(path));
    return false;
  }
  fileSize_ = FileSize(path);
  return true;
}

bool CPriceUpdateJob::MoreInFile() const { return file_ && file_->Position() < fileSize_; }

void CPriceUpdateJob::CloseFile() { file_.reset(); }

CUpdateJob::RecordResult CPriceUpdateJob::HandleRecord(bool) {
  ImportRecord record;
  record.code = 0;
  record.year = 0;
  record.open = -1;
  const int64_t before = file_->Position();
  const bool ok = ReadImportRecord(*source_, *file_, &record);
  // A call that consumed nothing found no line: the extra call after the last line, or the
  // end of a file read beyond its count.
  if (file_->Position() == before) return RecordResult::kNoLine;
  ++counts_.records;
  if (!ok || record.code < 1 || record.code > 9999 || record.open <= 0) {
    ++rejected_;
  } else {
    ApplyRecord(record);
  }
  const BarStoreCounts& stored = store_.counts();
  counts_.applied = stored.applied;
  counts_.skipped = rejected_ + stored.skipped;
  counts_.writeFailures = stored.writeFailures;
  counts_.newStocks = stored.newStocks;
  return RecordResult::kHandled;
}

void CPriceUpdateJob::ApplyRecord(const ImportRecord& record) {
  const PriceBar bar = BarOfRecord(record);
  store_.Store(record.code, std::string(record.name), &bar, 1);
}

}  // namespace korvale
