// Whole files as bytes, and scenes read back through lib3ds (link lib3ds to use those).
#pragma once

#include <lib3ds/file.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

template <typename Byte = uint8_t>
std::vector<Byte> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename Byte>
void WriteAll(const std::string& path, const std::vector<Byte>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

struct Lib3dsFree {
  void operator()(Lib3dsFile* f) const { lib3ds_file_free(f); }
};
using Lib3ds = std::unique_ptr<Lib3dsFile, Lib3dsFree>;

inline Lib3ds Load3ds(const std::string& path) { return Lib3ds(lib3ds_file_load(path.c_str())); }
