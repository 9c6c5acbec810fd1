#include "net/peer_server.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <pthread.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "net/peer_catalogue.h"
#include "net/peer_connection.h"
#include "net/price_url_load.h"

namespace korvale {

namespace {

using Clock = std::chrono::steady_clock;
using Handled = httplib::Server::HandlerResponse;

// Set by the answer of a request when its connection must not carry another one.
thread_local bool tCloseAfter = false;

// cpp-httplib's request parsing, routing and answer writing, driven one request at a time from
// our own connections instead of its accept loop and thread pool.
class CPeerHttp : public httplib::Server {
 public:
  bool Serve(httplib::Stream& stream, bool closeConnection, bool& connectionClosed) {
    return process_request(stream, closeConnection, connectionClosed, nullptr);
  }
};

// A request target as the log shows it: control bytes, quotes and backslashes escaped, cut.
std::string LogText(const std::string& text) {
  constexpr size_t kLogged = 200;
  std::string out;
  for (size_t i = 0; i < text.size() && i < kLogged; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (text.size() > kLogged) out += "...(" + std::to_string(text.size()) + " bytes)";
  return out;
}

std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

void CloseQuietly(int fd) {
  if (fd >= 0) ::close(fd);
}

// A price file whose body is sent after the answer's head, from the page cache to the socket
// (sendfile) without passing through this process.
struct FileBody {
  int fd = -1;
  size_t length = 0;
};
thread_local FileBody tFileBody;

// Reads `size` bytes of a price file the catalogue opened (for a range of it).
void ReadOpenFile(int fd, size_t size, std::string* data) {
  data->resize(size);
  size_t done = 0;
  while (done < data->size()) {
    const ssize_t n = ::pread(fd, data->data() + done, data->size() - done,
                              static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  data->resize(done);  // a file cut meanwhile is sent as it now is
}

}  // namespace

struct CPeerServer::Impl {
  explicit Impl(PeerServerOptions o)
      : options(std::move(o)), catalogue(options.root, options.rescanSeconds) {}

  bool Listen(std::string* error);
  void Route();
  Handled Answer(const httplib::Request& req, httplib::Response& res);
  void Log(const std::string& line);

  // One worker: waits on the shared event set, and reads and answers whichever connection
  // became readable. A worker only ever reads what has arrived, so idle and slow clients never
  // hold one; only a whole request head is answered.
  void Work(bool sweeps);
  void Accept();
  // Reads what the client sent; false when the connection broke.
  bool Receive(PeerConnection* c);
  // Reads from a connection the worker claimed and answers every whole request it holds.
  void Serve(PeerConnection* c);
  // Answers the request whose head is the first `head` bytes; false when the connection must
  // close afterwards.
  bool AnswerOne(PeerConnection* c, size_t head);
  // Marks a connection of the set as the caller's; null when it is gone or another has it.
  PeerConnection* Claim(uint64_t id);
  // Hands a claimed connection back to the set, to be read again when more arrives.
  void Rearm(PeerConnection* c);
  // Takes a claimed connection out of the set and closes it, answering `statusLine` first.
  void Drop(PeerConnection* c, const char* statusLine, const std::string& why);
  // Closes the connections that have waited too long for a request; at most every few
  // hundred milliseconds, from whichever worker comes by.
  void SweepIfDue();
  void ArmListener();
  void Refuse(std::unique_ptr<PeerConnection> c, const char* statusLine, const std::string& why);
  void Release(std::unique_ptr<PeerConnection> c);

  PeerServerOptions options;
  CPeerCatalogue catalogue;
  CPeerHttp http;
  int listenFd = -1;
  int epollFd = -1;
  int stopFd = -1;  // readable once Stop begins: wakes every worker
  int port = 0;
  std::string host;  // as BaseUrl shows it
  std::atomic<bool> stopping{false};
  std::atomic<int64_t> nextSweep{0};  // steady-clock ticks
  std::vector<std::thread> workers;

  std::mutex mutex;  // guards the fields below and every connection no worker has claimed
  std::unordered_map<uint64_t, std::unique_ptr<PeerConnection>> connections;
  uint64_t nextId = kFirstConnectionId;
  Clock::time_point acceptPausedUntil;  // out of descriptors: accept again after a moment
  bool listenerArmed = false;

  std::mutex logMutex;

  static constexpr uint64_t kStopId = 0;
  static constexpr uint64_t kListenId = 1;
  static constexpr uint64_t kFirstConnectionId = 2;
};

void CPeerServer::Impl::Log(const std::string& line) {
  if (!options.log) return;
  std::lock_guard<std::mutex> lock(logMutex);
  options.log(Now() + " " + line);
}

bool CPeerServer::Impl::Listen(std::string* error) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(options.port);
  const int rc = ::getaddrinfo(options.bindAddress.c_str(), service.c_str(), &hints, &found);
  if (rc != 0) {
    *error = "cannot bind to " + options.bindAddress + ": " + ::gai_strerror(rc);
    return false;
  }
  std::string why = "no address";
  for (addrinfo* a = found; a && listenFd < 0; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) continue;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd, a->ai_addr, a->ai_addrlen) != 0 || ::listen(fd, SOMAXCONN) != 0) {
      why = std::strerror(errno);
      ::close(fd);
      continue;
    }
    listenFd = fd;
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length);
    char text[NI_MAXHOST] = "";
    char portText[NI_MAXSERV] = "";
    ::getnameinfo(reinterpret_cast<sockaddr*>(&bound), length, text, sizeof text, portText,
                  sizeof portText, NI_NUMERICHOST | NI_NUMERICSERV);
    host = a->ai_family == AF_INET6 ? "[" + std::string(text) + "]" : std::string(text);
    port = std::atoi(portText);
  }
  ::freeaddrinfo(found);
  if (listenFd < 0) {
    *error = "cannot listen on " + options.bindAddress + ":" + service + ": " + why;
    return false;
  }
  return true;
}

void CPeerServer::Impl::Route() {
  // Every answer is made here, before cpp-httplib's own routing: no body of another method is
  // ever read, and no pattern is matched against a long path.
  http.set_pre_routing_handler(
      [this](const httplib::Request& req, httplib::Response& res) { return Answer(req, res); });
  http.set_logger([this](const httplib::Request& req, const httplib::Response& res) {
    const int s = res.status;
    if (s != 200 && s != 206 && s != 304 && s != 404) tCloseAfter = true;
    if (!options.log) return;
    Log(req.remote_addr + " \"" + LogText(req.method) + " " + LogText(req.target) + "\" " +
        std::to_string(s) + " " +
        (res.body.empty() && res.has_header("Content-Length") ? res.get_header_value("Content-Length")
                                                               : std::to_string(res.body.size())));
  });
  http.set_payload_max_length(0);
  // What the answers' Keep-Alive header tells the clients.
  http.set_keep_alive_timeout(options.idleSeconds);
  http.set_keep_alive_max_count(static_cast<size_t>(options.requestsPerConnection));
}

Handled CPeerServer::Impl::Answer(const httplib::Request& req, httplib::Response& res) {
  if (req.method != "GET" && req.method != "HEAD") {
    res.status = 405;
    res.set_header("Allow", "GET, HEAD");
    res.set_content("only GET and HEAD\n", "text/plain");
    return Handled::Handled;
  }
  if (req.ranges.size() > 1) {  // one range at most: no answer many times a file's size
    res.status = 416;
    return Handled::Handled;
  }
  // A body on a GET is never read: the connection closes after the answer.
  if (req.has_header("Content-Length") || req.has_header("Transfer-Encoding")) tCloseAfter = true;
  const std::string prefix = kPeerFilePrefix;
  if (req.path == kPeerListPath && req.has_param(kPeerListQuery)) {
    res.set_content(catalogue.ListPage(""), "text/html");
  } else if (req.path == kPeerScriptPath &&
             req.get_param_value(kPeerScriptCommand) == kPeerListQuery) {
    // No base path for the script form: its links carry the folder themselves.
    res.set_content(catalogue.ListPage(prefix.substr(1)), "text/html");
  } else if (req.path.compare(0, prefix.size(), prefix) == 0) {
    uint64_t size = 0;
    const int fd = catalogue.OpenListed(req.path.substr(prefix.size()), &size);
    std::string data;
    if (fd < 0) {
      res.status = 404;
    } else if (size > kMaxPeerPriceFileBytes) {
      res.status = 500;
    } else if (req.ranges.empty()) {
      // The usual answer: the head here, the body sent from the file once the head is out. The
      // length is the size now; a file cut while it goes out ends the connection short.
      res.set_header("Content-Type", "application/octet-stream");
      res.set_header("Content-Length", std::to_string(size));
      if (req.method == "GET" && size > 0) {
        tFileBody = {fd, static_cast<size_t>(size)};
        return Handled::Handled;
      }
    } else {
      ReadOpenFile(fd, static_cast<size_t>(size), &data);
      res.set_content(std::move(data), "application/octet-stream");  // a range of it
    }
    CloseQuietly(fd);
  } else {
    res.status = 404;
  }
  if (res.status == 404) res.set_content("not found\n", "text/plain");
  return Handled::Handled;
}

void CPeerServer::Impl::Release(std::unique_ptr<PeerConnection> c) { CloseQuietly(c->fd); }

void CPeerServer::Impl::Refuse(std::unique_ptr<PeerConnection> c, const char* statusLine,
                               const std::string& why) {
  if (statusLine) {
    const std::string answer =
        std::string("HTTP/1.1 ") + statusLine + "\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";
    [[maybe_unused]] const ssize_t n =
        ::send(c->fd, answer.data(), answer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  }
  Log(c->remoteIp + " \"-\" " + (statusLine ? std::string(statusLine, 3) : std::string("-")) + " " +
      why);
  Release(std::move(c));
}

namespace {

bool Watch(int epollFd, int op, int fd, uint64_t id) {
  epoll_event event{};
  event.events = EPOLLIN | EPOLLONESHOT;
  event.data.u64 = id;
  return ::epoll_ctl(epollFd, op, fd, &event) == 0;
}

}  // namespace

void CPeerServer::Impl::ArmListener() {
  listenerArmed = Watch(epollFd, EPOLL_CTL_MOD, listenFd, kListenId);
}

void CPeerServer::Impl::Accept() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    listenerArmed = false;
  }
  for (;;) {
    const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      const int why = errno;
      std::lock_guard<std::mutex> lock(mutex);
      // Out of descriptors: the waiting client stays queued until the sweep listens again,
      // instead of the workers spinning on it.
      if (why == EMFILE || why == ENFILE || why == ENOBUFS || why == ENOMEM) {
        acceptPausedUntil = Clock::now() + std::chrono::milliseconds(100);
      } else {
        ArmListener();
      }
      break;
    }
    auto c = std::make_unique<PeerConnection>();
    c->fd = fd;
    NoteRemoteAddress(c.get());
    c->since = Clock::now();
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    // Only one worker accepts at a time (the listener is armed once), so the count cannot
    // change between the check and the insertion but by connections ending.
    std::unique_ptr<PeerConnection> evicted;
    bool full = false;
    {
      std::lock_guard<std::mutex> lock(mutex);
      if (connections.size() >= static_cast<size_t>(options.maxConnections)) {
        // The connection waiting longest for its request makes room; with none waiting the
        // newcomer is turned away.
        auto oldest = connections.end();
        for (auto i = connections.begin(); i != connections.end(); ++i) {
          if (!i->second->busy &&
              (oldest == connections.end() || i->second->since < oldest->second->since)) {
            oldest = i;
          }
        }
        if (oldest == connections.end()) {
          full = true;
        } else {
          evicted = std::move(oldest->second);
          connections.erase(oldest);
        }
      }
    }
    if (full) {
      Refuse(std::move(c), "503 Service Unavailable", "too many connections");
      continue;
    }
    if (evicted) Refuse(std::move(evicted), nullptr, "idle connection closed for a new one");
    std::lock_guard<std::mutex> lock(mutex);
    c->id = nextId++;
    const uint64_t id = c->id;
    connections.emplace(id, std::move(c));
    if (!Watch(epollFd, EPOLL_CTL_ADD, fd, id)) {
      Release(std::move(connections[id]));
      connections.erase(id);
    }
  }
}

bool CPeerServer::Impl::Receive(PeerConnection* c) {
  char buffer[4096];
  for (;;) {
    const size_t room = options.maxRequestBytes + 1 - std::min(c->in.size(), options.maxRequestBytes + 1);
    if (room == 0) return true;  // over the bound: the caller refuses it
    const size_t asked = std::min(room, sizeof buffer);
    const ssize_t n = ::recv(c->fd, buffer, asked, 0);
    if (n > 0) {
      c->in.append(buffer, static_cast<size_t>(n));
      // A short read took all there was: no second call only to hear that nothing is left.
      if (static_cast<size_t>(n) < asked) return true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) c->ended = true;
    return n == 0 || errno == EAGAIN || errno == EWOULDBLOCK;
  }
}

PeerConnection* CPeerServer::Impl::Claim(uint64_t id) {
  std::lock_guard<std::mutex> lock(mutex);
  const auto found = connections.find(id);
  if (found == connections.end() || found->second->busy) return nullptr;
  found->second->busy = true;
  return found->second.get();
}

void CPeerServer::Impl::Rearm(PeerConnection* c) {
  std::lock_guard<std::mutex> lock(mutex);
  c->busy = false;
  if (!Watch(epollFd, EPOLL_CTL_MOD, c->fd, c->id)) c->since = Clock::time_point{};  // swept next
}

void CPeerServer::Impl::Drop(PeerConnection* c, const char* statusLine, const std::string& why) {
  std::unique_ptr<PeerConnection> taken;
  {
    std::lock_guard<std::mutex> lock(mutex);
    const auto found = connections.find(c->id);
    taken = std::move(found->second);
    connections.erase(found);
  }
  if (statusLine) {
    Refuse(std::move(taken), statusLine, why);
  } else {
    Release(std::move(taken));
  }
}

void CPeerServer::Impl::Serve(PeerConnection* c) {
  if (!Receive(c)) {
    Drop(c, nullptr, "");
    return;
  }
  // A client may send its next request before the answer to this one (pipelining).
  for (size_t head; (head = RequestHeadLength(c->in)) > 0;) {
    if (!AnswerOne(c, head)) {
      Drop(c, nullptr, "");
      return;
    }
  }
  if (c->in.size() > options.maxRequestBytes) {
    const bool lineOnly = c->in.find("\r\n") == std::string::npos;
    Drop(c, lineOnly ? "414 URI Too Long" : "431 Request Header Fields Too Large",
         "request head over " + std::to_string(options.maxRequestBytes) + " bytes");
  } else if (c->ended || stopping.load()) {
    Drop(c, nullptr, "");  // the client sends no more: what it sent was answered
  } else {
    Rearm(c);
  }
}

bool CPeerServer::Impl::AnswerOne(PeerConnection* c, size_t head) {
  CPeerStream stream(c, head, options.writeTimeoutSeconds * 1000);
  tCloseAfter = false;
  tFileBody = FileBody{};
  bool closed = false;
  const bool last = stopping.load() || c->requests + 1 >= options.requestsPerConnection;
  const bool answered = http.Serve(stream, last, closed);
  bool sent = stream.Flush();
  if (tFileBody.fd >= 0) {
    sent = sent && answered && stream.SendFile(tFileBody.fd, 0, tFileBody.length);
    CloseQuietly(tFileBody.fd);
    tFileBody = FileBody{};
  }
  ++c->requests;
  c->in.erase(0, head);
  c->since = Clock::now();  // the wait for the next request starts now
  return answered && sent && !closed && !last && !tCloseAfter && !c->ended && !stopping.load();
}

void CPeerServer::Impl::SweepIfDue() {
  constexpr auto kEvery = std::chrono::milliseconds(250);
  const auto now = Clock::now();
  int64_t due = nextSweep.load();
  if (now.time_since_epoch().count() < due ||
      !nextSweep.compare_exchange_strong(due, (now + kEvery).time_since_epoch().count())) {
    return;
  }
  std::vector<std::unique_ptr<PeerConnection>> late;
  {
    std::lock_guard<std::mutex> lock(mutex);
    for (auto i = connections.begin(); i != connections.end();) {
      PeerConnection& c = *i->second;
      // The head must arrive whole within idleSeconds of the wait's start, however slowly.
      if (!c.busy && now - c.since > std::chrono::seconds(options.idleSeconds)) {
        late.push_back(std::move(i->second));
        i = connections.erase(i);
      } else {
        ++i;
      }
    }
    if (!listenerArmed && now >= acceptPausedUntil) ArmListener();
  }
  for (auto& c : late) {
    if (c->in.empty()) {
      Release(std::move(c));  // an idle keep-alive connection ends quietly
    } else {
      Refuse(std::move(c), "408 Request Timeout", "no whole request in time");
    }
  }
}

void CPeerServer::Impl::Work(bool sweeps) {
  // One worker wakes a few times a second, so that late connections are closed while no
  // other traffic comes; the others sleep until there is something to do.
  const int timeoutMs = sweeps ? 250 : -1;
  while (!stopping.load()) {
    epoll_event event{};
    const int n = ::epoll_wait(epollFd, &event, 1, timeoutMs);
    if (stopping.load()) break;
    if (n == 1 && event.data.u64 == kListenId) {
      Accept();
    } else if (n == 1 && event.data.u64 >= kFirstConnectionId) {
      if (PeerConnection* c = Claim(event.data.u64)) Serve(c);
    }
    SweepIfDue();
  }
}

CPeerServer::CPeerServer(PeerServerOptions options)
    : impl_(std::make_unique<Impl>(std::move(options))) {}

CPeerServer::~CPeerServer() { Stop(); }

bool CPeerServer::Start(std::string* error) {
  if (!impl_->workers.empty()) return true;
  std::string why;
  if (!impl_->catalogue.Open(&why) || !impl_->Listen(&why)) {
    if (error) *error = why;
    return false;
  }
  impl_->epollFd = ::epoll_create1(EPOLL_CLOEXEC);
  impl_->stopFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  epoll_event stop{};
  stop.events = EPOLLIN;  // level-triggered and never read: once written it wakes every worker
  stop.data.u64 = Impl::kStopId;
  if (impl_->epollFd < 0 || impl_->stopFd < 0 ||
      ::epoll_ctl(impl_->epollFd, EPOLL_CTL_ADD, impl_->stopFd, &stop) != 0 ||
      !Watch(impl_->epollFd, EPOLL_CTL_ADD, impl_->listenFd, Impl::kListenId)) {
    if (error) *error = std::string("cannot wait for connections: ") + std::strerror(errno);
    CloseQuietly(impl_->epollFd);
    CloseQuietly(impl_->stopFd);
    CloseQuietly(impl_->listenFd);
    impl_->epollFd = impl_->stopFd = impl_->listenFd = -1;
    return false;
  }
  impl_->listenerArmed = true;
  impl_->Route();
  impl_->stopping = false;
  for (int i = 0; i < std::max(1, impl_->options.workers); ++i) {
    impl_->workers.emplace_back([this, i] {
      ::pthread_setname_np(::pthread_self(), "peer-worker");
      impl_->Work(i == 0);
    });
  }
  return true;
}

void CPeerServer::Stop() {
  if (impl_->workers.empty()) return;
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->stopping = true;
    // An answer still going out to a slow client ends now rather than at its timeout.
    for (const auto& [id, c] : impl_->connections) {
      if (c->busy) ::shutdown(c->fd, SHUT_RDWR);
    }
  }
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(impl_->stopFd, &one, sizeof one);
  for (std::thread& t : impl_->workers) t.join();
  impl_->workers.clear();
  for (auto& [id, c] : impl_->connections) impl_->Release(std::move(c));
  impl_->connections.clear();
  CloseQuietly(impl_->listenFd);
  CloseQuietly(impl_->epollFd);
  CloseQuietly(impl_->stopFd);
  impl_->listenFd = impl_->epollFd = impl_->stopFd = -1;
}

int CPeerServer::port() const { return impl_->port; }

std::string CPeerServer::BaseUrl() const {
  return "http://" + impl_->host + ":" + std::to_string(impl_->port);
}

std::string CPeerServer::ListUrl() const {
  return BaseUrl() + kPeerListPath + "?" + kPeerListQuery;
}

int CPeerServer::stockCount() const { return impl_->catalogue.stockCount(); }

}  // namespace korvale
