// Fixing the times and the random byte in ARJ headers, so that archives come out byte-identical.
#include "tools/content/arj_stamp.h"

#include <zlib.h>

namespace {

constexpr size_t kMaxBasicHeader = 2600;
constexpr size_t kFlagsOffset = 4;
constexpr size_t kModifierOffset = 7;  // password modifier, random per run
constexpr uint8_t kGarbled = 0x01;
constexpr size_t kEntryTimeOffset = 8;
constexpr size_t kMainModifiedOffset = 12;
constexpr size_t kCompressedSizeOffset = 12;
constexpr size_t kAccessTimeOffset = 34;
constexpr size_t kCreatedTimeOffset = 38;

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

void Write32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

uint32_t Crc(const std::vector<uint8_t>& b, size_t at, size_t n) {
  return uint32_t(crc32(crc32(0L, Z_NULL, 0), b.data() + at, uInt(n)));
}

// One header block at `pos`: checks it, stamps its times, and moves `pos`
// past it and its extended headers. Sets `end` at the closing block.
bool StampHeader(std::vector<uint8_t>& b, size_t& pos, bool main, uint32_t stamp, bool& end) {
  if (b.size() - pos < 4 || b[pos] != 0x60 || b[pos + 1] != 0xEA) return false;
  const size_t size = size_t(b[pos + 2]) | size_t(b[pos + 3]) << 8;
  if (size == 0) {
    end = true;
    pos += 4;
    return true;
  }
  const size_t basic = pos + 4;
  if (size > kMaxBasicHeader || b.size() - basic < size + 4 || size < 30) return false;
  if (Crc(b, basic, size) != Read32(b, basic + size)) return false;
  const size_t first = b[basic];
  Write32(b, basic + kEntryTimeOffset, stamp);
  if (!(b[basic + kFlagsOffset] & kGarbled)) b[basic + kModifierOffset] = 0;
  if (main) {
    Write32(b, basic + kMainModifiedOffset, stamp);
  } else if (first >= kCreatedTimeOffset + 4 && size >= kCreatedTimeOffset + 4) {
    Write32(b, basic + kAccessTimeOffset, stamp);
    Write32(b, basic + kCreatedTimeOffset, stamp);
  }
  Write32(b, basic + size, Crc(b, basic, size));
  pos = basic + size + 4;
  for (;;) {  // extended headers: size, bytes, CRC; a zero size ends them
    if (b.size() - pos < 2) return false;
    const size_t ext = size_t(b[pos]) | size_t(b[pos + 1]) << 8;
    pos += 2;
    if (ext == 0) break;
    if (b.size() - pos < ext + 4) return false;
    pos += ext + 4;
  }
  if (!main) {
    const uint32_t data = Read32(b, basic + kCompressedSizeOffset);
    if (b.size() - pos < data) return false;
    pos += data;
  }
  return true;
}

}  // namespace

uint32_t DosTime(int year, int month, int day, int hour, int minute, int second) {
  const uint32_t date = uint32_t((year - 1980) << 9 | month << 5 | day);
  const uint32_t time = uint32_t(hour << 11 | minute << 5 | second / 2);
  return date << 16 | time;
}

bool StampArjTimes(std::vector<uint8_t>& archive, uint32_t dos_time) {
  std::vector<uint8_t> work = archive;
  size_t pos = 0;
  bool end = false;
  if (!StampHeader(work, pos, true, dos_time, end) || end) return false;
  while (!end)
    if (!StampHeader(work, pos, false, dos_time, end)) return false;
  archive.swap(work);
  return true;
}
