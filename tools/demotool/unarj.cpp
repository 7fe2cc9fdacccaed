// demotool unarj: runs the ARJ reader over a plain archive file.
#include <cstdio>
#include <memory>

#include "archive/afile.h"
#include "archive/arj_reader.h"
#include "archive/disk_file.h"
#include "command.h"

namespace {

int Run(int argc, char** argv) {
  if (argc != 3) return DemotoolUsage(argv[0]);
  std::unique_ptr<AFILE> archive(afload(argv[1]));
  if (!archive) {
    std::fprintf(stderr, "demotool unarj: cannot read '%s'\n", argv[1]);
    return 1;
  }
  std::unique_ptr<AFILE> unpacked;
  try {
    unpacked.reset(ExtractArj(archive.get()));
  } catch (const ArjError&) {
    affree(archive.get());
    return kArjErrorStatus;  // the reader has printed why
  }
  affree(archive.get());
  std::fflush(stdout);
  const bool written = WriteDiskFile(argv[2], unpacked->begin, unpacked->end - unpacked->begin);
  affree(unpacked.get());
  if (!written) {
    std::fprintf(stderr, "demotool unarj: cannot write '%s'\n", argv[2]);
    return 1;
  }
  return 0;
}

const DemotoolCommand kCmd({"unarj", "ARCHIVE.arj OUT",
                            "extract a plain ARJ archive as the show does; all entries, concatenated, go to OUT",
                            &Run});

}  // namespace
