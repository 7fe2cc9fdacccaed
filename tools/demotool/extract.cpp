// demotool extract: every entry of a data file's pack image into a folder.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "archive/disk_file.h"
#include "command.h"

namespace {

// A name stays inside the folder when it is relative and has no empty, "."
// or ".." part between its "/" separators.
bool StaysInside(const std::string& name) {
  if (name.empty() || name[0] == '/') return false;
  size_t start = 0;
  for (;;) {
    const size_t slash = name.find('/', start);
    const std::string part = name.substr(start, slash - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string::npos) return true;
    start = slash + 1;
  }
}

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST; }

// Creates the folders that lead to dir/name.
bool MakeParents(const std::string& dir, const std::string& name) {
  for (size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1))
    if (!MakeFolder(dir + "/" + name.substr(0, slash))) return false;
  return true;
}

int Run(int argc, char** argv) {
  if (argc != 3) return DemotoolUsage(argv[0]);
  if (access(argv[1], R_OK) != 0) {
    std::fprintf(stderr, "demotool extract: cannot read '%s'\n", argv[1]);
    return 1;
  }
  const std::string dir = argv[2];
  if (!MakeFolder(dir)) {
    std::fprintf(stderr, "demotool extract: cannot create '%s'\n", argv[2]);
    return 1;
  }
  OpenDemoData(argv[1]);
  int status = 0;
  for (const Archive* archive : gArchives) {
    for (const auto& named : archive->entries) {
      const std::string& name = named.first;
      if (!StaysInside(name)) {
        std::fprintf(stderr, "demotool extract: refused '%s': the name leads outside '%s'\n", name.c_str(),
                     argv[2]);
        status = 1;
        continue;
      }
      const std::string path = dir + "/" + name;
      if (!MakeParents(dir, name) ||
          !WriteDiskFile(path.c_str(), archive->data + named.second->offset, named.second->size)) {
        std::fprintf(stderr, "demotool extract: cannot write '%s'\n", path.c_str());
        status = 1;
      }
    }
  }
  FreeArchives(gArchives);
  return status;
}

const DemotoolCommand kCmd({"extract", "FILE DIR",
                            "write every entry of a scrambled data file into DIR, names kept", &Run});

}  // namespace
