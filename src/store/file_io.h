// Whole-file reads, atomic whole-file writes and appends.
#ifndef KORVALE_STORE_FILE_IO_H_
#define KORVALE_STORE_FILE_IO_H_

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

// Reads the whole file into `out` (its capacity is reused). Returns false when the file cannot
// be opened or read, or is larger than `maxBytes`; `out` is then empty.
bool ReadWholeFile(const std::string& path, ByteBuffer* out, size_t maxBytes = size_t{1} << 31);

// Reads the whole file into `out` (its capacity is reused). Returns false when the file cannot
// be opened or read, or is larger than `maxBytes`; `out` is then empty.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* out,
                   size_t maxBytes = size_t{1} << 31);

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

// Appends bytes at the end of the file, creating it when absent. Returns false on failure.
bool AppendToFile(const std::string& path, const void* data, size_t size,
                  std::string* error = nullptr);

bool FileExists(const std::string& path);

}  // namespace korvale

#endif  // KORVALE_STORE_FILE_IO_H_
