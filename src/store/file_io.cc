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

}  // namespace

void ByteBuffer::Resize(size_t size) {
  if (size > capacity_) {
    data_.reset(new uint8_t[size]);
    capacity_ = size;
  }
  size_ = size;
}

namespace {

// Reads a whole regular file through `grow`, which sizes the destination and returns it.
template <typename Grow, typename Shrink>
bool ReadInto(const std::string& path, size_t maxBytes, Grow grow, Shrink shrink) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<uint64_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return false;
  }
  const size_t size = static_cast<size_t>(st.st_size);
  uint8_t* dst = grow(size);
  size_t done = 0;
  bool ok = true;
  while (done < size) {
    ssize_t n = ::read(fd, dst + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;  // the file shrank while being read: keep what arrived
    done += static_cast<size_t>(n);
  }
  shrink(ok ? done : 0);
  ::close(fd);
  return ok;
}

}  // namespace

bool ReadWholeFile(const std::string& path, ByteBuffer* out, size_t maxBytes) {
  out->Resize(0);
  return ReadInto(
      path, maxBytes,
      [out](size_t n) {
        out->Resize(n);
        return out->data();
      },
      [out](size_t n) { out->Resize(n); });
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* out, size_t maxBytes) {
  out->clear();
  return ReadInto(
      path, maxBytes,
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
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) {
    SetError(error, ErrnoText("cannot open", path));
    return false;
  }
  bool ok = WriteAll(fd, data, size);
  if (!ok) SetError(error, ErrnoText("cannot write", path));
  if (::close(fd) != 0 && ok) {
    ok = false;
    SetError(error, ErrnoText("cannot write", path));
  }
  return ok;
}

}  // namespace korvale
