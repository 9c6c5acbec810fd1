#include "store/record_file.h"

#include <cerrno>
#include <cstring>

namespace korvale {

RecordFileRead ReadRecordFile(const std::string& path, size_t recordSize, size_t maxRecords,
                              size_t tail, ByteBuffer* out, std::string* problem) {
  out->Resize(0);
  problem->clear();
  int64_t size = 0;
  bool missing = false;
  ScopedFd fd(OpenForReading(path, &size, problem, &missing));
  if (!fd.valid()) {
    if (missing) problem->clear();
    return missing ? RecordFileRead::kMissing : RecordFileRead::kRefused;
  }
  const size_t count = static_cast<size_t>(size) / recordSize;
  if (count > maxRecords) {
    *problem = path + " holds " + std::to_string(count) + " records, more than the " +
               std::to_string(maxRecords) + " a sound file can hold; it is not read";
    return RecordFileRead::kRefused;
  }
  const size_t first = tail > 0 && count > tail ? count - tail : 0;
  out->Resize((count - first) * recordSize);
  const ssize_t got = ReadAt(fd.get(), out->data(), out->size(), int64_t(first * recordSize));
  if (got < 0) {
    *problem = path + " cannot be read: " + std::strerror(errno);
    out->Resize(0);
    return RecordFileRead::kRefused;
  }
  // A file that shrank while being read keeps its whole records.
  out->Resize(static_cast<size_t>(got) / recordSize * recordSize);
  if (const size_t piece = static_cast<size_t>(size) % recordSize; piece != 0) {
    *problem = path + " ends in " + std::to_string(piece) +
               " bytes of an incomplete record; they are ignored";
  }
  return RecordFileRead::kRead;
}

}  // namespace korvale
