// Finding the show's files in the working folder or beside the program.
#include "runtime/data_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace {

bool IsFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ExecutableDir() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  const std::string exe(path, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash);
}

}  // namespace

std::string LocateDataFile(const std::string& name) {
  if (IsFile(name)) return name;
  const std::string dir = ExecutableDir();
  if (!dir.empty() && IsFile(dir + "/" + name)) return dir + "/" + name;
  return name;
}
