#include "acquisition/price_update_job.h"

#include <algorithm>
#include <cstring>

#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/market_industry_tables.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

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

// The name as the name table keeps it after loading the dictionary file: its first 23 bytes.
void SetNameEntry(StockNameEntry* entry, const std::string& name) {
  std::memset(entry->name, 0, sizeof entry->name);
  std::memcpy(entry->name, name.data(), std::min(name.size(), sizeof entry->name - 1));
}

}  // namespace

CPriceUpdateJob::CPriceUpdateJob(ImportSourcePtr source, CStockDictionary* dictionary,
                                 CFolderPreparer* folders, std::string dataRootDir,
                                 ImportOptions options, std::vector<std::string> paths)
    : CUpdateJob(std::move(paths)),
      source_(std::move(source)),
      dictionary_(dictionary),
      folders_(folders),
      dataRootDir_(std::move(dataRootDir)),
      options_(options) {}

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
    ++counts_.skipped;
    return RecordResult::kHandled;
  }
  ApplyRecord(record);
  return RecordResult::kHandled;
}

void CPriceUpdateJob::ApplyRecord(const ImportRecord& record) {
  const PriceBar bar = BarOfRecord(record);
  std::string folder;
  if (!dictionary_->GetFolder(record.code, &folder)) {
    folder = folders_->PrepareStockFolder(record.code);
  }
  const std::string path = PriceFileName(folder, record.code);
  if (FileExists(path)) {
    if (options_.completeUpdate) {
      MergeBar(path, bar);
    } else {
      AppendBar(path, bar);
    }
  } else if (options_.addUnregistered) {
    RegisterStock(record, folder, path, bar);
  } else {
    ++counts_.skipped;
  }
}

void CPriceUpdateJob::WriteFailed(const std::string& path, const std::string& reason) {
  ++counts_.writeFailures;
  AddNote(reason.empty() ? path + " cannot be written" : reason);
}

void CPriceUpdateJob::AppendBar(const std::string& path, const PriceBar& bar) {
  uint8_t bytes[kPriceFileRecordSize];
  EncodeBar(bar, bytes);
  std::string error;
  if (AppendToFile(path, bytes, sizeof bytes, &error)) {
    ++counts_.applied;
  } else {
    WriteFailed(path, error);
  }
}

void CPriceUpdateJob::MergeBar(const std::string& path, const PriceBar& bar) {
  if (!series_.LoadMerged(path, &bar, 1)) {
    // A file that exists but was not read (unreadable, not a regular file, too large) would
    // merge as empty, and the save would replace the stock's whole history with this one day.
    if (series_.priceFileRefused()) {
      const std::vector<std::string> problems = series_.readProblems();
      WriteFailed(path, (problems.empty() ? path : problems.front()) +
                            "; the record was not merged");
      return;
    }
    // Neither the file nor the record holds a day of 1901-2099: nothing to merge, and the file
    // is left as it is.
    ++counts_.skipped;
    return;
  }
  std::string error;
  if (!series_.SaveAll(path, &error)) {
    WriteFailed(path, error);
    return;
  }
  // The merge keeps only days of its calendar; a record dated outside it is dropped, although
  // the file is rewritten (sorted) all the same.
  const bool kept = bar.year >= 1901 && bar.year <= 2099 && bar.month >= 1 && bar.month <= 12 &&
                    bar.day >= 1 && bar.day <= 31;
  ++(kept ? counts_.applied : counts_.skipped);
}

void CPriceUpdateJob::RegisterStock(const ImportRecord& record, const std::string& folder,
                                    const std::string& path, const PriceBar& bar) {
  CStockNameTable& names = dictionary_->names;
  if (!names.HasName(record.code)) {
    const std::string name(record.name);
    std::string error;
    if (StoreName(dataRootDir_, 0, record.code, name, &error)) {
      // The list shows the new stock under its name at once, as a reload of the dictionary
      // file would, not as "(code)" until the next start.
      StockNameEntry& entry = names.entries[static_cast<size_t>(record.code)];
      SetNameEntry(&entry, name);
      DictionaryFileRecord stored;
      if (ReadDictionaryRecord(DictionaryFilePath(dataRootDir_), record.code, &stored)) {
        entry.market = static_cast<uint8_t>(
            stored.market >= 1 && stored.market <= 12 ? stored.market : kOtherMarket);
        entry.industry = static_cast<uint8_t>(stored.industry & 0xFF);
      }
    } else if (!error.empty()) {
      AddNote(error);
    }
  }
  uint8_t bytes[kPriceFileRecordSize];
  EncodeBar(bar, bytes);
  std::string error;
  if (!AppendToFile(path, bytes, sizeof bytes, &error)) {
    WriteFailed(path, error);
    return;
  }
  ++counts_.applied;
  ++counts_.newStocks;
  // A stock the list holds already (its file was removed since the scan) is not listed twice.
  if (dictionary_->FindItem(record.code) >= 0) return;
  int index = dictionary_->FindFolder(folder);
  if (!IsFolderIndex(index)) index = dictionary_->AddFolder(folder);
  if (!IsFolderIndex(index)) {
    AddNote("the dictionary's folder table is full: " + folder + " is not listed");
    return;
  }
  if (!dictionary_->AddStock(record.code, index)) {
    AddNote("the stock list is full: the new stock " + std::to_string(record.code) +
            " is not listed");
  }
}

}  // namespace korvale
