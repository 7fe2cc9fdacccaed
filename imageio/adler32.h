// The Adler-32 checksum of RFC 1950 that ends every zlib stream.
#pragma once

#include <cstddef>
#include <cstdint>

namespace imageio {

// The checksum of the bytes, started from 1.
uint32_t Adler32(const uint8_t* data, size_t size);

}  // namespace imageio
