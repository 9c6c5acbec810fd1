// CLineScanner: the lines of a CLineFile read a buffer at a time, for readers that go through
// files of millions of lines (bulk price files) where ReadLine's byte-at-a-time reads would
// dominate. The lines it returns are exactly those ReadRecordLine returns.
#ifndef KORVALE_STORE_LINE_SCANNER_H_
#define KORVALE_STORE_LINE_SCANNER_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/line_file.h"

namespace korvale {

class CLineScanner {
 public:
  // Reads `file` (opened, not owned) from its current position.
  explicit CLineScanner(CLineFile* file);

  // The next line as ReadRecordLine(file, buffer, capacity) would give it: kWholeLine with the
  // line's text without its line end; kCutLine with the first capacity - 1 bytes of a line that
  // does not fit (its rest, up to and including its line end, is skipped); kNoLine at the end of
  // the file or when a read fails (an unterminated last line is never returned). `line` views
  // storage of the scanner, valid until the next call. `capacity` is at least 2.
  int Next(int capacity, std::string_view* line);

  // The byte position just after the last line returned (its line end included), where the
  // next line starts; a file longer than this ended in a line without a line end.
  int64_t Position() const { return nextLine_; }
  // True when a read of the file failed (the scan then ended as at the end of the file).
  bool failed() const { return failed_; }

 private:
  bool Fill();
  void LineEnded(LineEndMode mode);

  CLineFile* file_;
  std::vector<char> buffer_;
  size_t length_ = 0;      // bytes held in buffer_
  size_t pos_ = 0;         // next byte to look at
  int64_t start_;          // file position of buffer_[0]
  bool dropNext_ = false;  // a CR LF line ended at the buffer's end: drop the next byte
  bool failed_ = false;
  int64_t nextLine_;
  std::string line_;  // a line that spans two buffers
};

}  // namespace korvale

#endif  // KORVALE_STORE_LINE_SCANNER_H_
