// Start-up: the data file into the archive list.
#include "archive/demo_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "archive/afile.h"
#include "archive/pack_image.h"
#include "arj_test_support.h"
#include "runtime/fatal.h"

namespace {

struct Exited {
  int status;
};

void ThrowStatus(int status) { throw Exited{status}; }

struct OpenRun {
  int status = 0;
  std::string out;
  std::string err;
};

OpenRun Open(const std::string& path) {
  OpenRun run;
  const ExitHandler old = SetExitHandler(ThrowStatus);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  try {
    OpenDemoData(path.c_str());
  } catch (const Exited& e) {
    run.status = e.status;
  }
  run.out = testing::internal::GetCapturedStdout();
  run.err = testing::internal::GetCapturedStderr();
  SetExitHandler(old);
  return run;
}

TEST(DemoData, MissingFileIsNotFound) {
  const OpenRun run = Open("/nonexistent/data/file.dat");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Demo datafile 'demo.dat' not found!\nError\n");
  EXPECT_TRUE(gArchives.empty());
}

TEST(DemoData, RegistersAndListsThePackImage) {
  TempDir dir;
  const std::string image = BuildPackImage({{"sky.jpg", "JPEG bytes"}, {"a.3ds", std::string(40000, 'M')}});
  const OpenRun run = Open(DataFile(dir, image));
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  ASSERT_EQ(gArchives.size(), 1u);
  char listing[256];
  std::snprintf(listing, sizeof listing,
                "CRC OK\nfiles in archive: 2\n"
                "Archive #1, %d, %zu, 2:\n"
                "  Entry #1: a.3ds, 36, 40000\n"
                "  Entry #2: sky.jpg, 16, 10\n",
                static_cast<int>(reinterpret_cast<intptr_t>(gArchives.front()->data)), image.size());
  ASSERT_GT(run.out.size(), std::strlen(listing));
  EXPECT_EQ(run.out.substr(run.out.size() - std::strlen(listing)), listing);
  EXPECT_EQ(run.out.find("Processing archive: \n"), 0u);

  AFILE* f = afopen("sky.jpg", "rb");
  ASSERT_NE(f, nullptr);
  char bytes[10];
  EXPECT_EQ(afread(bytes, 1, 10, f), 10u);
  EXPECT_EQ(std::string(bytes, 10), "JPEG bytes");
  afclose(f);
  FreeArchives(gArchives);
}

TEST(DemoData, ArchiveErrorsEndFromTheReader) {
  TempDir dir;
  WriteBytes(dir / "plain.dat", std::string(1000, 'x'));
  const OpenRun run = Open(dir / "plain.dat");
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.out, "Processing archive: \n\n is not an ARJ archive\n");
  EXPECT_TRUE(gArchives.empty());
}

TEST(DemoData, BrokenPackImageIsCorrupted) {
  TempDir dir;
  std::string image = BuildPackImage({{"a", "1"}, {"b", "2"}});
  image[0] = 3;  // one entry more than the image holds
  const OpenRun run = Open(DataFile(dir, image));
  EXPECT_EQ(run.status, 1);
  const std::string box = "Demo datafile 'demo.dat' corrupted!\nError\n";
  ASSERT_GE(run.err.size(), box.size());
  EXPECT_EQ(run.err.substr(run.err.size() - box.size()), box);
  EXPECT_TRUE(gArchives.empty());
}

}  // namespace
