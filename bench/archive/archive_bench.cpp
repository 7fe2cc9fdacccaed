// Extracts large archives made by arj (every method, -m0 to -m4) with our
// reader and with `arj e`, and prints both times and their ratio.
//   archive_bench [MEGABYTES]   (default 32)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "archive/afile.h"
#include "archive/arj_reader.h"
#include "archive/disk_file.h"

namespace {

constexpr int kRuns = 3;

// Text lines, binary records and noise, in alternating stretches.
std::string MixedData(size_t size) {
  std::mt19937 gen(2026);
  static const char* const kWords[] = {"dusk", "machine", "orange", "fog", "chrome", "water", "bird", "tube"};
  std::string data;
  data.reserve(size + 4096);
  while (data.size() < size) {
    switch (gen() % 3) {
      case 0:
        for (int line = 0; line < 200; ++line) {
          for (int w = 0; w < 8; ++w) data += std::string(kWords[gen() % 8]) + ' ';
          data += std::to_string(gen() % 100000) + '\n';
        }
        break;
      case 1:
        for (int record = 0; record < 2000; ++record) {
          const uint32_t fields[4] = {static_cast<uint32_t>(record), static_cast<uint32_t>(gen() % 256), 0x3F800000u,
                                      static_cast<uint32_t>(gen() % 16)};
          data.append(reinterpret_cast<const char*>(fields), sizeof fields);
        }
        break;
      default:
        for (int i = 0; i < 8192; ++i) data += static_cast<char>(gen());
    }
  }
  data.resize(size);
  return data;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int Shell(const std::string& command) { return std::system(command.c_str()); }

// Our reader, with its progress output sent to /dev/null.
double TimeReader(const std::string& archive, size_t expected) {
  AFILE* input = afload(archive.c_str());
  if (!input) return -1;
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  if (!std::freopen("/dev/null", "w", stdout)) return -1;
  const auto start = std::chrono::steady_clock::now();
  AFILE* out = ExtractArj(input);
  const double seconds = Seconds(start);
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  const bool complete = static_cast<size_t>(out->end - out->begin) == expected;
  affree(out);
  delete out;
  affree(input);
  delete input;
  return complete ? seconds : -1;
}

double TimeArj(const std::string& dir, const std::string& archive) {
  Shell("rm -rf '" + dir + "/x' && mkdir '" + dir + "/x'");
  const auto start = std::chrono::steady_clock::now();
  const int status = Shell("arj e -y '" + archive + "' -ht'" + dir + "/x' >/dev/null 2>&1");
  const double seconds = Seconds(start);
  return status == 0 ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
  char work[] = "/tmp/archive-bench-XXXXXX";
  if (!mkdtemp(work)) return 1;
  const std::string dir = work;
  const std::string data = MixedData(megabytes << 20);
  if (!WriteDiskFile((dir + "/data.bin").c_str(), data.data(), data.size())) return 1;

  int status = 0;
  for (const char* method : {"-m0", "-m1", "-m2", "-m3", "-m4"}) {
    const std::string archive = dir + "/bench" + (method + 1) + ".arj";
    if (Shell(std::string("cd '") + dir + "' && arj a -y " + method + " '" + archive + "' data.bin >/dev/null 2>&1")) {
      std::fprintf(stderr, "archive_bench: arj a %s failed\n", method);
      status = 1;
      break;
    }
    // The best of a few runs each, the two taking turns: the machine may be busy.
    double ours = 1e9, arj = 1e9;
    for (int run = 0; run < kRuns && ours >= 0 && arj >= 0; ++run) {
      ours = std::min(ours, TimeReader(archive, data.size()));
      arj = std::min(arj, TimeArj(dir, archive));
    }
    if (ours < 0 || arj < 0) {
      std::fprintf(stderr, "archive_bench: extraction with %s failed\n", method);
      status = 1;
      continue;
    }
    std::printf("%s %zu MB: reader %.3f s, arj e %.3f s, arj / reader %.2f\n", method, megabytes, ours, arj,
                arj / ours);
  }
  Shell("rm -rf '" + dir + "'");
  return status;
}
