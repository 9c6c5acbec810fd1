// Reading the headerless files of fixed-size records (price, margin and trend-line files) with
// a bound on their size and a report of the damage found.
#ifndef KORVALE_STORE_RECORD_FILE_H_
#define KORVALE_STORE_RECORD_FILE_H_

#include <cstddef>
#include <string>

#include "store/file_io.h"

namespace korvale {

enum class RecordFileRead {
  kRead,     // the whole records are in the buffer
  kMissing,  // there is no such file: not an error, the callers fall back
  kRefused,  // the file exists but was not read (see the problem)
};

// Reads the whole records of a file of `recordSize`-byte records into `out`: all of them, or
// with `tail` > 0 only the last `tail`, so memory follows what is kept, not the file's size.
// A file that cannot be opened or read, is not a regular file, or holds more than `maxRecords`
// records is refused. `problem` gets one sentence naming the file when it was refused, or when
// it ends in a piece of a record (which is ignored); it is cleared otherwise.
RecordFileRead ReadRecordFile(const std::string& path, size_t recordSize, size_t maxRecords,
                              size_t tail, ByteBuffer* out, std::string* problem);

}  // namespace korvale

#endif  // KORVALE_STORE_RECORD_FILE_H_
