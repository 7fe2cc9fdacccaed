// Reading, unscrambling and unpacking demo.dat into the archive list; failures end through the fatal reporter.
#include "archive/demo_data.h"

#include <memory>

#include "archive/afile.h"
#include "archive/arj_reader.h"
#include "runtime/fatal.h"

namespace {

// Messages name the data file as the show knows it, whatever the path.
const char kDataName[] = "demo.dat";

struct OwnedFileDeleter {
  void operator()(AFILE* f) const {
    affree(f);
    delete f;
  }
};
using OwnedFile = std::unique_ptr<AFILE, OwnedFileDeleter>;

}  // namespace

void OpenDemoData(const char* path) {
  OwnedFile scrambled(afload(path));
  if (!scrambled) FatalError(1, "Demo datafile '%s' not found!", kDataName);
  afxor(scrambled.get(), kDemoDataKey);
  OwnedFile image;
  try {
    image.reset(ExtractArj(scrambled.get()));
  } catch (const ArjError&) {
    ExitWithStatus(kArjErrorStatus);  // the reader has printed why
  }
  if (!image) FatalError(1, "Demo datafile '%s' corrupted!", kDataName);
  scrambled.reset();
  // The archive takes the bytes over, whether or not the image is sound.
  const bool added = AddArchive(gArchives, image.get());
  delete image.release();
  if (!added) FatalError(1, "Demo datafile '%s' corrupted!", kDataName);
  ListArchives(gArchives, "");
}
