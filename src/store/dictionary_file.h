// The dictionary file KorvaleEx.DIC in the data root: creating it, reading one record and the
// record updates that the price update and the information panel make.
#ifndef KORVALE_STORE_DICTIONARY_FILE_H_
#define KORVALE_STORE_DICTIONARY_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/dictionary_record.h"

namespace korvale {

// "<folder>/KorvaleEx.DIC".
std::string DictionaryFilePath(const std::string& folder);

// Writes 10,000 zero-filled records to `path` (replacing any file there). False, with the reason in
// `error`, when the file cannot be written; the caller shows kDiskAccessErrorMessage.
bool CreateEmptyDictionaryFile(const std::string& path, std::string* error = nullptr);

// Reads record `code` (0-9999) of the file. False when the file does not open or is too short
// to hold the record.
bool ReadDictionaryRecord(const std::string& path, int code, DictionaryFileRecord* rec);

// Writes record `code` in place in an existing file. False, with a reason, when the file does not
// open or the write fails.
bool WriteDictionaryRecord(const std::string& path, int code, const DictionaryFileRecord& rec,
                           std::string* error = nullptr);

// Reads the whole dictionary file into `image`, padded with empty records to the full 10,000
// (a longer file keeps its extra bytes), for the updates that rewrite many records at once.
// A missing file gives an all-empty image and `existed` false. False, with a reason, when the
// file exists but cannot be read.
bool ReadDictionaryImage(const std::string& path, std::vector<uint8_t>* image, bool* existed,
                         std::string* error);

// Sets the code field and the name (cut to 47 bytes) of record `code` in the dictionary file of
// `dataRootDir`, keeping the record's other fields. False without doing anything when
// dataSourceMode is 2, the code is outside 1-9999 or the file does not open; false with a reason in
// `error` when the write fails.
bool StoreName(const std::string& dataRootDir, int dataSourceMode, int code, const std::string& name,
              std::string* error = nullptr);

// What the stock-information panel shows for a stock.
struct StockInfo {
  std::string text1;  // cp932
  std::string text2;
  int market = 0;    // as stored; MarketName gives "" outside the table
  int industry = 0;  // the low byte of the stored field
  double figures[kDictionaryFigureCount] = {};
};

// Reads the information of record `code` from the dictionary file of `dataRootDir`. False when
// dataSourceMode is 2 or the record cannot be read.
bool ReadStockInfo(const std::string& dataRootDir, int dataSourceMode, int code, StockInfo* info);

}  // namespace korvale

#endif  // KORVALE_STORE_DICTIONARY_FILE_H_
