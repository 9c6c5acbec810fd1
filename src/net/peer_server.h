// The peer side of remote mode: a data root published read only over HTTP, as the program's
// remote mode reads it. The stock-page addresses "/Korvale/KVISA.DLL?ALLST" and
// "/Korvale.cgi?cmd=ALLST" answer an anchor page with one link per price file; the price files
// are served byte for byte below "/Korvale/". Nothing else of the root is readable.
#ifndef KORVALE_NET_PEER_SERVER_H_
#define KORVALE_NET_PEER_SERVER_H_

#include <functional>
#include <memory>
#include <string>

namespace korvale {

struct PeerServerOptions {
  std::string root;                      // the data root to publish
  std::string bindAddress = "127.0.0.1";  // loopback unless told otherwise
  int port = 0;                          // 0: a free port
  int workers = 16;                      // threads answering requests
  // Connections held open at once; beyond, the one idle longest is closed for a newcomer. Kept
  // well below 1024 so that no descriptor of a connection passes what select() can watch.
  int maxConnections = 512;
  int idleSeconds = 15;           // a connection without a whole request for this long is closed
  size_t maxRequestBytes = 16384;  // request line and headers together
  int writeTimeoutSeconds = 30;   // a client that takes nothing for this long is dropped
  int rescanSeconds = 10;         // how old the list of stocks may get
  int requestsPerConnection = 1000;
  // One line per request (and per connection refused), from any thread, one call at a time.
  std::function<void(const std::string& line)> log;
};

class CPeerServer {
 public:
  explicit CPeerServer(PeerServerOptions options);
  ~CPeerServer();  // stops first
  CPeerServer(const CPeerServer&) = delete;
  CPeerServer& operator=(const CPeerServer&) = delete;

  // Scans the root and serves from threads of its own. False, with the reason, when the root
  // is no folder or the address cannot be bound.
  bool Start(std::string* error);
  // Stops accepting, lets the answers in progress end (each bounded by the write timeout) and
  // closes every connection. Safe to call twice.
  void Stop();

  int port() const;
  // "http://ADDRESS:PORT" ("[...]" around an IPv6 address).
  std::string BaseUrl() const;
  // The stock page of the program's default form: BaseUrl() + "/Korvale/KVISA.DLL?ALLST".
  std::string ListUrl() const;
  int stockCount() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace korvale

#endif  // KORVALE_NET_PEER_SERVER_H_
