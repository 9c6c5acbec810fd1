#include "acquisition/margin_update_job.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "acquisition/host_import_source.h"
#include "store/file_io.h"
#include "store/price_records.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

namespace korvale {

namespace {

constexpr int kYsHeaderLines = 2;

bool LetterIs(char c, char upper) { return c == upper || c == upper - 'A' + 'a'; }

}  // namespace

MarginFileDate MarginDateOfFileName(const std::string& fileName) {
  // Padded, so positions past a short name read as 0.
  char name[16] = {};
  std::memcpy(name, fileName.data(), std::min(fileName.size(), sizeof name - 1));
  MarginFileDate d;
  if (LetterIs(name[0], 'S') && LetterIs(name[1], 'Z') && IsDigitByte(name[2])) {
    d.form = kMarginNameSz;
    const int yy = DecimalOf(name + 2, 2);
    d.year = 1900 + yy + (yy < 70 ? 100 : 0);
    d.month = DecimalOf(name + 4, 2);
    d.day = DecimalOf(name + 6, 2);
  } else if (LetterIs(name[0], 'Y') && LetterIs(name[1], 'S') && IsDigitByte(name[2])) {
    d.form = kMarginNameYs;
    d.year = DecimalOf(name + 2, 4);
    d.month = DecimalOf(name + 6, 2);
    d.day = DecimalOf(name + 9, 2);
  }
  return d;
}

std::string NotMarginFileMessage(const std::string& path) {
  return path + " is not named as a margin file (SZyymmdd... or YSyyyymm.dd...)";
}

std::string ReadFailedMessage(const std::string& path) {
  return path + " cannot be read to its end";
}

CMarginUpdateJob::CMarginUpdateJob(const CStockDictionary* dictionary, CFolderPreparer* folders,
                                   std::vector<std::string> paths)
    : CUpdateJob(std::move(paths)), dictionary_(dictionary), folders_(folders) {}

std::string CMarginUpdateJob::DataFolder() const { return folders_->root(); }

bool CMarginUpdateJob::OpenFile(const std::string& path, int* total) {
  const size_t slash = path.rfind('/');
  date_ = MarginDateOfFileName(slash == std::string::npos ? path : path.substr(slash + 1));
  if (date_.form == kMarginNameNone) {
    SetMessage(NotMarginFileMessage(path));
    return false;
  }
  file_ = std::make_unique<CLineFile>();
  if (!file_->Open(path)) {
    SetMessage(CannotOpenMessage(path));
    return false;
  }
  char line[kImportLineBytes];
  int lines = 0;
  while (lines < kImportMaxCountedLines && ReadImportLine(*file_, line)) ++lines;
  if (!file_->Seek(0)) {
    SetMessage(CannotOpenMessage(path));
    return false;
  }
  if (date_.form == kMarginNameYs) {
    lines -= kYsHeaderLines;
    for (int i = 0; i < kYsHeaderLines; ++i) ReadImportLine(*file_, line);
  }
  fileSize_ = FileSize(path);
  *total = lines;
  return true;
}

bool CMarginUpdateJob::MoreInFile() const { return file_ && file_->Position() < fileSize_; }

void CMarginUpdateJob::CloseFile() { file_.reset(); }

std::string CMarginUpdateJob::MarginPath(int code) {
  std::string path;
  if (dictionary_->GetMarginPath(code, &path)) return path;
  if (marginFolder_.empty()) marginFolder_ = folders_->PrepareMarginFolder();
  return MarginFileName(marginFolder_, code);
}

CUpdateJob::RecordResult CMarginUpdateJob::HandleRecord(bool beyondCount) {
  char line[kImportLineBytes];
  if (!ReadImportLine(*file_, line)) {
    if (beyondCount) return RecordResult::kNoLine;
    // The lines were counted when the file was opened; missing ones mean it changed or a read
    // failed.
    SetMessage(ReadFailedMessage(currentPath()));
    return RecordResult::kFileError;
  }
  ++counts_.records;
  int code = 0;
  std::sscanf(line, "%d", &code);
  // Codes outside 1-9999 name no stock and would make no valid file name.
  if (code < 1 || code > 9999) {
    ++counts_.skipped;
    return RecordResult::kHandled;
  }
  const size_t from = date_.form == kMarginNameYs ? 7 : 5;
  const size_t length = std::strlen(line);
  long sell = 0, buy = 0;
  if (length > from) {
    if (const char* comma =
            static_cast<const char*>(std::memchr(line + from, ',', length - from))) {
      std::sscanf(comma + 1, "%ld,%ld", &sell, &buy);
    }
  }
  MarginRecord rec;
  rec.year = static_cast<int16_t>(date_.year);
  rec.month = static_cast<int8_t>(date_.month);
  rec.day = static_cast<int8_t>(date_.day);
  rec.sell = static_cast<int32_t>(sell);
  rec.buy = static_cast<int32_t>(buy);
  uint8_t bytes[kMarginRecordSize];
  EncodeMarginRecord(rec, bytes);
  const std::string path = MarginPath(code);
  std::string error;
  int64_t cut = 0;
  if (AppendRecords(path, bytes, sizeof bytes, kMarginRecordSize, &error, &cut)) {
    ++counts_.applied;
    if (cut > 0) AddNote(TornTailNote(path, cut));
  } else {
    ++counts_.writeFailures;
    AddNote(error);
  }
  return RecordResult::kHandled;
}

}  // namespace korvale
