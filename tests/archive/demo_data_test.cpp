// Start-up: the data file into the archive list.
#include "archive/demo_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "archive/afile.h"
#include "archive/pack_image.h"
#include "arj_test_support.h"

namespace {

Captured Open(const std::string& path) {
  return CaptureExit([&] { OpenDemoData(path.c_str()); });
}

TEST(DemoData, RegistersAndListsThePackImage) {
  TempDir dir;
  const std::string image = BuildPackImage({{"sky.jpg", "JPEG bytes"}, {"a.3ds", std::string(40000, 'M')}});
  const Captured run = Open(DataFile(dir, image));
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  ASSERT_EQ(gArchives.size(), 1u);
  char listing[256];
  std::snprintf(listing, sizeof listing,
                "CRC OK\nfiles in archive: 2\nArchive #1, %d, %zu, 2:\n"
                "  Entry #1: a.3ds, 36, 40000\n  Entry #2: sky.jpg, 16, 10\n",
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

TEST(DemoData, FailuresEndWithTheirMessage) {
  TempDir dir;
  const Captured missing = Open("/nonexistent/data/file.dat");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "Demo datafile 'demo.dat' not found!\nError\n");

  WriteBytes(dir / "plain.dat", std::string(1000, 'x'));
  const Captured plain = Open(dir / "plain.dat");
  EXPECT_EQ(plain.status, -1);
  EXPECT_EQ(plain.out, "Processing archive: \n\n is not an ARJ archive\n");

  std::string image = BuildPackImage({{"a", "1"}, {"b", "2"}});
  image[0] = 3;  // one entry more than the image holds
  const Captured broken = Open(DataFile(dir, image));
  EXPECT_EQ(broken.status, 1);
  const std::string box = "Demo datafile 'demo.dat' corrupted!\nError\n";
  ASSERT_GE(broken.err.size(), box.size());
  EXPECT_EQ(broken.err.substr(broken.err.size() - box.size()), box);
  EXPECT_TRUE(gArchives.empty());
}

}  // namespace
