#include "store/dictionary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "store/file_io.h"

namespace korvale {

namespace {

bool ValidSlot(int code) { return code >= 0 && code < kDictionaryRecordCount; }

off_t RecordOffset(int code) { return static_cast<off_t>(code) * kDictionaryRecordSize; }

}  // namespace

std::string DictionaryFilePath(const std::string& folder) {
  return folder + "/" + kDictionaryFileName;
}

bool CreateEmptyDictionaryFile(const std::string& path, std::string* error) {
  const std::vector<uint8_t> zeros(kDictionaryFileSize, 0);
  return WriteFileAtomically(path, zeros.data(), zeros.size(), error);
}

bool ReadDictionaryRecord(const std::string& path, int code, DictionaryFileRecord* rec) {
  if (!ValidSlot(code)) return false;
  ScopedFd fd(OpenForReading(path));
  if (!fd.valid()) return false;
  uint8_t bytes[kDictionaryRecordSize];
  if (ReadAt(fd.get(), bytes, sizeof bytes, RecordOffset(code)) !=
      static_cast<ssize_t>(sizeof bytes)) {
    return false;
  }
  *rec = DecodeDictionaryRecord(bytes);
  return true;
}

bool WriteDictionaryRecord(const std::string& path, int code, const DictionaryFileRecord& rec,
                           std::string* error) {
  if (!ValidSlot(code)) {
    if (error) *error = "no dictionary record for code " + std::to_string(code);
    return false;
  }
  // One record rewritten in place, as the price update does for every new stock; rewriting the
  // whole 10 MB file per stock would make the update crawl.
  const int fd = OpenForWritingInPlace(path, error);
  if (fd < 0) return false;
  uint8_t bytes[kDictionaryRecordSize];
  EncodeDictionaryRecord(rec, bytes);
  ssize_t n;
  do {
    n = ::pwrite(fd, bytes, sizeof bytes, RecordOffset(code));
  } while (n < 0 && errno == EINTR);
  bool ok = n == static_cast<ssize_t>(sizeof bytes);
  if (!ok && error) *error = "cannot write " + path + ": " + std::strerror(errno);
  if (::close(fd) != 0 && ok) {
    ok = false;
    if (error) *error = "cannot write " + path + ": " + std::strerror(errno);
  }
  return ok;
}

bool ReadDictionaryImage(const std::string& path, std::vector<uint8_t>* image, bool* existed,
                         std::string* error) {
  *existed = FileSize(path) >= 0;
  if (!*existed) {
    image->assign(kDictionaryFileSize, 0);
    return true;
  }
  // A dictionary many times its proper size is not one; refusing it keeps memory bounded.
  if (!ReadWholeFile(path, image, 16 * kDictionaryFileSize)) {
    if (error) *error = path + " cannot open";
    return false;
  }
  if (image->size() < kDictionaryFileSize) image->resize(kDictionaryFileSize, 0);
  return true;
}

bool StoreName(const std::string& dataRootDir, int dataSourceMode, int code, const std::string& name,
              std::string* error) {
  if (dataSourceMode == 2 || code < 1 || code > 9999) return false;
  const std::string path = DictionaryFilePath(dataRootDir);
  if (!FileExists(path)) return false;
  DictionaryFileRecord rec;
  // A file too short for the record (damaged) gets the record written at its place; the rest of
  // the record is then empty.
  if (!ReadDictionaryRecord(path, code, &rec)) rec = DictionaryFileRecord();
  rec.code = code;
  SetFieldText(rec.name, name);
  return WriteDictionaryRecord(path, code, rec, error);
}

bool ReadStockInfo(const std::string& dataRootDir, int dataSourceMode, int code, StockInfo* info) {
  if (dataSourceMode == 2) return false;
  DictionaryFileRecord rec;
  if (!ReadDictionaryRecord(DictionaryFilePath(dataRootDir), code, &rec)) return false;
  info->text1 = FieldText(rec.text1);
  info->text2 = FieldText(rec.text2);
  info->market = rec.market;
  info->industry = rec.industry & 0xFF;
  for (int i = 0; i < kDictionaryFigureCount; ++i) info->figures[i] = rec.figures[i];
  return true;
}

}  // namespace korvale
