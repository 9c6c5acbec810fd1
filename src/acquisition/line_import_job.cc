#include "acquisition/line_import_job.h"

#include <algorithm>
#include <climits>

#include "store/file_io.h"

namespace korvale {

namespace {

constexpr int kLineCapacity = 250;  // as every line reader of the program: 248 characters whole

int KiloBytes(int64_t bytes) {
  return static_cast<int>(std::min<int64_t>((bytes + 1023) / 1024, INT_MAX));
}

}  // namespace

CLineImportJob::CLineImportJob(CStockDictionary* dictionary, CFolderPreparer* folders,
                               std::string dataRootDir, ImportOptions options, std::string path)
    : store_(dictionary, folders, std::move(dataRootDir), options,
             [this](std::string note) { AddNote(std::move(note)); }),
      path_(std::move(path)) {}

BatchStatus CLineImportJob::Start() {
  if (status_ != BatchStatus::kIdle) return status_;
  if (!file_.Open(path_)) {
    SetMessage(CannotOpenMessage(path_));
    status_ = BatchStatus::kFailed;
    return status_;
  }
  fileSize_ = std::max<int64_t>(FileSize(path_), 0);
  scanner_ = std::make_unique<CLineScanner>(&file_);
  status_ = BatchStatus::kRunning;
  if (!Prepare()) {
    status_ = BatchStatus::kFailed;
    Finish();
  }
  return status_;
}

int CLineImportJob::NextLine(std::string_view* line) {
  const int read = scanner_->Next(kLineCapacity, line);
  if (read != kNoLine) ++lineNumber_;
  return read;
}

bool CLineImportJob::Rewind() {
  if (!file_.Seek(0)) return false;
  scanner_ = std::make_unique<CLineScanner>(&file_);
  lineNumber_ = 0;
  return true;
}

void CLineImportJob::SkipLine(const char* why) {
  ++counts_.skippedLines;
  AddNote(path_ + " line " + std::to_string(lineNumber_) + ": " + why);
}

BatchStatus CLineImportJob::Step(int n) {
  int items = 0;
  while (status_ == BatchStatus::kRunning && items < n) {
    std::string_view line;
    const int read = NextLine(&line);
    if (read == kNoLine) {
      EndOfFile();
      if (scanner_->failed()) {
        SetMessage(path_ + " cannot be read to its end");
        status_ = BatchStatus::kFailed;
      } else {
        status_ = BatchStatus::kFinished;
      }
      Finish();
      break;
    }
    ++counts_.lines;
    items += HandleLine(read, line);
  }
  return status_;
}

void CLineImportJob::Cancel() {
  if (status_ == BatchStatus::kRunning || status_ == BatchStatus::kIdle) {
    status_ = BatchStatus::kCancelled;
  }
  Finish();
}

void CLineImportJob::Finish() { file_.Close(); }

int CLineImportJob::done() const {
  if (status_ == BatchStatus::kFinished) return total();
  return scanner_ ? KiloBytes(scanner_->Position()) : 0;
}

int CLineImportJob::total() const { return KiloBytes(fileSize_); }

std::string CLineImportJob::ProgressText() const {
  const size_t slash = path_.rfind('/');
  return std::string(kImportCaption) + " " +
         (slash == std::string::npos ? path_ : path_.substr(slash + 1));
}

}  // namespace korvale
