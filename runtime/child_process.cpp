// Starting a program found on PATH with a pipe to its standard input, and waiting for it.
#include "runtime/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Start(const std::vector<std::string>& argv, bool feed, std::string* error) {
  int pipe_fds[2] = {-1, -1};
  if (feed && pipe2(pipe_fds, O_CLOEXEC) != 0) {
    *error = std::strerror(errno);
    return false;
  }
  // Writing to a program that has gone must fail with EPIPE rather than end
  // this process; the program itself gets the default handling back.
  std::signal(SIGPIPE, SIG_IGN);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (feed)
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[0], STDIN_FILENO);
  else
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const int result = posix_spawnp(&pid_, args[0], &actions, &attr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (feed) close(pipe_fds[0]);
  if (result != 0) {
    pid_ = -1;
    if (feed) close(pipe_fds[1]);
    *error = result == ENOENT ? "not found" : std::strerror(result);
    return false;
  }
  input_ = feed ? pipe_fds[1] : -1;
  return true;
}

bool ChildProcess::Write(const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = input_ >= 0 ? write(input_, bytes, size) : (errno = EBADF, -1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

int ChildProcess::Wait() {
  if (input_ >= 0) close(input_);
  input_ = -1;
  if (pid_ < 0) return -1;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::Kill() {
  if (pid_ >= 0) kill(pid_, SIGTERM);
  Wait();
}
