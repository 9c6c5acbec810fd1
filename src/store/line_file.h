// CLineFile: the read-only text file every line reader of the program uses, and ReadLine, the
// line routine. The import plug-in is handed a CLineFile and includes this header: the header
// depends on nothing else of the program, the plug-in reaches Read and Seek through the virtual
// table, and ReadLine is inline so the plug-in carries its own identical copy and links nothing
// of the host.
#ifndef KORVALE_STORE_LINE_FILE_H_
#define KORVALE_STORE_LINE_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvale {

// The line-end convention of a file, found when it is opened.
enum LineEndMode : int32_t {
  kLineEndCrLf = 0,
  kLineEndLf = 1,
  kLineEndCr = 2,
};

// How many leading bytes decide the line-end mode.
inline constexpr int kLineEndProbeBytes = 250;

class CLineFile {
 public:
  CLineFile() = default;
  virtual ~CLineFile();
  CLineFile(const CLineFile&) = delete;
  CLineFile& operator=(const CLineFile&) = delete;

  // Opens the file for reading and sets lineEndMode from its first 250 bytes: at the first CR,
  // CR LF when a LF follows, else CR; a LF before any CR, LF; neither, CR LF. The position is
  // then the start of the file. False when the file cannot be opened or is not a regular file (a
  // folder, a FIFO, a device). Host only.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Moves to an absolute byte position. False on failure (a closed file, a position past what
  // the system allows).
  virtual bool Seek(int64_t position);
  // Reads up to `count` bytes at the current position. Returns the number read, 0 at the end of
  // the file, -1 when the read fails (a closed file, an I/O error).
  virtual int64_t Read(void* buffer, int64_t count);
  // The byte position the next Read starts at. Host only: a reader that is handed a count of
  // lines uses it to see whether the file holds more than it was told.
  int64_t Position() const { return bufferStart_ + bufferPos_; }

  LineEndMode lineEndMode = kLineEndCrLf;

 private:
  // Reads go through a buffer so that ReadLine's byte-at-a-time reads stay cheap.
  static constexpr int kBufferSize = 64 * 1024;
  int fd_ = -1;
  unsigned char* buffer_ = nullptr;
  int64_t bufferStart_ = 0;  // file position of buffer_[0]
  int bufferLength_ = 0;
  int bufferPos_ = 0;
};

// What ReadLine found.
enum LineRead : int {
  kNoLine = 0,     // the file ended (or a read failed) before a line end
  kWholeLine = 1,  // a line ending in exactly one CR, terminated
  kCutLine = 2,    // capacity - 1 bytes of a longer line, terminated; the rest follows
};

// Reads one line into `buffer` (capacity bytes, at least 2). The line end of the file's mode
// (LF in LF files, CR in CR files, CR and the byte after it in CR LF files) is stored as one CR,
// followed by a terminating zero. A line that does not fit (with its CR and the terminator) is
// cut: the buffer then holds its first capacity - 1 bytes and a terminator, and the next call
// goes on with the rest. A last line without a line end is not returned. `length` (may be null)
// gets the number of bytes stored before the terminator.
inline int ReadLine(CLineFile& file, char* buffer, int capacity, int* length = nullptr) {
  int n = 0;
  if (length) *length = 0;
  if (capacity < 2) {
    if (capacity == 1) buffer[0] = '\0';
    return kNoLine;
  }
  const LineEndMode mode = file.lineEndMode;
  const char end = mode == kLineEndLf ? '\n' : '\r';
  for (;;) {
    char c;
    if (file.Read(&c, 1) != 1) {
      buffer[n] = '\0';
      return kNoLine;
    }
    if (c == end) {
      if (mode == kLineEndCrLf) {
        char dropped;
        file.Read(&dropped, 1);  // the LF after the CR
      }
      buffer[n++] = '\r';
      buffer[n] = '\0';
      if (length) *length = n;
      return kWholeLine;
    }
    buffer[n++] = c;
    // Room is kept for the CR and the terminator: a line of capacity - 1 bytes or more is cut.
    if (n == capacity - 1) {
      buffer[n] = '\0';
      if (length) *length = n;
      return kCutLine;
    }
  }
}

// ReadLine for readers that take one line of the file as one record: a cut line is returned
// (as kCutLine) and the rest of it is read and dropped, so its tail is never taken for a line
// of its own.
inline int ReadRecordLine(CLineFile& file, char* buffer, int capacity) {
  const int result = ReadLine(file, buffer, capacity);
  if (result != kCutLine) return result;
  char rest[256];
  while (ReadLine(file, rest, sizeof rest) == kCutLine) {
  }
  return kCutLine;
}

}  // namespace korvale

#endif  // KORVALE_STORE_LINE_FILE_H_
