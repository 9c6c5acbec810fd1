#include "store/line_scanner.h"

#include <algorithm>
#include <cstring>

namespace korvale {

namespace {
constexpr size_t kScanBuffer = 256 * 1024;
}  // namespace

CLineScanner::CLineScanner(CLineFile* file)
    : file_(file), buffer_(kScanBuffer), start_(file->Position()), nextLine_(start_) {}

bool CLineScanner::Fill() {
  start_ += static_cast<int64_t>(length_);
  length_ = 0;
  pos_ = 0;
  const int64_t got = file_->Read(buffer_.data(), static_cast<int64_t>(buffer_.size()));
  if (got < 0) failed_ = true;
  if (got <= 0) return false;
  length_ = static_cast<size_t>(got);
  if (dropNext_) {
    dropNext_ = false;
    pos_ = 1;  // the byte after a CR in a CR LF file, whatever it is
    if (pos_ == length_) return Fill();
  }
  return true;
}

void CLineScanner::LineEnded(LineEndMode mode) {
  // In a CR LF file the byte after the CR goes with the line end, whatever it is.
  if (mode == kLineEndCrLf) {
    if (pos_ < length_) {
      ++pos_;
    } else {
      dropNext_ = true;
    }
  }
  nextLine_ = start_ + static_cast<int64_t>(pos_) + (dropNext_ ? 1 : 0);
}

int CLineScanner::Next(int capacity, std::string_view* line) {
  const LineEndMode mode = file_->lineEndMode;
  const char end = mode == kLineEndLf ? '\n' : '\r';
  // A line of capacity - 1 bytes or more is cut, as ReadLine cuts it.
  const size_t keep = static_cast<size_t>(std::max(capacity, 2) - 1);
  line_.clear();
  bool spanning = false;  // the line's start is in line_, not in buffer_
  bool cut = false;
  for (;;) {
    if (pos_ == length_ && !Fill()) {
      if (cut) {
        // A cut line is returned even when the file ends before its line end, as ReadLine
        // returns it.
        nextLine_ = start_ + static_cast<int64_t>(length_);
        *line = line_;
        return kCutLine;
      }
      *line = std::string_view();
      return kNoLine;
    }
    const char* from = buffer_.data() + pos_;
    const size_t available = length_ - pos_;
    const char* hit = static_cast<const char*>(std::memchr(from, end, available));
    const size_t n = hit ? static_cast<size_t>(hit - from) : available;
    if (hit && !spanning && !cut && n < keep) {
      // The common case: the whole line lies in the buffer.
      *line = std::string_view(from, n);
      pos_ += n + 1;
      LineEnded(mode);
      return kWholeLine;
    }
    if (!cut) {
      const size_t take = std::min(n, keep - line_.size());
      line_.append(from, take);
      spanning = true;
      if (line_.size() == keep) cut = true;
    }
    pos_ += n;
    if (!hit) continue;
    ++pos_;
    LineEnded(mode);
    *line = line_;
    return cut ? kCutLine : kWholeLine;
  }
}

}  // namespace korvale
