// demotool extract: every entry of a data file's pack image into a folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "archive/disk_file.h"
#include "archive/printable_name.h"
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

enum class Opened { kFile, kThroughLink, kFailed };

bool IsLink(int dir_fd, const char* name) {
  struct stat st;
  return fstatat(dir_fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
}

// Opens dir/name for writing, creating the folders that lead to it, without
// following a symbolic link below dir: each folder on the way and the file
// are opened with O_NOFOLLOW, so a link there cannot be opened.
Opened OpenInside(int dir_fd, const std::string& name, FILE** out) {
  int fd = dup(dir_fd);
  size_t start = 0;
  for (size_t slash; fd >= 0 && (slash = name.find('/', start)) != std::string::npos; start = slash + 1) {
    const std::string part = name.substr(start, slash - start);
    mkdirat(fd, part.c_str(), 0755);
    const int next = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const bool link = next < 0 && IsLink(fd, part.c_str());
    close(fd);
    if (link) return Opened::kThroughLink;
    fd = next;
  }
  if (fd < 0) return Opened::kFailed;
  const char* leaf = name.c_str() + start;
  const int file = openat(fd, leaf, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  const bool link = file < 0 && IsLink(fd, leaf);
  close(fd);
  if (file >= 0 && (*out = fdopen(file, "wb"))) return Opened::kFile;
  if (file >= 0) close(file);
  return link ? Opened::kThroughLink : Opened::kFailed;
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
  const int dir_fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd < 0) {
    std::fprintf(stderr, "demotool extract: cannot create '%s'\n", argv[2]);
    return 1;
  }
  OpenDemoData(argv[1]);
  int status = 0;
  for (const Archive* archive : gArchives) {
    for (const auto& named : archive->entries) {
      const std::string& name = named.first;
      FILE* out = nullptr;
      const bool inside = StaysInside(name);
      const Opened opened = inside ? OpenInside(dir_fd, name, &out) : Opened::kFailed;
      if (!inside || opened == Opened::kThroughLink) {
        std::fprintf(stderr, "demotool extract: refused '%s': the name leads %s '%s'\n", PrintableName(name).c_str(),
                     opened == Opened::kThroughLink ? "through a symbolic link in" : "outside", argv[2]);
        status = 1;
      } else if (opened != Opened::kFile ||
                 !WriteOpenFile(out, archive->data + named.second->offset, named.second->size)) {
        std::fprintf(stderr, "demotool extract: cannot write '%s'\n", PrintableName(dir + "/" + name).c_str());
        status = 1;
      }
    }
  }
  close(dir_fd);
  FreeArchives(gArchives);
  return status;
}

const DemotoolCommand kCmd({"extract", "FILE DIR",
                            "write every entry of a scrambled data file into DIR, names kept", &Run});

}  // namespace
