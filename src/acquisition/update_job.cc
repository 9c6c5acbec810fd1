#include "acquisition/update_job.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace korvale {

namespace {

size_t NameStart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

std::string FinishedFileName(const std::string& path) {
  const size_t start = NameStart(path);
  return path.substr(0, start) + "_" + path.substr(start);
}

bool RenameFinishedFile(const std::string& path, std::string* error) {
  const std::string target = FinishedFileName(path);
  if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  // File systems without the no-replace rename: look first, then rename.
  if (errno == EINVAL || errno == ENOSYS) {
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0) {
      errno = EEXIST;
    } else if (std::rename(path.c_str(), target.c_str()) == 0) {
      return true;
    }
  }
  if (error) {
    *error = errno == EEXIST ? path + " keeps its name: " + target + " exists already"
                             : path + " cannot be renamed: " + std::strerror(errno);
  }
  return false;
}

void SortPathsBytewise(std::vector<std::string>* paths) {
  // std::string compares its characters as unsigned bytes, a prefix before the longer string.
  std::sort(paths->begin(), paths->end());
}

std::string MissingDataFolderMessage(const std::string& folder) {
  return "the data folder " + folder + " does not exist";
}

CUpdateJob::CUpdateJob(std::vector<std::string> paths) : paths_(std::move(paths)) {}

std::string CUpdateJob::currentPath() const {
  return fileIndex_ < fileCount() ? paths_[static_cast<size_t>(fileIndex_)] : std::string();
}

std::string CUpdateJob::currentFileName() const {
  const std::string path = currentPath();
  return path.substr(NameStart(path));
}

std::string CUpdateJob::ProgressText() const { return "更新中... " + currentFileName() + " "; }

UpdateJobStatus CUpdateJob::Start() {
  if (status_ != UpdateJobStatus::kIdle) return status_;
  SortPathsBytewise(&paths_);
  fileIndex_ = 0;
  struct stat st;
  const std::string folder = DataFolder();
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    SetMessage(MissingDataFolderMessage(folder));
    status_ = UpdateJobStatus::kFailed;
    return status_;
  }
  if (paths_.empty()) {
    status_ = UpdateJobStatus::kFinished;
    return status_;
  }
  status_ = UpdateJobStatus::kRunning;
  OpenCurrent();
  return status_;
}

bool CUpdateJob::OpenCurrent() {
  done_ = 0;
  total_ = 0;
  writeFailuresBeforeFile_ = counts_.writeFailures;
  if (!OpenFile(currentPath(), &total_)) {
    status_ = UpdateJobStatus::kFailed;
    CloseFile();
    return false;
  }
  // A file with nothing to read is finished as it stands.
  if (total_ <= 0 && !MoreInFile()) {
    total_ = 0;
    FileFinished();
  }
  return true;
}

void CUpdateJob::FileFinished() {
  CloseFile();
  ++counts_.filesDone;
  if (const int failed = counts_.writeFailures - writeFailuresBeforeFile_; failed > 0) {
    // Not done: the records that could not be written are still to be applied.
    // Said once per file, whatever the cap on notes.
    ++counts_.filesKept;
    AddUncappedNote(currentPath() + " keeps its name: " + std::to_string(failed) +
                    (failed == 1 ? " record" : " records") + " could not be written");
  } else if (std::string error; !RenameFinishedFile(currentPath(), &error)) {
    AddNote(error);
  }
  ++fileIndex_;
  if (fileIndex_ >= fileCount()) {
    status_ = UpdateJobStatus::kFinished;
    return;
  }
  OpenCurrent();
}

UpdateJobStatus CUpdateJob::Step(int n) {
  for (int i = 0; i < n && status_ == UpdateJobStatus::kRunning; ++i) {
    const bool beyondCount = done_ >= total_;
    const RecordResult result = HandleRecord(beyondCount);
    if (result == RecordResult::kFileError) {
      status_ = UpdateJobStatus::kFailed;
      CloseFile();
      break;
    }
    if (result == RecordResult::kNoLine && beyondCount) {
      FileFinished();
      break;
    }
    ++done_;
    if (done_ >= total_) {
      if (!MoreInFile()) {
        FileFinished();
        break;
      }
      // The file holds more lines than its count said: read on to its end rather than mark a
      // file done whose tail was never read.
      total_ = done_;
    }
  }
  return status_;
}

void CUpdateJob::Cancel() {
  if (status_ == UpdateJobStatus::kRunning || status_ == UpdateJobStatus::kIdle) {
    status_ = UpdateJobStatus::kCancelled;
  }
  Finish();
}

void CUpdateJob::Finish() { CloseFile(); }

}  // namespace korvale
