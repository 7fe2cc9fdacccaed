// Helpers for the archive tests: temporary folders, the real arj program, in-process reader runs, hand-made archives.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "archive/arj_reader.h"

class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
int Shell(const std::string& command);  // the exit status

struct NamedBytes {
  std::string name, bytes;
};
// Runs `arj a OPTIONS dir/archive` on the files; returns the archive's bytes.
std::string ArjAdd(const TempDir& dir, const std::string& archive, const std::string& options,
                   const std::vector<NamedBytes>& files);
// Writes dir/demo.dat as the build makes it (arj -m1, xor 0xC3); returns its path.
std::string DataFile(const TempDir& dir, const std::string& image);
// What `arj e` extracts from dir/archive: the named files, concatenated.
std::string ArjExtracted(const TempDir& dir, const std::string& archive, const std::vector<std::string>& names);

struct Captured {  // exit status 0 when fn returned
  int status = 0;
  std::string out, err;
};
Captured CaptureExit(const std::function<void()>& fn);
struct ReaderRun : Captured {
  std::string bytes;
};
// The reader over the bytes; its ArjError ends the run with kArjErrorStatus, as the programs end for it.
ReaderRun RunReader(const std::string& archive, uint32_t output_limit = kArjOutputLimit);

uint32_t Crc32(const std::string& bytes);
std::string PseudoRandom(size_t n, uint32_t seed);
std::vector<size_t> HeaderOffsets(const std::string& archive);  // main header first
void FixHeaderCrc(std::string& archive, size_t offset);

class BitWriter {  // most significant bit first
 public:
  BitWriter& Put(std::initializer_list<std::pair<uint32_t, int>> fields);
  std::string Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  int used_ = 8;
};

struct EntrySpec {
  std::string name;
  uint8_t method, file_type, host_os;
  uint32_t original_size, crc;
  std::string data;
};
std::string BuildArchive(const std::vector<EntrySpec>& entries);
