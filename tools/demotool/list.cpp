// demotool list: the archive listing the show prints at start-up.
#include <unistd.h>

#include <cstdio>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "command.h"

namespace {

int Run(int argc, char** argv) {
  if (argc != 2) return DemotoolUsage(argv[0]);
  if (access(argv[1], R_OK) != 0) {
    std::fprintf(stderr, "demotool list: cannot read '%s'\n", argv[1]);
    return 1;
  }
  OpenDemoData(argv[1]);
  FreeArchives(gArchives);
  return 0;
}

const DemotoolCommand kCmd({"list", "FILE", "print a scrambled data file's listing as the show does at start-up", &Run});

}  // namespace
