// Opening files for reading, whole-file reads, atomic whole-file writes and appends.
#ifndef KORVALE_STORE_FILE_IO_H_
#define KORVALE_STORE_FILE_IO_H_

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvale {

// A growable byte buffer whose new bytes are left uninitialised, so that reading thousands of
// files into one buffer costs no zero-filling.
class ByteBuffer {
 public:
  ByteBuffer() = default;
  // A scratch buffer: copies start empty, so objects holding one stay copyable.
  ByteBuffer(const ByteBuffer&) {}
  ByteBuffer& operator=(const ByteBuffer&) { return *this; }

  uint8_t* data() { return data_.get(); }
  const uint8_t* data() const { return data_.get(); }
  size_t size() const { return size_; }
  // Sets the size, keeping the capacity when it suffices; the contents are unspecified.
  void Resize(size_t size);

 private:
  std::unique_ptr<uint8_t[]> data_;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

// Opens `path` for reading as every reader of the program does: without blocking, so that a
// FIFO or a device in a file's place never hangs the caller, and only when it is a regular
// file. Returns the descriptor (the caller closes it, see ScopedFd) and the file's size in
// `size` (may be null). -1 when the file cannot be opened or is not a regular file, with a
// reason naming the file in `error` (may be null); `*missing` (may be null) then tells whether
// the file simply does not exist.
int OpenForReading(const std::string& path, int64_t* size = nullptr, std::string* error = nullptr,
                   bool* missing = nullptr);

// Opens an existing regular file for writing in place (no create, no truncate), without
// blocking. -1 with a reason naming the file in `error` (may be null) on failure.
int OpenForWritingInPlace(const std::string& path, std::string* error = nullptr);

// Closes a descriptor when it goes out of scope.
class ScopedFd {
 public:
  explicit ScopedFd(int fd) : fd_(fd) {}
  ~ScopedFd();
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

// Reads up to `size` bytes at `offset`, retrying short reads, until `size` arrived or the file
// ended. Returns the bytes read, -1 on a read error.
ssize_t ReadAt(int fd, void* buffer, size_t size, int64_t offset);

// Reads the whole file into `out` (its capacity is reused). Returns false when the file cannot
// be opened or read, is not a regular file, or is larger than `maxBytes`; `out` is then empty
// and `error` (may be null) names the file and the reason.
bool ReadWholeFile(const std::string& path, ByteBuffer* out, size_t maxBytes = size_t{1} << 31,
                   std::string* error = nullptr);

// Reads the whole file into `out` (its capacity is reused). Returns false when the file cannot
// be opened or read, is not a regular file, or is larger than `maxBytes`; `out` is then empty
// and `error` (may be null) names the file and the reason.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* out,
                   size_t maxBytes = size_t{1} << 31, std::string* error = nullptr);

// Reads the first `maxBytes` bytes of a file (all of a shorter one) into `out`. False when the
// file cannot be opened or read or is not a regular file; `out` is then empty.
bool ReadFileHead(const std::string& path, size_t maxBytes, std::vector<uint8_t>* out);

// Size of a regular file, or -1 when it cannot be examined.
int64_t FileSize(const std::string& path);

// Replaces the file at `path` with `size` bytes: written to a temporary file in the same folder
// and renamed over the old one, so a failed write leaves the old file as it was. Returns false
// and a reason in `error` (may be null) on failure.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error = nullptr);

// A whole-file rewrite written in pieces, for outputs too large to build in memory first: the
// bytes go to a temporary file in the target's folder, which Commit renames over the target.
// A writer destroyed or discarded before Commit removes its temporary file, so the target is
// either the old file or the whole new one, never a part.
class CAtomicFileWriter {
 public:
  CAtomicFileWriter() = default;
  ~CAtomicFileWriter() { Discard(); }
  CAtomicFileWriter(const CAtomicFileWriter&) = delete;
  CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

  // Creates the temporary file for `path` (a writer already open is discarded first). False,
  // with a reason naming `path` in `error` (may be null), when it cannot be created.
  bool Open(const std::string& path, std::string* error = nullptr);
  // Appends bytes to the temporary file. False, with a reason, when the write fails (the
  // writer is then discarded).
  bool Write(const void* data, size_t size, std::string* error = nullptr);
  // Closes the temporary file and renames it over the target. False, with a reason, when the
  // close or the rename fails (the target is then unchanged and the writer discarded).
  bool Commit(std::string* error = nullptr);
  // Removes the temporary file; the target stays as it was.
  void Discard();
  bool IsOpen() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string tmp_;
  int fd_ = -1;
};

// True when `path` is a regular file this process can open for reading.
bool CanReadFile(const std::string& path);

// Appends bytes at the end of a regular file, creating it when absent. A write that fails part
// way (a full disk) is cut back, so the file is left exactly as it was. Returns false, with a
// reason in `error` (may be null), on failure.
bool AppendToFile(const std::string& path, const void* data, size_t size,
                  std::string* error = nullptr);

// Appends whole records of `recordSize` bytes as AppendToFile does. A file ending in a piece of
// a record (readers stop at its last whole record) is first cut back to that record, so the new
// records are read where they were written; `*cutBytes` (may be null) tells how much was cut.
bool AppendRecords(const std::string& path, const void* data, size_t size, size_t recordSize,
                   std::string* error = nullptr, int64_t* cutBytes = nullptr);
// What an append that cut such a piece tells the user.
std::string TornTailNote(const std::string& path, int64_t cutBytes);

bool FileExists(const std::string& path);

}  // namespace korvale

#endif  // KORVALE_STORE_FILE_IO_H_
