#include "store/line_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "store/file_io.h"

namespace korvale {

CLineFile::~CLineFile() {
  Close();
  delete[] buffer_;
}

bool CLineFile::Open(const std::string& path) {
  Close();
  // Never a FIFO or a device: either would hang or never end the line loop of a reader.
  const int fd = OpenForReading(path);
  if (fd < 0) return false;
  fd_ = fd;
  if (!buffer_) buffer_ = new unsigned char[kBufferSize];
  bufferStart_ = 0;
  bufferLength_ = 0;
  bufferPos_ = 0;

  // One byte beyond the probed ones is read too, so that a CR as the 250th byte is still
  // judged by the byte that follows it.
  char probe[kLineEndProbeBytes + 1];
  const int64_t got = Read(probe, sizeof probe);
  const int64_t n = std::min<int64_t>(got, kLineEndProbeBytes);
  lineEndMode = kLineEndCrLf;
  for (int64_t i = 0; i < n; ++i) {
    if (probe[i] == '\r') {
      lineEndMode = i + 1 < got && probe[i + 1] == '\n' ? kLineEndCrLf : kLineEndCr;
      break;
    }
    if (probe[i] == '\n') {
      lineEndMode = kLineEndLf;
      break;
    }
  }
  Seek(0);
  return true;
}

void CLineFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  bufferStart_ = 0;
  bufferLength_ = 0;
  bufferPos_ = 0;
}

bool CLineFile::Seek(int64_t position) {
  if (fd_ < 0 || position < 0) return false;
  // Within the buffered bytes the seek is free; seeking to 0 right after opening is common.
  if (position >= bufferStart_ && position <= bufferStart_ + bufferLength_) {
    bufferPos_ = static_cast<int>(position - bufferStart_);
    return true;
  }
  if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) return false;
  bufferStart_ = position;
  bufferLength_ = 0;
  bufferPos_ = 0;
  return true;
}

int64_t CLineFile::Read(void* buffer, int64_t count) {
  if (fd_ < 0 || count < 0) return -1;
  unsigned char* out = static_cast<unsigned char*>(buffer);
  int64_t done = 0;
  while (done < count) {
    if (bufferPos_ == bufferLength_) {
      // Refill from the position just after the buffered bytes.
      const int64_t next = bufferStart_ + bufferLength_;
      if (::lseek(fd_, static_cast<off_t>(next), SEEK_SET) < 0) return done > 0 ? done : -1;
      ssize_t n;
      do {
        n = ::read(fd_, buffer_, kBufferSize);
      } while (n < 0 && errno == EINTR);
      if (n < 0) return done > 0 ? done : -1;
      bufferStart_ = next;
      bufferLength_ = static_cast<int>(n);
      bufferPos_ = 0;
      if (n == 0) break;
    }
    const int64_t take = std::min<int64_t>(count - done, bufferLength_ - bufferPos_);
    std::memcpy(out + done, buffer_ + bufferPos_, static_cast<size_t>(take));
    bufferPos_ += static_cast<int>(take);
    done += take;
  }
  return done;
}

}  // namespace korvale
