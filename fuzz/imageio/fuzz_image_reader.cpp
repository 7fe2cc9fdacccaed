// Feeds arbitrary bytes to one image reader (FUZZ_READER from FUZZ_HEADER):
// it must return an image or throw ImageIOException, nothing else.
#include <cstdint>
#include <memory>
#include <vector>

#include FUZZ_HEADER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<unsigned char> bytes(data, data + size);
  AFILE file{bytes.data(), bytes.data(), bytes.data() + bytes.size()};
  imageio::FUZZ_READER reader;
  try {
    std::unique_ptr<imageio::Image> image(reader.read(&file));
    std::unique_ptr<imageio::Image> rgba(image->toRGBA());
    if (rgba.get() == image.get()) rgba.release();
  } catch (const imageio::ImageIOException&) {
  }
  return 0;
}
