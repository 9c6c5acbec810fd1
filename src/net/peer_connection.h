// One client connection of the peer server, and the stream through which cpp-httplib reads a
// request from it and writes the answer. A worker reads only what a connection has received and
// answers a request only once its head (request line and headers) has arrived whole, so no
// worker ever waits for a slow or silent client.
#ifndef KORVALE_NET_PEER_CONNECTION_H_
#define KORVALE_NET_PEER_CONNECTION_H_

#include <httplib.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace korvale {

struct PeerConnection {
  uint64_t id = 0;  // the server's name for it, never reused
  int fd = -1;
  bool busy = false;  // a worker is reading or answering it
  // Both ends' addresses, looked up once: the client's for the log, and both as cpp-httplib
  // asks for them with every request.
  std::string remoteIp, localIp;
  int remotePort = -1, localPort = -1;
  std::string in;    // bytes received and not yet answered
  std::chrono::steady_clock::time_point since;  // when it began waiting for a request
  int requests = 0;  // answered so far
  bool ended = false;  // the client will send nothing more (what it sent is still answered)
};

// The length of the request head at the front of `in` (through its blank line), 0 while it has
// not arrived whole.
size_t RequestHeadLength(const std::string& in);

// Sends every byte within `timeoutMs` of no progress. False when the client is gone or stalls.
// With `more`, the bytes wait to go out with what is sent next.
bool SendAll(int fd, const char* data, size_t size, int timeoutMs, bool more = false);

// Looks up the client's address of the connection's socket ("" and port 0 when unknown).
void NoteRemoteAddress(PeerConnection* c);

// Reads the head of one request from the connection's buffer (never from the socket: the
// whole head is there, and nothing after it is read) and writes the answer, small pieces
// gathered into one send.
class CPeerStream : public httplib::Stream {
 public:
  CPeerStream(PeerConnection* connection, size_t headLength, int writeTimeoutMs);

  bool is_readable() const override { return read_ < headLength_; }
  bool is_writable() const override;
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  socket_t socket() const override { return connection_->fd; }

  // Sends what write() gathered (with `more`, held to go out with what is sent next). False
  // when the client did not take it.
  bool Flush(bool more = false);
  // Sends `length` bytes of the open file `fd` from `offset` after what write() gathered,
  // straight from the page cache. False when the client did not take them or the file ended
  // first (the answer is then cut short and the connection must close).
  bool SendFile(int fd, size_t offset, size_t length);
  bool failed() const { return failed_; }

 private:
  PeerConnection* connection_;
  size_t headLength_;
  size_t read_ = 0;
  int writeTimeoutMs_;
  std::string out_;
  bool failed_ = false;
};

}  // namespace korvale

#endif  // KORVALE_NET_PEER_CONNECTION_H_
