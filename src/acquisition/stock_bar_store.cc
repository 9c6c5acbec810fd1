#include "acquisition/stock_bar_store.h"

#include <algorithm>
#include <cstring>

#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/market_industry_tables.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

namespace korvale {

namespace {

// The name as the name table keeps it after loading the dictionary file: its first 23 bytes.
void SetNameEntry(StockNameEntry* entry, const std::string& name) {
  std::memset(entry->name, 0, sizeof entry->name);
  std::memcpy(entry->name, name.data(), std::min(name.size(), sizeof entry->name - 1));
}

bool InMergeCalendar(const PriceBar& bar) {
  return bar.year >= 1901 && bar.year <= 2099 && bar.month >= 1 && bar.month <= 12 &&
         bar.day >= 1 && bar.day <= 31 && bar.open > 0;
}

}  // namespace

CStockBarStore::CStockBarStore(CStockDictionary* dictionary, CFolderPreparer* folders,
                               std::string dataRootDir, ImportOptions options,
                               std::function<void(std::string)> note)
    : dictionary_(dictionary),
      folders_(folders),
      dataRootDir_(std::move(dataRootDir)),
      options_(options),
      note_(std::move(note)) {}

void CStockBarStore::Store(int code, const std::string& nameCp932, const PriceBar* bars,
                           int count) {
  if (count <= 0) return;
  std::string folder;
  if (!dictionary_->GetFolder(code, &folder)) folder = folders_->PrepareStockFolder(code);
  const std::string path = PriceFileName(folder, code);
  if (FileExists(path)) {
    if (options_.completeUpdate) {
      Merge(path, bars, count);
    } else {
      Append(path, bars, count);
    }
  } else if (options_.addUnregistered) {
    Register(code, nameCp932, folder, path, bars, count);
  } else {
    counts_.skipped += count;
  }
}

void CStockBarStore::WriteFailed(const std::string& path, const std::string& reason, int count) {
  counts_.writeFailures += count;
  note_(reason.empty() ? path + " cannot be written" : reason);
}

void CStockBarStore::Append(const std::string& path, const PriceBar* bars, int count) {
  bytes_.resize(static_cast<size_t>(count) * kPriceFileRecordSize);
  for (int i = 0; i < count; ++i) EncodeBar(bars[i], bytes_.data() + i * kPriceFileRecordSize);
  std::string error;
  int64_t cut = 0;
  if (AppendRecords(path, bytes_.data(), bytes_.size(), kPriceFileRecordSize, &error, &cut)) {
    counts_.applied += count;
    if (cut > 0) note_(TornTailNote(path, cut));
  } else {
    WriteFailed(path, error, count);
  }
}

void CStockBarStore::Merge(const std::string& path, const PriceBar* bars, int count) {
  // A file that exists but cannot be read would merge as empty, and the save would replace
  // the stock's whole history with these days.
  if (!CanReadFile(path)) {
    WriteFailed(path, path + " cannot be read; its new days were not merged", count);
    return;
  }
  if (!series_.LoadMerged(path, bars, count)) {
    // A file refused when read (too large for a price file) is not replaced by these days.
    if (series_.priceFileRefused()) {
      const std::vector<std::string> problems = series_.readProblems();
      WriteFailed(path, (problems.empty() ? path : problems.front()) +
                            "; its new days were not merged", count);
      return;
    }
    // Neither the file nor the bars hold a day of 1901-2099: nothing to merge, and the file
    // is left as it is.
    counts_.skipped += count;
    return;
  }
  std::string error;
  if (!series_.SaveAll(path, &error)) {
    WriteFailed(path, error, count);
    return;
  }
  // The merge keeps only days of its calendar with a price; the others are dropped, although
  // the file is rewritten (sorted) all the same.
  const int kept = static_cast<int>(std::count_if(bars, bars + count, InMergeCalendar));
  counts_.applied += kept;
  counts_.skipped += count - kept;
}

void CStockBarStore::Register(int code, const std::string& nameCp932, const std::string& folder,
                              const std::string& path, const PriceBar* bars, int count) {
  CStockNameTable& names = dictionary_->names;
  if (!names.HasName(code)) {
    std::string error;
    if (StoreName(dataRootDir_, 0, code, nameCp932, &error)) {
      // The list shows the new stock under its name at once, as a reload of the dictionary
      // file would, not as "(code)" until the next start.
      StockNameEntry& entry = names.entries[static_cast<size_t>(code)];
      SetNameEntry(&entry, nameCp932);
      DictionaryFileRecord stored;
      if (ReadDictionaryRecord(DictionaryFilePath(dataRootDir_), code, &stored)) {
        entry.market = static_cast<uint8_t>(
            stored.market >= 1 && stored.market <= 12 ? stored.market : kOtherMarket);
        entry.industry = static_cast<uint8_t>(stored.industry & 0xFF);
      }
    } else if (!error.empty()) {
      note_(error);
    }
  }
  const int appliedBefore = counts_.applied;
  Append(path, bars, count);
  if (counts_.applied == appliedBefore) return;
  ++counts_.newStocks;
  // A stock the list holds already (its file was removed since the scan) is not listed twice.
  if (dictionary_->FindItem(code) >= 0) return;
  int index = dictionary_->FindFolder(folder);
  if (!IsFolderIndex(index)) index = dictionary_->AddFolder(folder);
  if (!IsFolderIndex(index)) {
    note_("the dictionary's folder table is full: " + folder + " is not listed");
    return;
  }
  if (!dictionary_->AddStock(code, index)) {
    note_("the stock list is full: the new stock " + std::to_string(code) + " is not listed");
  }
}

}  // namespace korvale
