// Another program run beside the show (ffmpeg, for the video capture): found
// on PATH, fed through its standard input, waited for.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

class ChildProcess {
 public:
  ChildProcess() = default;
  // Ends a program that still runs (SIGTERM) and waits for it.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts argv[0], looked up on PATH, with its standard input a pipe from
  // this process when `feed` is true, /dev/null otherwise; its output goes
  // where this process's goes. False with the reason in *error when it
  // cannot start ("not found" when it is not on PATH).
  bool Start(const std::vector<std::string>& argv, bool feed, std::string* error);
  // Writes every byte to its standard input; false with errno set on failure
  // (EPIPE once the program has stopped reading).
  bool Write(const void* data, size_t size);
  // Closes its standard input and waits for it to end: its exit status, or
  // -1 when it was killed by a signal or never started.
  int Wait();
  // Ends it now and waits.
  void Kill();

 private:
  pid_t pid_ = -1;
  int input_ = -1;
};
