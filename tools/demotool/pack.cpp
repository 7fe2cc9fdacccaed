// demotool pack: a scrambled data file from the files of a folder.
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "archive/disk_file.h"
#include "archive/pack_image.h"
#include "command.h"

extern char** environ;

namespace {

// Regular files directly inside dir, in byte-wise name order; false when the
// folder cannot be read.
bool ReadFolder(const std::string& dir, std::vector<PackEntry>* entries) {
  DIR* folder = opendir(dir.c_str());
  if (!folder) return false;
  std::vector<std::string> names;
  while (const dirent* e = readdir(folder)) {
    struct stat st;
    const std::string path = dir + "/" + e->d_name;
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(e->d_name);
  }
  closedir(folder);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::unique_ptr<AFILE> file(afload((dir + "/" + name).c_str()));
    if (!file) return false;
    entries->push_back({name, std::string(reinterpret_cast<const char*>(file->begin), file->end - file->begin)});
    affree(file.get());
  }
  return true;
}

// Runs `arj a` quietly; returns its exit status, or -1 when it cannot start
// (errno tells why).
int RunArj(const std::string& archive, const std::string& input) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const char* args[] = {"arj", "a", "-y", "-e", "-m1", archive.c_str(), input.c_str(), nullptr};
  pid_t pid;
  const int failed = posix_spawnp(&pid, "arj", &actions, nullptr, const_cast<char**>(args), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed) {
    errno = failed;
    return -1;
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

// Compresses the pack image with arj and scrambles the archive into out.
int PackImage(const std::string& image, const std::string& work, const char* out) {
  const std::string image_path = work + "/pack.img";
  const std::string archive_path = work + "/demo.arj";
  if (!WriteDiskFile(image_path.c_str(), image.data(), image.size())) {
    std::fprintf(stderr, "demotool pack: cannot write '%s'\n", image_path.c_str());
    return 1;
  }
  const int arj = RunArj(archive_path, image_path);
  if (arj < 0 && errno == ENOENT) {
    std::fprintf(stderr, "demotool pack: the 'arj' program was not found; install arj (scripts/install-deps.sh)\n");
    return 1;
  }
  if (arj != 0) {
    std::fprintf(stderr, "demotool pack: arj failed (status %d)\n", arj);
    return 1;
  }
  std::unique_ptr<AFILE> archive(afload(archive_path.c_str()));
  if (!archive) {
    std::fprintf(stderr, "demotool pack: arj left no archive\n");
    return 1;
  }
  afxor(archive.get(), kDemoDataKey);
  const bool written = WriteDiskFile(out, archive->begin, archive->end - archive->begin);
  affree(archive.get());
  if (!written) {
    std::fprintf(stderr, "demotool pack: cannot write '%s'\n", out);
    return 1;
  }
  return 0;
}

int Run(int argc, char** argv) {
  if (argc != 3) return DemotoolUsage(argv[0]);
  std::vector<PackEntry> entries;
  if (!ReadFolder(argv[1], &entries)) {
    std::fprintf(stderr, "demotool pack: cannot read the files of '%s'\n", argv[1]);
    return 1;
  }
  char work[] = "/tmp/demotool-pack-XXXXXX";
  if (!mkdtemp(work)) {
    std::fprintf(stderr, "demotool pack: cannot create a work folder\n");
    return 1;
  }
  const int status = PackImage(BuildPackImage(entries), work, argv[2]);
  std::remove((std::string(work) + "/pack.img").c_str());
  std::remove((std::string(work) + "/demo.arj").c_str());
  rmdir(work);
  return status;
}

const DemotoolCommand kCmd({"pack", "DIR FILE",
                            "build a scrambled data file from the files in DIR (needs the arj program)", &Run});

}  // namespace
