#include "store/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace korvale {

namespace {

std::string ErrnoText(const char* what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

bool WriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

mode_t CurrentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Opens with O_NONBLOCK, so that opening a FIFO returns at once instead of waiting for its
// other end, and keeps the descriptor only for a regular file. Blocking is then switched back
// on (it means nothing for regular files, but the descriptor is handed on).
int OpenRegular(const std::string& path, int flags, mode_t mode, struct stat* st,
                std::string* error, bool* missing) {
  if (missing) *missing = false;
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
  if (fd < 0) {
    if (missing) *missing = errno == ENOENT;
    SetError(error, path + " cannot open: " + std::strerror(errno));
    return -1;
  }
  if (::fstat(fd, st) != 0) {
    SetError(error, path + " cannot open: " + std::strerror(errno));
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st->st_mode)) {
    SetError(error, path + " is not a regular file");
    ::close(fd);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace

void ByteBuffer::Resize(size_t size) {
  if (size > capacity_) {
    data_.reset(new uint8_t[size]);
    capacity_ = size;
  }
  size_ = size;
}

int OpenForReading(const std::string& path, int64_t* size, std::string* error, bool* missing) {
  struct stat st;
  const int fd = OpenRegular(path, O_RDONLY, 0, &st, error, missing);
  if (fd >= 0 && size) *size = st.st_size;
  return fd;
}

int OpenForWritingInPlace(const std::string& path, std::string* error) {
  struct stat st;
  return OpenRegular(path, O_WRONLY, 0, &st, error, nullptr);
}

ScopedFd::~ScopedFd() {
  if (fd_ >= 0) ::close(fd_);
}

ssize_t ReadAt(int fd, void* buffer, size_t size, int64_t offset) {
  uint8_t* out = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

namespace {

// Reads a regular file of at most maxBytes through `grow`, which sizes the destination and
// returns it; larger files are refused, or with `head` only their first maxBytes are read.
template <typename Grow, typename Shrink>
bool ReadInto(const std::string& path, size_t maxBytes, bool head, std::string* error, Grow grow,
              Shrink shrink) {
  int64_t fileSize = 0;
  ScopedFd fd(OpenForReading(path, &fileSize, error));
  if (!fd.valid()) return false;
  if (static_cast<uint64_t>(fileSize) > maxBytes && !head) {
    SetError(error, path + " is larger than " + std::to_string(maxBytes) + " bytes");
    return false;
  }
  const size_t size = static_cast<uint64_t>(fileSize) > maxBytes ? maxBytes
                                                                  : static_cast<size_t>(fileSize);
  // A file that shrank while being read keeps what arrived.
  const ssize_t got = ReadAt(fd.get(), grow(size), size, 0);
  if (got < 0) SetError(error, ErrnoText("cannot read", path));
  shrink(got < 0 ? 0 : static_cast<size_t>(got));
  return got >= 0;
}

}  // namespace

bool ReadWholeFile(const std::string& path, ByteBuffer* out, size_t maxBytes, std::string* error) {
  out->Resize(0);
  return ReadInto(
      path, maxBytes, false, error,
      [out](size_t n) {
        out->Resize(n);
        return out->data();
      },
      [out](size_t n) { out->Resize(n); });
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* out, size_t maxBytes,
                   std::string* error) {
  out->clear();
  return ReadInto(
      path, maxBytes, false, error,
      [out](size_t n) {
        out->resize(n);
        return out->data();
      },
      [out](size_t n) { out->resize(n); });
}

bool ReadFileHead(const std::string& path, size_t maxBytes, std::vector<uint8_t>* out) {
  out->clear();
  return ReadInto(
      path, maxBytes, true, nullptr,
      [out](size_t n) {
        out->resize(n);
        return out->data();
      },
      [out](size_t n) { out->resize(n); });
}

int64_t FileSize(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return st.st_size;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool CAtomicFileWriter::Open(const std::string& path, std::string* error) {
  Discard();
  std::string tmp = path + ".tmp-XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) {
    SetError(error, ErrnoText("cannot create", path));
    return false;
  }
  // mkstemp makes the file private; give it the mode an ordinary create would have.
  struct stat old;
  mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  ::fchmod(fd, mode);
  path_ = path;
  tmp_ = std::move(tmp);
  fd_ = fd;
  return true;
}

bool CAtomicFileWriter::Write(const void* data, size_t size, std::string* error) {
  if (fd_ < 0) {
    SetError(error, "cannot write " + path_ + ": not open");
    return false;
  }
  if (WriteAll(fd_, data, size)) return true;
  SetError(error, ErrnoText("cannot write", path_));
  Discard();
  return false;
}

bool CAtomicFileWriter::Commit(std::string* error) {
  if (fd_ < 0) {
    SetError(error, "cannot write " + path_ + ": not open");
    return false;
  }
  const int fd = fd_;
  fd_ = -1;
  bool ok = ::close(fd) == 0;
  if (!ok) SetError(error, ErrnoText("cannot write", path_));
  if (ok && ::rename(tmp_.c_str(), path_.c_str()) != 0) {
    ok = false;
    SetError(error, ErrnoText("cannot replace", path_));
  }
  if (!ok) ::unlink(tmp_.c_str());
  tmp_.clear();
  return ok;
}

void CAtomicFileWriter::Discard() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(tmp_.c_str());
  tmp_.clear();
}

bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error) {
  CAtomicFileWriter writer;
  return writer.Open(path, error) && writer.Write(data, size, error) && writer.Commit(error);
}

bool CanReadFile(const std::string& path) {
  // Without blocking: a named pipe put where a price file belongs must not hang the batch.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular;
}

bool AppendToFile(const std::string& path, const void* data, size_t size, std::string* error) {
  return AppendRecords(path, data, size, 1, error, nullptr);
}

std::string TornTailNote(const std::string& path, int64_t cutBytes) {
  return path + " ended in a piece of a record (" + std::to_string(cutBytes) +
         " bytes), cut off before the new records";
}

bool AppendRecords(const std::string& path, const void* data, size_t size, size_t recordSize,
                   std::string* error, int64_t* cutBytes) {
  if (cutBytes) *cutBytes = 0;
  struct stat st;
  const int fd = OpenRegular(path, O_WRONLY | O_CREAT | O_APPEND, 0666, &st, error, nullptr);
  if (fd < 0) return false;
  off_t oldLength = st.st_size;
  if (const off_t piece = recordSize > 1 ? oldLength % static_cast<off_t>(recordSize) : 0;
      piece > 0) {
    if (::ftruncate(fd, oldLength - piece) != 0) {
      SetError(error, ErrnoText("cannot cut the piece of a record at the end of", path));
      ::close(fd);
      return false;
    }
    oldLength -= piece;
    if (cutBytes) *cutBytes = piece;
  }
  bool ok = WriteAll(fd, data, size);
  if (!ok) {
    SetError(error, ErrnoText("cannot write", path));
    // A write that stopped part way (a full disk, a size limit) would leave a torn record that
    // misaligns every later append: cut the file back to its old length.
    if (::ftruncate(fd, oldLength) != 0) {
      SetError(error, ErrnoText("cannot write (and cannot cut back a partial record)", path));
    }
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    SetError(error, ErrnoText("cannot write", path));
    if (::truncate(path.c_str(), oldLength) != 0) {
      SetError(error, ErrnoText("cannot write (and cannot cut back a partial record)", path));
    }
  }
  return ok;
}

}  // namespace korvale
