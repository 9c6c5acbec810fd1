#include "net/peer_server.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <deque>
#include <mutex>
#include <thread>
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

// Reads a price file the catalogue opened; false when it cannot be read whole.
bool ReadOpenFile(int fd, std::string* data) {
  struct stat st;
  if (::fstat(fd, &st) != 0 || st.st_size < 0 ||
      static_cast<uint64_t>(st.st_size) > kMaxPeerPriceFileBytes) {
    return false;
  }
  data->resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < data->size()) {
    const ssize_t n = ::pread(fd, data->data() + done, data->size() - done,
                              static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  data->resize(done);  // a file cut meanwhile is sent as it now is
  return true;
}

}  // namespace

struct CPeerServer::Impl {
  explicit Impl(PeerServerOptions o)
      : options(std::move(o)), catalogue(options.root, options.rescanSeconds) {}

  bool Listen(std::string* error);
  void Route();
  Handled Answer(const httplib::Request& req, httplib::Response& res);
  void Log(const std::string& line);

  void Poll();
  void Accept(std::vector<std::unique_ptr<PeerConnection>>* idle);
  // Reads what the client sent; false when the connection broke.
  bool Receive(PeerConnection* c);
  void Refuse(std::unique_ptr<PeerConnection> c, const char* statusLine, const std::string& why);
  void Dispatch(std::unique_ptr<PeerConnection> c);
  void Work();
  void AnswerOne(std::unique_ptr<PeerConnection> c);
  void Wake();
  void Release(std::unique_ptr<PeerConnection> c);

  PeerServerOptions options;
  CPeerCatalogue catalogue;
  CPeerHttp http;
  int listenFd = -1;
  int wakeFd = -1;
  int port = 0;
  std::string host;  // as BaseUrl shows it
  std::atomic<bool> stopping{false};
  std::atomic<int> open{0};  // connections held, idle or busy
  Clock::time_point acceptPausedUntil;  // out of descriptors: accept again after a moment
  std::thread poller;
  std::vector<std::thread> workers;

  std::mutex mutex;  // guards the queues below
  std::condition_variable work;
  std::deque<std::unique_ptr<PeerConnection>> ready;     // whole request heads, for workers
  std::vector<std::unique_ptr<PeerConnection>> returned;  // kept alive, back to the poller
  std::vector<int> busy;  // connections a worker is answering, cut short by Stop

  std::mutex logMutex;
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
    Log(req.remote_addr + " \"" + LogText(req.method) + " " + LogText(req.target) + "\" " +
        std::to_string(s) + " " + std::to_string(res.body.size()));
  });
  http.set_payload_max_length(0);
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
    const int fd = catalogue.OpenListed(req.path.substr(prefix.size()));
    std::string data;
    if (fd < 0) {
      res.status = 404;
    } else if (!ReadOpenFile(fd, &data)) {
      res.status = 500;
    } else {
      res.set_content(std::move(data), "application/octet-stream");
    }
    CloseQuietly(fd);
  } else {
    res.status = 404;
  }
  if (res.status == 404) res.set_content("not found\n", "text/plain");
  return Handled::Handled;
}

void CPeerServer::Impl::Wake() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(wakeFd, &one, sizeof one);
}

void CPeerServer::Impl::Release(std::unique_ptr<PeerConnection> c) {
  CloseQuietly(c->fd);
  open.fetch_sub(1);
}

void CPeerServer::Impl::Refuse(std::unique_ptr<PeerConnection> c, const char* statusLine,
                               const std::string& why) {
  if (statusLine) {
    const std::string answer =
        std::string("HTTP/1.1 ") + statusLine + "\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";
    [[maybe_unused]] const ssize_t n =
        ::send(c->fd, answer.data(), answer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  }
  Log(c->peer + " \"-\" " + (statusLine ? std::string(statusLine, 3) : std::string("-")) + " " +
      why);
  Release(std::move(c));
}

void CPeerServer::Impl::Dispatch(std::unique_ptr<PeerConnection> c) {
  {
    std::lock_guard<std::mutex> lock(mutex);
    ready.push_back(std::move(c));
  }
  work.notify_one();
}

void CPeerServer::Impl::Accept(std::vector<std::unique_ptr<PeerConnection>>* idle) {
  for (;;) {
    const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      // Out of descriptors: the waiting client stays queued instead of the loop spinning.
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        acceptPausedUntil = Clock::now() + std::chrono::milliseconds(100);
      }
      return;
    }
    auto c = std::make_unique<PeerConnection>();
    c->fd = fd;
    c->peer = PeerAddressOf(fd);
    c->since = Clock::now();
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (open.load() >= options.maxConnections) {
      // The connection waiting longest for its request makes room; with none idle the
      // newcomer is turned away.
      auto oldest = std::min_element(idle->begin(), idle->end(),
                                     [](const auto& a, const auto& b) { return a->since < b->since; });
      if (oldest == idle->end()) {
        open.fetch_add(1);
        Refuse(std::move(c), "503 Service Unavailable", "too many connections");
        continue;
      }
      std::unique_ptr<PeerConnection> evicted = std::move(*oldest);
      idle->erase(oldest);
      Refuse(std::move(evicted), nullptr, "idle connection closed for a new one");
    }
    open.fetch_add(1);
    idle->push_back(std::move(c));
  }
}

bool CPeerServer::Impl::Receive(PeerConnection* c) {
  char buffer[4096];
  for (;;) {
    const size_t room = options.maxRequestBytes + 1 - std::min(c->in.size(), options.maxRequestBytes + 1);
    if (room == 0) return true;  // over the bound: the caller refuses it
    const ssize_t n = ::recv(c->fd, buffer, std::min(room, sizeof buffer), 0);
    if (n > 0) {
      c->in.append(buffer, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) c->ended = true;
    return n == 0 || errno == EAGAIN || errno == EWOULDBLOCK;
  }
}

void CPeerServer::Impl::Poll() {
  std::vector<std::unique_ptr<PeerConnection>> idle;
  std::vector<pollfd> fds;
  while (!stopping.load()) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      for (auto& c : returned) idle.push_back(std::move(c));
      returned.clear();
    }
    // A connection kept alive may already hold its next request.
    const auto now = Clock::now();
    for (size_t i = 0; i < idle.size();) {
      PeerConnection* c = idle[i].get();
      const bool whole = RequestHeadLength(c->in) > 0;
      const bool tooLong = !whole && c->in.size() > options.maxRequestBytes;
      const bool late = now - c->since > std::chrono::seconds(options.idleSeconds);
      if (!whole && !tooLong && !late && !c->ended) {
        ++i;
        continue;
      }
      std::unique_ptr<PeerConnection> taken = std::move(idle[i]);
      idle[i] = std::move(idle.back());
      idle.pop_back();
      if (whole) {
        Dispatch(std::move(taken));
      } else if (tooLong) {
        const bool lineOnly = taken->in.find("\r\n") == std::string::npos;
        Refuse(std::move(taken), lineOnly ? "414 URI Too Long" : "431 Request Header Fields Too Large",
               "request head over " + std::to_string(options.maxRequestBytes) + " bytes");
      } else if (taken->in.empty() || taken->ended) {
        Release(std::move(taken));  // an idle keep-alive connection ends quietly
      } else {
        Refuse(std::move(taken), "408 Request Timeout", "no whole request in time");
      }
    }

    fds.clear();
    fds.push_back({wakeFd, POLLIN, 0});
    const bool accepting = Clock::now() >= acceptPausedUntil;
    fds.push_back({accepting ? listenFd : -1, POLLIN, 0});
    for (const auto& c : idle) fds.push_back({c->fd, POLLIN, 0});
    ::poll(fds.data(), fds.size(), accepting ? 1000 : 100);
    if (fds[0].revents & POLLIN) {
      uint64_t count;
      [[maybe_unused]] const ssize_t n = ::read(wakeFd, &count, sizeof count);
    }
    // Readable connections first: the indices of `fds` follow `idle` until Accept adds more.
    for (size_t i = idle.size(); i-- > 0;) {
      if (fds[i + 2].revents == 0) continue;
      // The head must arrive whole within idleSeconds of the wait's start, however slowly.
      if (Receive(idle[i].get())) continue;
      std::unique_ptr<PeerConnection> gone = std::move(idle[i]);
      idle.erase(idle.begin() + static_cast<std::ptrdiff_t>(i));
      Release(std::move(gone));
    }
    if (fds[1].revents & POLLIN) Accept(&idle);
  }
  for (auto& c : idle) Release(std::move(c));
}

void CPeerServer::Impl::AnswerOne(std::unique_ptr<PeerConnection> c) {
  const size_t head = RequestHeadLength(c->in);
  {
    std::lock_guard<std::mutex> lock(mutex);
    busy.push_back(c->fd);
  }
  CPeerStream stream(c.get(), head, options.writeTimeoutSeconds * 1000);
  tCloseAfter = false;
  bool closed = false;
  const bool last = stopping.load() || c->requests + 1 >= options.requestsPerConnection;
  const bool answered = http.Serve(stream, last, closed);
  const bool sent = stream.Flush();
  ++c->requests;
  c->in.erase(0, head);
  {
    std::lock_guard<std::mutex> lock(mutex);
    busy.erase(std::find(busy.begin(), busy.end(), c->fd));
  }
  if (!answered || !sent || closed || last || tCloseAfter || c->ended || stopping.load()) {
    Release(std::move(c));
    return;
  }
  c->since = Clock::now();
  {
    std::lock_guard<std::mutex> lock(mutex);
    returned.push_back(std::move(c));
  }
  Wake();
}

void CPeerServer::Impl::Work() {
  for (;;) {
    std::unique_ptr<PeerConnection> c;
    {
      std::unique_lock<std::mutex> lock(mutex);
      work.wait(lock, [this] { return stopping.load() || !ready.empty(); });
      if (ready.empty()) return;
      c = std::move(ready.front());
      ready.pop_front();
    }
    AnswerOne(std::move(c));
  }
}

CPeerServer::CPeerServer(PeerServerOptions options)
    : impl_(std::make_unique<Impl>(std::move(options))) {}

CPeerServer::~CPeerServer() { Stop(); }

bool CPeerServer::Start(std::string* error) {
  if (impl_->poller.joinable()) return true;
  std::string why;
  if (!impl_->catalogue.Open(&why) || !impl_->Listen(&why)) {
    if (error) *error = why;
    return false;
  }
  impl_->wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  impl_->Route();
  impl_->stopping = false;
  for (int i = 0; i < std::max(1, impl_->options.workers); ++i) {
    impl_->workers.emplace_back([this] { impl_->Work(); });
  }
  impl_->poller = std::thread([this] { impl_->Poll(); });
  return true;
}

void CPeerServer::Stop() {
  if (!impl_->poller.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->stopping = true;
    // An answer still going out to a slow client ends now rather than at its timeout.
    for (int fd : impl_->busy) ::shutdown(fd, SHUT_RDWR);
  }
  impl_->Wake();
  impl_->work.notify_all();
  impl_->poller.join();
  for (std::thread& t : impl_->workers) t.join();
  impl_->workers.clear();
  // Whatever the workers left: requests not begun and connections handed back.
  for (auto& c : impl_->ready) impl_->Release(std::move(c));
  for (auto& c : impl_->returned) impl_->Release(std::move(c));
  impl_->ready.clear();
  impl_->returned.clear();
  CloseQuietly(impl_->listenFd);
  CloseQuietly(impl_->wakeFd);
  impl_->listenFd = impl_->wakeFd = -1;
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
