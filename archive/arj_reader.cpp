// The ARJ reader: headers, listing lines, stored entries and CRC verdicts, with the decoders of arj_decode.cpp.
#include "archive/arj_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "archive/arj_internal.h"
#include "archive/crc32.h"
#include "archive/printable_name.h"

namespace {

constexpr uint16_t kHeaderId = 0xEA60;
constexpr int32_t kMaxLeadingBytes = 500000;
constexpr size_t kInitialOutput = 1 << 20;
constexpr size_t kStoredChunk = 4096;
constexpr uint8_t kHostKeepsBit7 = 2;
constexpr uint8_t kFlagGarbled = 0x01;
constexpr uint8_t kMaxMinVersion = 3;
constexpr uint8_t kMaxMethod = 4;
constexpr uint8_t kFileTypeText = 1;

const char kNotArj[] = "%s is not an ARJ archive";
const char kBadHeader[] = "Bad header";
const char kEndOfFile[] = "Can't read file or unexpected end of file";
const char kDiskFull[] = "Can't write file. Disk full?";

int ReadArjByte(ArjReader& r) {
  const int c = afgetc(r.input);
  if (c < 0) ArjFatal(r, kEndOfFile);
  return c;
}

uint16_t ReadArjWord(ArjReader& r) {
  const int lo = ReadArjByte(r);
  return static_cast<uint16_t>(lo | ReadArjByte(r) << 8);
}

uint32_t ReadArjLong(ArjReader& r) {
  const uint32_t lo = ReadArjWord(r);
  return lo | static_cast<uint32_t>(ReadArjWord(r)) << 16;
}

uint32_t FieldU32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Moves forward by n bytes, stopping at the end of the input.
void SkipForward(AFILE* f, uint32_t n) {
  const size_t left = static_cast<size_t>(f->end - f->pos);
  f->pos += std::min<size_t>(n, left);
}

// Reads n header bytes through the CRC; true when the stored CRC after them
// matches.
bool ReadCheckedHeader(ArjReader& r, uint16_t n) {
  const size_t got = afread(r.header, 1, n, r.input);
  std::memset(r.header + got, 0, sizeof r.header - got);
  r.crc = UpdateCrc32(r.crc_tables, 0xFFFFFFFFu, r.header, got);
  return (r.crc ^ 0xFFFFFFFFu) == ReadArjLong(r);
}

int32_t FindArjHeader(ArjReader& r) {
  int32_t start = aftell(r.input);
  const int64_t input_size = r.input->end - r.input->begin;
  const int32_t last = static_cast<int32_t>(std::min<int64_t>(input_size - 2, kMaxLeadingBytes));
  for (; start < last; ++start) {
    afseek(r.input, start, 0);
    int v = ReadArjByte(r);
    while (start < last) {
      if (v != (kHeaderId & 0xFF)) {
        v = ReadArjByte(r);
      } else if ((v = ReadArjByte(r)) == kHeaderId >> 8) {
        break;
      }
      ++start;
    }
    if (start >= last) break;
    const uint16_t size = ReadArjWord(r);
    if (size <= kArjMaxHeaderSize && ReadCheckedHeader(r, size)) {
      afseek(r.input, start, 0);
      return start;
    }
  }
  return -1;
}

// Copies a zero-ended string of at most capacity - 1 characters that starts
// at header[from], never reading past the header buffer. Returns the index
// just after the source string's zero byte.
size_t CopyHeaderString(const ArjReader& r, size_t from, char* dest, size_t capacity, bool strip_bit7) {
  size_t n = 0;
  size_t i = from;
  for (; i < sizeof r.header && r.header[i] != 0; ++i)
    if (n + 1 < capacity) dest[n++] = static_cast<char>(strip_bit7 ? r.header[i] & 0x7F : r.header[i]);
  dest[n] = '\0';
  return i + 1;
}

// Reads one header block; false at the end-of-archive marker.
bool ReadArjHeader(ArjReader& r, bool first) {
  if (ReadArjWord(r) != kHeaderId) ArjFatal(r, first ? kNotArj : kBadHeader);
  const uint16_t size = ReadArjWord(r);
  if (size == 0) return false;
  if (size > kArjMaxHeaderSize) ArjFatal(r, kBadHeader);
  if (!ReadCheckedHeader(r, size)) ArjFatal(r, "Header CRC error!");

  const unsigned char* h = r.header;
  r.first_header_size = h[0];
  r.archiver_version = h[1];
  r.min_version = h[2];
  r.host_os = h[3];
  r.flags = h[4];
  r.method = h[5];
  r.file_type = h[6];
  r.compressed_size = FieldU32(h + 12);
  r.original_size = FieldU32(h + 16);
  r.file_crc = FieldU32(h + 20);
  r.name_position = static_cast<uint16_t>(h[24] | h[25] << 8);

  const bool strip = r.host_os != kHostKeepsBit7;
  const size_t after_name = CopyHeaderString(r, r.first_header_size, r.name, sizeof r.name, strip);
  CopyHeaderString(r, after_name, r.comment, sizeof r.comment, strip);

  for (uint16_t extended = ReadArjWord(r); extended != 0; extended = ReadArjWord(r))
    SkipForward(r.input, extended + 4u);
  return true;
}

// The path name from the name position on, control characters escaped;
// empty when the position lies past the name.
std::string BareName(const ArjReader& r) {
  const size_t length = std::strlen(r.name);
  return PrintableName(r.name + std::min<size_t>(r.name_position, length));
}

int32_t Wrap32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

// Compression ratio in thousandths, in 32-bit signed arithmetic.
uint32_t Ratio(int32_t a, int32_t b) {
  for (int i = 0; i < 3; ++i) {
    if (a <= 214748364)
      a = Wrap32(int64_t{a} * 10);
    else
      b /= 10;
  }
  if (Wrap32(int64_t{a} + b / 2) < a) {
    a /= 2;
    b /= 2;
  }
  if (b == 0) return 0;
  return static_cast<uint32_t>(Wrap32((int64_t{a} + b / 2) / b));
}

void ListArjEntry(const ArjReader& r, int k) {
  if (k == 0) {
    std::printf("Filename       Original Compressed Ratio CRC-32\n");
    std::printf("------------ ---------- ---------- ----- --------\n");
  }
  const uint32_t ratio = Ratio(static_cast<int32_t>(r.compressed_size), static_cast<int32_t>(r.original_size));
  const std::string bare = BareName(r);
  std::printf(bare.size() < 13 ? "%-12s " : "%-12s\n             ", bare.c_str());
  std::printf("%10ld %10ld %u.%03u %08lX\n", static_cast<long>(static_cast<int32_t>(r.original_size)),
              static_cast<long>(static_cast<int32_t>(r.compressed_size)), ratio / 1000, ratio % 1000,
              static_cast<unsigned long>(r.file_crc));
}

bool CheckArjFlags(ArjReader& r) {
  if (r.min_version > kMaxMinVersion)
    std::printf("Unsupported version: %d, ", r.min_version);
  else if (r.flags & kFlagGarbled)
    std::printf("File is password encrypted, ");
  else if (r.method > kMaxMethod || (r.method == 4 && r.archiver_version == 1))
    std::printf("Unsupported method: %d, ", r.method);
  else if (r.file_type > kFileTypeText)
    std::printf("Unsupported file type: %d, ", r.file_type);
  else
    return true;
  std::printf("Skipped %s\n", PrintableName(r.name).c_str());
  SkipForward(r.input, r.compressed_size);
  return false;
}

void CopyStored(ArjReader& r) {
  std::unique_ptr<unsigned char[]> chunk(new (std::nothrow) unsigned char[kStoredChunk]);
  if (!chunk) ArjFatal(r, "Out of memory");
  ShowSpinner(r);
  uint32_t left = r.compressed_size;
  size_t n = std::min<size_t>(kStoredChunk - static_cast<uint32_t>(aftell(r.input)) % kStoredChunk, left);
  while (left > 0) {
    if (afread(chunk.get(), 1, n, r.input) != n) ArjFatal(r, kEndOfFile);
    ShowSpinner(r);
    left -= static_cast<uint32_t>(n);
    WriteOutput(r, chunk.get(), n);
    n = std::min<size_t>(left, kStoredChunk);
  }
}

void GrowOutput(ArjReader& r, size_t needed) {
  if (needed > r.output_limit) ArjFatal(r, kDiskFull);
  if (needed <= r.capacity) return;
  const size_t capacity = std::max(r.capacity * 2, needed);
  std::unique_ptr<unsigned char[]> grown(new (std::nothrow) unsigned char[capacity]);
  if (!grown) ArjFatal(r, kDiskFull);
  std::memcpy(grown.get(), r.output.get(), r.length);
  r.output = std::move(grown);
  r.capacity = capacity;
}

bool ExtractArjEntry(ArjReader& r) {
  if (!CheckArjFlags(r)) {
    ++r.error_count;
    return false;
  }
  std::printf("Extracting %-25s", BareName(r).c_str());
  if (r.original_size > r.output_limit - r.length) ArjFatal(r, kDiskFull);
  // Room for the whole entry now: the bytes before it are copied once, not at
  // every doubling on the way.
  GrowOutput(r, r.length + r.original_size);
  r.crc = 0xFFFFFFFFu;
  r.compressed_left = r.compressed_size;
  if (r.method == 0)
    CopyStored(r);
  else if (r.method == 4)
    DecodeMethod4(r);
  else
    DecodeMethod1to3(r);
  if ((r.crc ^ 0xFFFFFFFFu) == r.file_crc) {
    std::printf("CRC OK\n");
  } else {
    std::printf("CRC error!\n");
    ++r.error_count;
  }
  return true;
}

}  // namespace

void ArjFatal(const ArjReader& reader, const char* message) {
  char text[128];  // room for the longest message with its count
  std::snprintf(text, sizeof text, message, "", reader.error_count);
  std::printf("\n%s\n", text);
  throw ArjError(text);
}

void ShowSpinner(ArjReader& reader) {
  static const char kSpinner[] = "|/-\\";
  std::printf("(%c)\b\b\b", kSpinner[reader.spinner]);
  reader.spinner = (reader.spinner + 1) % 4;
}

void WriteOutput(ArjReader& r, const unsigned char* bytes, size_t n) {
  r.crc = UpdateCrc32(r.crc_tables, r.crc, bytes, n);
  GrowOutput(r, r.length + n);
  unsigned char* out = r.output.get() + r.length;
  if (r.file_type == kFileTypeText && r.host_os != kHostKeepsBit7) {
    for (size_t i = 0; i < n; ++i) out[i] = bytes[i] & 0x7F;
  } else {
    std::memcpy(out, bytes, n);
  }
  r.length += n;
}

AFILE* ExtractArj(AFILE* input, uint32_t output_limit) {
  std::unique_ptr<ArjReader> reader(new ArjReader);
  ArjReader& r = *reader;
  r.input = input;
  BuildCrc32Tables(&r.crc_tables);
  r.output_limit = output_limit;
  r.capacity = std::min<size_t>(kInitialOutput, output_limit);
  r.output.reset(new unsigned char[r.capacity ? r.capacity : 1]);

  std::printf("Processing archive: %s\n", "");
  const int32_t main_header = FindArjHeader(r);
  if (main_header < 0) ArjFatal(r, kNotArj);
  afseek(input, main_header, 0);
  if (!ReadArjHeader(r, true)) ArjFatal(r, "Invalid comment header");

  for (int k = 0; ReadArjHeader(r, false);) {
    ListArjEntry(r, k++);
    if (ExtractArjEntry(r)) ++k;
  }
  if (r.error_count > 0) ArjFatal(r, "%sFound %5d error(s)!");

  unsigned char* bytes = r.output.release();
  return new AFILE{bytes, bytes, bytes + r.length};
}
