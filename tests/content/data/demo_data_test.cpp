// The build's demo.dat as the show reads it: packed reproducibly, every scene and image readable.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "imageio/jpeg_reader.h"
#include "imageio/png_reader.h"
#include "scene/scene.h"
#include "tests/archive/arj_test_support.h"
#include "tests/support/gl_context.h"

namespace {

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// Builds the assets and packs them as the build does; returns the data file's bytes.
std::string PackOnce(const TempDir& dir, const std::string& name) {
  const std::string assets = "'" + dir / (name + ".assets") + "'", data = "'" + dir / (name + ".dat") + "'";
  EXPECT_EQ(Shell(CONTENTTOOL " build " + assets + " >/dev/null"), 0);
  EXPECT_EQ(Shell(DEMOTOOL " pack " + assets + " " + data + " >/dev/null"), 0);
  EXPECT_EQ(Shell(CONTENTTOOL " stamp " + data + " >/dev/null"), 0);
  return ReadBytes(dir / (name + ".dat"));
}

TEST(DemoData, TwoBuildsPackTheSameBytesAsTheBuild) {
  TempDir dir;
  const std::string first = PackOnce(dir, "first");
  sleep(2);  // the archiver's clock must move on between the two packs
  ASSERT_GT(first.size(), 100000u);
  EXPECT_TRUE(first == PackOnce(dir, "second"));
  EXPECT_TRUE(first == ReadBytes(DEMO_DATA));
}

class DemoDataArchive : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    OpenDemoData(DEMO_DATA);
  }
  static void TearDownTestSuite() {
    FreeArchives(gArchives);
    GLContextTest::TearDownTestSuite();
  }
  static std::vector<std::string> EntriesEndingWith(const std::string& end) {
    std::vector<std::string> names;
    for (const Archive* archive : gArchives)
      for (const auto& [name, entry] : archive->entries)
        if (EndsWith(name, end)) names.push_back(name);
    return names;
  }
};

// Width and height, or {-1, -1} with the reader's message when it fails.
std::pair<int, int> Decode(const std::string& name, std::string* error) {
  std::unique_ptr<imageio::ImageReader> reader(EndsWith(name, ".jpg") ? static_cast<imageio::ImageReader*>(new imageio::ReadJpeg)
                                                                        : new imageio::ReadPng);
  std::pair<int, int> size{-1, -1};
  AFILE* file = afopen(name.c_str(), "rb");
  if (!file) return size;
  try {
    std::unique_ptr<imageio::Image> image(reader->read(file));
    size = {image->width(), image->height()};
  } catch (const imageio::ImageIOException& e) {
    *error = e.message();
  }
  afclose(file);
  return size;
}

TEST_F(DemoDataArchive, EveryImageAndMaskDecodesWithOurReaders) {
  std::map<std::string, std::pair<int, int>> sizes;
  for (const char* kind : {".jpg", ".png", ".mask"})
    for (const std::string& name : EntriesEndingWith(kind)) {
      std::string error;
      EXPECT_GT((sizes[name] = Decode(name, &error)).first, 0) << name << ": " << error;
    }
  EXPECT_GE(sizes.size(), 20u);
  for (const std::string& mask : EntriesEndingWith(".mask")) {
    const std::string image = mask.substr(0, mask.size() - 5) + ".jpg";
    ASSERT_TRUE(sizes.count(image)) << mask << " has no " << image;
    EXPECT_EQ(sizes[mask], sizes[image]) << mask;
  }
}

TEST_F(DemoDataArchive, EverySceneLoadsWithoutComplaint) {
  const std::vector<std::string> scenes = EntriesEndingWith(".3ds");
  ASSERT_EQ(scenes.size(), 7u);
  for (const std::string& name : scenes) {
    Scene scene;
    testing::internal::CaptureStdout();
    scene.Load(name.c_str());
    const std::string log = testing::internal::GetCapturedStdout();
    for (const char* complaint : {"no vertices", "no triangles", "no maps", "no textures", "Unhandled", "Ei loydy",
                                  "keyframer nodes without a mesh"})
      EXPECT_EQ(log.find(complaint), std::string::npos) << name << ": " << complaint;
    EXPECT_GT(scene.CollectObjects().size(), scene.Cameras().size() + scene.Lights().size()) << name;
    for (const auto& [texture, ref] : scene.Textures().Bindings()) {
      const std::string image = ref->image->name;
      uint32_t size = 0;
      EXPECT_TRUE(image == "default" ? texture == "default" : FindInArchives(gArchives, image.c_str(), &size) != nullptr)
          << name << ": material " << texture << " shows the default pattern for " << image;
    }
  }
}

}  // namespace
