// The archive tests' helpers: temporary folders, runs of the arj program and of the reader, hand-made archives.
#include "arj_test_support.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "runtime/fatal.h"

TempDir::TempDir() {
  char pattern[] = "/tmp/archive-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() { Shell("rm -rf '" + path_ + "'"); }

std::string ReadBytes(const std::string& path) {
  std::ostringstream all;
  all << std::ifstream(path, std::ios::binary).rdbuf();
  return all.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int Shell(const std::string& command) {
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string ArjAdd(const TempDir& dir, const std::string& archive, const std::string& options,
                   const std::vector<NamedBytes>& files) {
  std::string names;
  for (const NamedBytes& f : files) {
    WriteBytes(dir / f.name, f.bytes);
    names += " '" + f.name + "'";
  }
  if (Shell("cd '" + dir.path() + "' && arj a -y " + options + " '" + archive + "'" + names + " >/dev/null 2>&1"))
    throw std::runtime_error("arj a failed");
  return ReadBytes(dir / archive);
}

std::string DataFile(const TempDir& dir, const std::string& image) {
  std::string data = ArjAdd(dir, "demo.arj", "-m1", {{"pack.img", image}});
  for (char& c : data) c = static_cast<char>(c ^ 0xC3);
  WriteBytes(dir / "demo.dat", data);
  return dir / "demo.dat";
}

std::string ArjExtracted(const TempDir& dir, const std::string& archive, const std::vector<std::string>& names) {
  const std::string out = dir / "arj-out";
  Shell("rm -rf '" + out + "' && mkdir '" + out + "' && cd '" + dir.path() + "' && arj e -y '" + archive + "' -ht'" +
        out + "' >/dev/null 2>&1");
  std::string all;
  for (const std::string& name : names) all += ReadBytes(out + "/" + name);
  return all;
}

Captured CaptureExit(const std::function<void()>& fn) {
  Captured run;
  const ExitHandler old = SetExitHandler([](int status) { throw status; });
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  try {
    fn();
  } catch (int status) {
    run.status = status;
  }
  run.out = testing::internal::GetCapturedStdout();
  run.err = testing::internal::GetCapturedStderr();
  SetExitHandler(old);
  return run;
}

ReaderRun RunReader(const std::string& archive, uint32_t output_limit) {
  std::vector<unsigned char> copy(archive.begin(), archive.end());
  AFILE input{copy.data(), copy.data(), copy.data() + copy.size()};
  ReaderRun run;
  static_cast<Captured&>(run) = CaptureExit([&] {
    try {
      AFILE* result = ExtractArj(&input, output_limit);
      run.bytes.assign(reinterpret_cast<const char*>(result->begin), result->end - result->begin);
      affree(result);
      delete result;
    } catch (const ArjError&) {
      ExitWithStatus(kArjErrorStatus);  // as the show and the tools end for it
    }
  });
  return run;
}

uint32_t Crc32(const std::string& bytes) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::string PseudoRandom(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  return s;
}

namespace {

template <typename T>  // little-endian, as on the x86 test hosts
void Put(std::string& s, T v) { s.append(reinterpret_cast<const char*>(&v), sizeof v); }

template <typename T>
T Get(const std::string& s, size_t at) {
  T v;
  std::memcpy(&v, s.data() + at, sizeof v);
  return v;
}

// A header block: id, size, basic header (first header size 30, version 11, minimum 1), CRC, no extended headers.
std::string HeaderBlock(uint8_t method, uint8_t file_type, uint8_t host_os, uint32_t compressed, uint32_t original,
                        uint32_t crc, const std::string& name) {
  std::string h = {30, 11, 1, static_cast<char>(host_os), 0, static_cast<char>(method), static_cast<char>(file_type), 0};
  for (uint32_t v : {0u, compressed, original, crc, 0u}) Put(h, v);
  Put(h, uint16_t{0});
  h += name + '\0' + '\0';
  std::string block = "\x60\xEA";
  Put(block, static_cast<uint16_t>(h.size()));
  block += h;
  Put(block, Crc32(h));
  Put(block, uint16_t{0});
  return block;
}

}  // namespace

std::vector<size_t> HeaderOffsets(const std::string& archive) {
  std::vector<size_t> offsets;
  for (size_t at = 0; at + 4 <= archive.size() && Get<uint16_t>(archive, at + 2) != 0;) {
    const uint32_t data = offsets.empty() ? 0 : Get<uint32_t>(archive, at + 4 + 12);
    offsets.push_back(at);
    at += 4 + Get<uint16_t>(archive, at + 2) + 4 + 2 + data;
  }
  return offsets;
}

void FixHeaderCrc(std::string& archive, size_t offset) {
  const uint32_t size = Get<uint16_t>(archive, offset + 2);
  std::string crc;
  Put(crc, Crc32(archive.substr(offset + 4, size)));
  archive.replace(offset + 4 + size, 4, crc);
}

BitWriter& BitWriter::Put(std::initializer_list<std::pair<uint32_t, int>> fields) {
  for (const auto& [value, bits] : fields)
    for (int i = bits - 1; i >= 0; --i, ++used_) {
      if (used_ == 8) bytes_.push_back('\0'), used_ = 0;
      if (value >> i & 1) bytes_.back() = static_cast<char>(bytes_.back() | 0x80 >> used_);
    }
  return *this;
}

std::string BuildArchive(const std::vector<EntrySpec>& entries) {
  std::string archive = HeaderBlock(0, 2, 2, 0, 0, 0, "test.arj");
  for (const EntrySpec& e : entries)
    archive += HeaderBlock(e.method, e.file_type, e.host_os, static_cast<uint32_t>(e.data.size()), e.original_size,
                           e.crc, e.name) + e.data;
  return archive + std::string("\x60\xEA\0\0", 4);
}
