// korvale-cli serve: the data root published read only to peers in remote mode.
#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "cli/cli.h"
#include "net/peer_server.h"
#include "net/remote_mode_root.h"

namespace korvale::cli {
namespace {

bool IsLoopback(const std::string& address) {
  return address == "localhost" || address.rfind("127.", 0) == 0 || address == "::1";
}

int RunServe(const CliArgs& args) {
  if (!args.Positional().empty()) {
    PrintError("serve takes no positional arguments");
    return kExitUsage;
  }
  PeerServerOptions options;
  if (args.Has("--port") && !ParseWholeNumber(args.Value("--port"), 0, 65535, &options.port)) {
    PrintError("--port needs a number 0-65535");
    return kExitUsage;
  }
  if (args.Has("--workers") && !ParseWholeNumber(args.Value("--workers"), 1, 256, &options.workers)) {
    PrintError("--workers needs a number 1-256");
    return kExitUsage;
  }
  options.bindAddress = args.Value("--bind", "127.0.0.1");
  options.root = args.Root();
  if (!std::filesystem::is_directory(options.root)) {
    PrintError(options.root + " is not a folder");
    return kExitFailure;
  }
  options.log = [](const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
  };
  // Ctrl-C and SIGTERM are waited for here, in no server thread, so the server stops cleanly.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  CPeerServer server(options);
  std::string error;
  if (!server.Start(&error)) {
    PrintError(error);
    return kExitFailure;
  }
  if (args.Has("--make-root")) {
    const std::string client = args.Value("--make-root");
    if (!MakeRemoteModeRoot(client, server.ListUrl(), options.root, &error)) {
      PrintError(error);
      return kExitFailure;
    }
    std::printf("remote-mode data root %s\n", client.c_str());
  }
  std::printf("serving %d stocks of %s at %s\n", server.stockCount(), options.root.c_str(),
              server.ListUrl().c_str());
  std::fflush(stdout);
  if (!IsLoopback(options.bindAddress)) {
    PrintError("note: every price file below " + options.root + " is readable by anyone who "
               "can reach " + server.BaseUrl());
  }
  int received = 0;
  sigwait(&signals, &received);
  server.Stop();
  std::fprintf(stderr, "stopped\n");
  return kExitOk;
}

const CommandRegistration kRegistration({
    "serve",
    "publishes the data root's price files read only over HTTP, for remote mode on peers",
    "usage: korvale-cli serve [--root DIR] [--bind ADDR] [--port N] [--workers N]\n"
    "                         [--make-root DIR2]\n"
    "\n"
    "Serves the data root to other installations in remote mode (dataSourceMode 1) until\n"
    "Ctrl-C. The stock pages /Korvale/KVISA.DLL?ALLST and /Korvale.cgi?cmd=ALLST answer an\n"
    "HTML page with one link per stock's price file, in the order the stock list shows them;\n"
    "the price files are sent byte for byte below /Korvale/ (for example\n"
    "/Korvale/Data/1000/KD1301.KDT). Nothing else is readable: no other file, no path outside\n"
    "the root, no symbolic link leading out of it. Only GET and HEAD are answered.\n"
    "--bind ADDR listens on ADDR (default 127.0.0.1, this machine only; 0.0.0.0 or :: for the\n"
    "network), --port N on port N (0 or absent: a free port), --workers N answers with N\n"
    "threads (default 16). Prints the stock page's address on stdout and one line per request\n"
    "on stderr (time, client, request, status, bytes). Stocks added to the root while it runs\n"
    "are listed within ten seconds.\n"
    "--make-root DIR2 makes DIR2 a remote-mode data root that reads from this server: the\n"
    "settings file (dataSourceMode 1, peerServerUrl) and a copy of the stock dictionary. Start\n"
    "korvale in DIR2, or run 'korvale-cli list --root DIR2'.\n",
    {{}, {"--bind", "--port", "--workers", "--make-root"}},
    RunServe,
});

}  // namespace
}  // namespace korvale::cli
