// demotool's entry point: the registry of commands, the help text and the dispatch.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "command.h"

namespace {

std::vector<DemotoolCommandInfo>& Registry() {
  static std::vector<DemotoolCommandInfo> commands;
  return commands;
}

void PrintHelp(FILE* out) {
  std::fprintf(out, "usage: demotool COMMAND [ARGS...]\n\ncommands:\n");
  for (const auto& c : DemotoolCommand::All())
    std::fprintf(out, "  %s %s\n      %s\n", c.name, c.usage, c.summary);
  std::fprintf(out, "\n'demotool COMMAND --help' prints one command's usage.\n");
}

}  // namespace

DemotoolCommand::DemotoolCommand(const DemotoolCommandInfo& info) {
  auto& r = Registry();
  r.push_back(info);
  std::sort(r.begin(), r.end(), [](const auto& a, const auto& b) { return std::strcmp(a.name, b.name) < 0; });
}

const std::vector<DemotoolCommandInfo>& DemotoolCommand::All() { return Registry(); }

int DemotoolUsage(const char* name) {
  for (const auto& c : DemotoolCommand::All())
    if (std::strcmp(c.name, name) == 0) {
      std::fprintf(stderr, "usage: demotool %s %s\n", c.name, c.usage);
      return 2;
    }
  return 2;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintHelp(stderr);
    return 2;
  }
  const std::string cmd = argv[1];
  if (cmd == "--help" || cmd == "-h" || cmd == "help") {
    PrintHelp(stdout);
    return 0;
  }
  for (const auto& c : DemotoolCommand::All()) {
    if (cmd != c.name) continue;
    for (int i = 2; i < argc; ++i)
      if (std::strcmp(argv[i], "--help") == 0) {
        std::printf("usage: demotool %s %s\n  %s\n", c.name, c.usage, c.summary);
        return 0;
      }
    return c.run(argc - 1, argv + 1);
  }
  std::fprintf(stderr, "demotool: unknown command '%s'\n", cmd.c_str());
  PrintHelp(stderr);
  return 2;
}
