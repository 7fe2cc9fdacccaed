// demotool dump3ds: the chunk tree of a 3DS file, as the show's reader sees it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "command.h"
#include "scene/chunk3ds.h"

namespace {

int Run(int argc, char** argv) {
  const char* data = nullptr;
  const char* name = nullptr;
  uint32_t probe_id = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
      data = argv[++i];
    } else if (std::strcmp(argv[i], "--probe") == 0 && i + 1 < argc) {
      probe_id = uint32_t(std::strtoul(argv[++i], nullptr, 16));
    } else if (!name) {
      name = argv[i];
    } else {
      return DemotoolUsage(argv[0]);
    }
  }
  if (!name) return DemotoolUsage(argv[0]);

  std::unique_ptr<Chunk> root;
  ChunkDamage damage;
  if (data) {
    OpenDemoData(data);
    if (AFILE* file = afopen(name, "rb")) {
      root = Read3DS(file, probe_id, &damage);
      afclose(file);
    }
    FreeArchives(gArchives);
  } else if (AFILE* file = afload(name)) {
    root = Read3DS(file, probe_id, &damage);
    affree(file);
    delete file;
  }
  if (!root) {
    std::fprintf(stderr, "demotool dump3ds: cannot read a chunk from '%s'\n", name);
    return 1;
  }
  if (root->id != CHUNK_MAIN) {
    std::fprintf(stderr, "demotool dump3ds: '%s' is not a 3DS file: it has no main chunk\n", name);
    return 1;
  }
  DumpChunkTree(*root, 0);
  if (!damage) return 0;
  std::fflush(stdout);
  std::fprintf(stderr, "demotool dump3ds: '%s' is damaged: %s\n", name, DescribeDamage(damage).c_str());
  return 1;
}

const DemotoolCommand kCmd({"dump3ds", "FILE.3ds [--data demo.dat] [--probe HEXID]",
                            "print the chunk tree of a 3DS file (on the disk, or inside a data file) and its first damage; "
                            "--probe dumps the raw bytes of chunks with that id",
                            &Run});

}  // namespace
