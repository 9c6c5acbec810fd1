#include "net/peer_connection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/sendfile.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace korvale {

namespace {

// Small writes (the status line and headers) wait here and go out with the body.
constexpr size_t kGatherBytes = 16384;

bool WaitWritable(int fd, int timeoutMs) {
  pollfd p{fd, POLLOUT, 0};
  int rc;
  do {
    rc = ::poll(&p, 1, timeoutMs);
  } while (rc < 0 && errno == EINTR);
  return rc > 0 && (p.revents & POLLOUT) != 0;
}

void AddressText(const sockaddr_storage& address, std::string* ip, int* port) {
  char text[INET6_ADDRSTRLEN] = "";
  if (address.ss_family == AF_INET) {
    const auto* a = reinterpret_cast<const sockaddr_in*>(&address);
    ::inet_ntop(AF_INET, &a->sin_addr, text, sizeof text);
    *port = ntohs(a->sin_port);
  } else if (address.ss_family == AF_INET6) {
    const auto* a = reinterpret_cast<const sockaddr_in6*>(&address);
    ::inet_ntop(AF_INET6, &a->sin6_addr, text, sizeof text);
    *port = ntohs(a->sin6_port);
  }
  *ip = text;
}

}  // namespace

size_t RequestHeadLength(const std::string& in) {
  const size_t end = in.find("\r\n\r\n");
  return end == std::string::npos ? 0 : end + 4;
}

bool SendAll(int fd, const char* data, size_t size, int timeoutMs, bool more) {
  while (size > 0) {
    const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL | (more ? MSG_MORE : 0));
    if (sent > 0) {
      data += sent;
      size -= static_cast<size_t>(sent);
    } else if (sent < 0 && errno == EINTR) {
      continue;
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitWritable(fd, timeoutMs)) return false;
    } else {
      return false;
    }
  }
  return true;
}

namespace {

// The address of either end of a connected socket.
void SocketAddress(int fd, bool peer, std::string* ip, int* port) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  ip->clear();
  *port = 0;
  auto* a = reinterpret_cast<sockaddr*>(&address);
  if ((peer ? ::getpeername(fd, a, &length) : ::getsockname(fd, a, &length)) == 0) {
    AddressText(address, ip, port);
  }
}

}  // namespace

void NoteRemoteAddress(PeerConnection* c) {
  SocketAddress(c->fd, true, &c->remoteIp, &c->remotePort);
}

CPeerStream::CPeerStream(PeerConnection* connection, size_t headLength, int writeTimeoutMs)
    : connection_(connection), headLength_(headLength), writeTimeoutMs_(writeTimeoutMs) {}

bool CPeerStream::is_writable() const { return !failed_ && WaitWritable(connection_->fd, 0); }

ssize_t CPeerStream::read(char* ptr, size_t size) {
  const size_t n = std::min(size, headLength_ - read_);
  std::memcpy(ptr, connection_->in.data() + read_, n);
  read_ += n;
  return static_cast<ssize_t>(n);
}

ssize_t CPeerStream::write(const char* ptr, size_t size) {
  if (failed_) return -1;
  if (out_.size() + size <= kGatherBytes) {
    out_.append(ptr, size);
    return static_cast<ssize_t>(size);
  }
  if (!Flush() || !SendAll(connection_->fd, ptr, size, writeTimeoutMs_)) {
    failed_ = true;
    return -1;
  }
  return static_cast<ssize_t>(size);
}

bool CPeerStream::Flush(bool more) {
  if (!failed_ && !out_.empty() &&
      !SendAll(connection_->fd, out_.data(), out_.size(), writeTimeoutMs_, more)) {
    failed_ = true;
  }
  out_.clear();
  return !failed_;
}

bool CPeerStream::SendFile(int fd, size_t offset, size_t length) {
  if (!Flush(true)) return false;  // the head waits to go out with the body
  auto at = static_cast<off_t>(offset);
  size_t left = length;
  while (left > 0) {
    const ssize_t sent = ::sendfile(connection_->fd, fd, &at, left);
    if (sent > 0) {
      left -= static_cast<size_t>(sent);
    } else if (sent < 0 && errno == EINTR) {
      continue;
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitWritable(connection_->fd, writeTimeoutMs_)) break;
    } else {
      break;  // the client is gone, or the file is shorter than it was
    }
  }
  if (left > 0) {
    failed_ = true;
    return false;
  }
  return true;
}

void CPeerStream::get_remote_ip_and_port(std::string& ip, int& port) const {
  PeerConnection& c = *connection_;
  if (c.remotePort < 0) NoteRemoteAddress(&c);
  ip = c.remoteIp;
  port = c.remotePort;
}

void CPeerStream::get_local_ip_and_port(std::string& ip, int& port) const {
  PeerConnection& c = *connection_;
  if (c.localPort < 0) SocketAddress(c.fd, false, &c.localIp, &c.localPort);
  ip = c.localIp;
  port = c.localPort;
}

}  // namespace korvale
