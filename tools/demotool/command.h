// Commands of demotool. Each command lives in its own source file and
// registers itself with a static DemotoolCommand object.
#pragma once

#include <vector>

struct DemotoolCommandInfo {
  const char* name;     // word on the command line
  const char* usage;    // arguments after the name, e.g. "ARCHIVE.arj OUT"
  const char* summary;  // one line for --help
  int (*run)(int argc, char** argv);  // argv[0] is the command name
};

class DemotoolCommand {
 public:
  explicit DemotoolCommand(const DemotoolCommandInfo& info);
  static const std::vector<DemotoolCommandInfo>& All();
};

// Prints "usage: demotool NAME USAGE" to standard error and returns 2.
int DemotoolUsage(const char* name);
