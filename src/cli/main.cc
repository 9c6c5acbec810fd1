// korvale-cli: the headless front end of Korvale.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace {

void PrintCommandList(FILE* out) {
  std::fprintf(out,
               "usage: korvale-cli COMMAND [--root DIR] [options]\n"
               "\n"
               "The data root is --root or the current directory; its settings file is read\n"
               "as the program reads it at start-up. Every command has --help.\n"
               "\n"
               "commands:\n");
  for (const auto& [name, command] : korvale::cli::Commands()) {
    std::fprintf(out, "  %-14s %s\n", name.c_str(), command.summary.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvale::cli;
  if (argc < 2) {
    PrintCommandList(stderr);
    return kExitUsage;
  }
  std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintCommandList(stdout);
    return kExitOk;
  }
  auto it = Commands().find(name);
  if (it == Commands().end()) {
    PrintError("unknown command " + name + " (see korvale-cli --help)");
    return kExitUsage;
  }
  const Command& command = it->second;
  std::vector<std::string> rest(argv + 2, argv + argc);
  CliArgs args;
  if (!args.Parse(rest, command.options)) {
    PrintError(args.error());
    std::fputs(command.usage.c_str(), stderr);
    return kExitUsage;
  }
  if (args.Has("--help")) {
    std::fputs(command.usage.c_str(), stdout);
    return kExitOk;
  }
  return command.run(args);
}
