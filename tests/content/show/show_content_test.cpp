// The show's assets, built from the recipes and read by lib3ds and assimp.
#include <lib3ds/camera.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>
#include <sys/stat.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "content/images/images.h"
#include "content/scenes/scenes.h"
#include "tests/tools/files.h"

namespace {

// Built once and written to show_assets/.
const AssetSet& Assets() {
  static const AssetSet assets = [] {
    AssetSet a;
    AddTextures(a);
    AddPictures(a);
    AddScenes(a);
    mkdir("show_assets", 0755);
    a.WriteTo("show_assets");
    return a;
  }();
  return assets;
}

Lib3ds Load(const std::string& name) { return Assets(), Load3ds("show_assets/" + name); }

// Width over height of the sun's disc in a built JPEG, decoded by djpeg: the
// box round the pixels as light as the disc's core within a tenth of the
// image's size of (cx, cy), given as shares of it; 0 when there are none.
double SunDiscAspect(const std::string& name, double cx, double cy) {
  Assets();
  FILE* pipe = popen(("djpeg -pnm show_assets/" + name).c_str(), "r");
  int width = 0, height = 0, max = 0;
  if (!pipe || std::fscanf(pipe, "P6 %d %d %d", &width, &height, &max) != 3 || max != 255) return 0.0;
  std::fgetc(pipe);
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int r = std::fgetc(pipe), g = std::fgetc(pipe), b = std::fgetc(pipe);
      const bool near = std::abs(x - cx * width) < 0.1 * width && std::abs(y - cy * height) < 0.1 * height;
      if (!near || r < 245 || g < 235 || b < 185) continue;
      left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    }
  pclose(pipe);
  return right < 0 ? 0.0 : double(right - left + 1) / (bottom - top + 1);
}

// What each part looks up by name, and the frames its camera path must cover (the part's seconds at its rate).
const struct {
  const char *file, *names;
  int frames;
} kParts[] = {
    {"natu11.3ds",
     "WaterPlane Box15 Omni03 Omni05 Box11 Box108 Box109 Box110 Box111 Box112 Tree0 Tree1 Tree2 Tree3 Maasto Quad01 "
     "Quad02",
     705},
    {"natu22.3ds", "Box Box09 Box15 Omni tree01 tree02 tree03 tree04 tree05 tree06 tree07 tree08", 300},
    {"natu33.3ds", "Omni Box09 Box15", 500},
    {"techno11.3ds", "Omni Peili01 tarzan", 1125},
    {"techno22.3ds", "background spa_text Box32 Box221 Line01 Box1 Box2 Cylinder21 Cylinder22 Cylinder23 Omni", 1125},
    {"techno33.3ds", "Box32 Box221 Box1 Box2 Omni", 500},
};

TEST(ShowContent, EveryFileOfTheTableIsMadeWithLowerCaseNamesWithinTheBudget) {
  std::istringstream table("natu11.3ds natu22.3ds natu33.3ds kurppa.3ds techno11.3ds techno22.3ds techno33.3ds "
                           "skysun2.jpg skywater.jpg metal7.jpg blue_spa.jpg chromic.jpg puutex2.jpg puutex2.mask loading.jpg "
                           "loading2.jpg the_end.jpg");
  for (std::string name; table >> name;) EXPECT_TRUE(Assets().Has(name)) << name;
  size_t total = 0;
  for (const auto& [name, bytes] : Assets().Files()) {
    total += bytes.size();
    for (char c : name) EXPECT_FALSE(c >= 'A' && c <= 'Z') << name;
  }
  EXPECT_LT(total, 8u * 1024 * 1024);
}

// The sky picture is stretched over the 640 x 480 window, the pictures are shown as they are: the sun is round there.
TEST(ShowContent, TheSunIsRoundWhereItIsSeen) {
  const struct { const char* file; double stretch, sun_x, sun_y; } images[] = {
      {"skysun2.jpg", (640.0 / 512) / (480.0 / 512), 0.5, 0.58}, {"loading.jpg", 1.0, 0.62, 0.6}};
  for (const auto& image : images) {
    const double aspect = SunDiscAspect(image.file, image.sun_x, image.sun_y) * image.stretch;
    EXPECT_NEAR(aspect, 1.0, 0.1) << image.file;
  }
}

TEST(ShowContent, EveryEffectFindsItsObjectsAndCamera01CoversItsPart) {
  for (const auto& part : kParts) {
    const Lib3ds scene = Load(part.file);
    ASSERT_TRUE(scene && scene->cameras) << part.file;
    std::set<std::string> present;
    for (Lib3dsMesh* m = scene->meshes; m; m = m->next) present.insert(m->name);
    for (Lib3dsLight* l = scene->lights; l; l = l->next) present.insert(l->name);
    std::istringstream names(part.names);
    for (std::string name; names >> name;) EXPECT_TRUE(present.count(name)) << part.file << " lacks " << name;
    EXPECT_STREQ(scene->cameras->name, "Camera01") << part.file;
    EXPECT_NE(lib3ds_file_node_by_name(scene.get(), "Camera01", LIB3DS_TARGET_NODE), nullptr) << part.file;
    Lib3dsNode* eye = lib3ds_file_node_by_name(scene.get(), "Camera01", LIB3DS_CAMERA_NODE);
    ASSERT_NE(eye, nullptr) << part.file;
    int last = 0;
    for (Lib3dsLin3Key* k = eye->data.camera.pos_track.keyL; k; k = k->next) last = k->tcb.frame;
    EXPECT_GE(last, part.frames) << part.file;
  }
}

TEST(ShowContent, EverySceneLoadsInAssimpWithinBudgetWithOneTextureInTheSetPerMesh) {
  for (const auto& [file, bytes] : Assets().Files()) {
    if (file.size() < 4 || file.substr(file.size() - 4) != ".3ds") continue;
    Assimp::Importer importer;
    const aiScene* imported = importer.ReadFile("show_assets/" + file, 0);
    ASSERT_NE(imported, nullptr) << file << ": " << importer.GetErrorString();
    EXPECT_GT(imported->mNumMeshes, 0u) << file;
    const Lib3ds scene = Load(file);
    ASSERT_TRUE(scene) << file;
    for (Lib3dsMaterial* m = scene->materials; m; m = m->next)
      EXPECT_TRUE(*m->texture1_map.name && Assets().Has(m->texture1_map.name)) << file << ": " << m->name;
    unsigned faces = 0;
    std::set<std::string> names;  // one material per mesh, as the show splits them
    for (Lib3dsMesh* m = scene->meshes; m; m = m->next) {
      faces += m->faces;
      EXPECT_TRUE(names.insert(m->name).second) << file << ": " << m->name << " twice";
      ASSERT_GT(m->faces, 0u) << file << ": " << m->name;
      for (unsigned i = 1; i < m->faces; ++i) ASSERT_STREQ(m->faceL[i].material, m->faceL[0].material) << m->name;
    }
    EXPECT_LE(faces, 16000u) << file;
  }
  // The cut-out objects of the first nature part, the Quad templates among them, need masks.
  const Lib3ds natu1 = Load("natu11.3ds");
  int quads = 0;
  for (Lib3dsMesh* mesh = natu1->meshes; mesh; mesh = mesh->next) {
    const std::string name = mesh->name;
    quads += name.rfind("Quad", 0) == 0;
    if ((name.rfind("Quad", 0) != 0 && name.rfind("Box1", 0) != 0) || name == "Box15") continue;
    Lib3dsMaterial* m = lib3ds_file_material_by_name(natu1.get(), mesh->faceL[0].material);
    ASSERT_NE(m, nullptr) << name;
    EXPECT_TRUE(Assets().Has(MaskName(m->texture1_map.name))) << name << " has no mask";
  }
  EXPECT_GT(quads, 0) << "natu11.3ds has no Quad template";
}

TEST(ShowContent, MirrorsAreFlatAndTheWaterGridIsFineEnoughForRipples) {
  for (const auto& [file, mirror] : {std::pair<const char*, const char*>{"natu11.3ds", "Box15"}, {"techno11.3ds", "Peili01"}}) {
    const Lib3ds scene = Load(file);
    Lib3dsMesh* m = lib3ds_file_mesh_by_name(scene.get(), mirror);
    ASSERT_NE(m, nullptr);
    ASSERT_GE(m->points, 3u);
    const float *p = m->pointL[0].pos, *q = m->pointL[1].pos, *r = m->pointL[2].pos;
    const float ux = q[0] - p[0], uy = q[1] - p[1], vx = r[0] - p[0], vy = r[1] - p[1];
    EXPECT_GT(std::fabs(ux * vy - uy * vx), 1.0f) << file << ": first three points are collinear";
    // The lake's surface may float a little above the plane it reflects in.
    for (unsigned i = 0; i < m->points; ++i) EXPECT_NEAR(m->pointL[i].pos[2], p[2] + 1.0f, 1.0f) << file;
  }
  const Lib3ds natu1 = Load("natu11.3ds");
  Lib3dsMesh* water = lib3ds_file_mesh_by_name(natu1.get(), "WaterPlane");
  ASSERT_NE(water, nullptr);
  const float step = water->pointL[1].pos[0] - water->pointL[0].pos[0];
  EXPECT_TRUE(step >= 10.0f && step <= 25.0f) << step;
}

TEST(ShowContent, MetaballChamberAndTubeMountsAreWhereTheEffectsNeedThem) {
  const Lib3ds techno2 = Load("techno22.3ds");
  for (Lib3dsMesh* m = techno2->meshes; m; m = m->next)
    for (unsigned i = 0; i < m->points; ++i) {
      const float* p = m->pointL[i].pos;
      EXPECT_FALSE(std::fabs(p[0]) < 250 && std::fabs(p[1]) < 300 && std::fabs(p[2]) < 250)
          << m->name << " reaches into the metaballs";
    }
  const Lib3ds techno1 = Load("techno11.3ds");
  const float bases[4][3] = {{14472.444f, -3594.216f, 10567.153f}, {14472.444f, 616.446f, 10567.153f},
                             {10178.361f, 616.446f, 10567.153f}, {10178.361f, -3743.054f, 10567.153f}};
  for (const auto& b : bases) {
    float nearest = 1e9f;
    for (Lib3dsMesh* m = techno1->meshes; m; m = m->next)
      for (unsigned i = 0; i < m->points; ++i) {
        const float* p = m->pointL[i].pos;
        nearest = std::min(nearest, std::hypot(p[0] - b[0], p[1] - b[1], p[2] - b[2]));
      }
    EXPECT_LT(nearest, 400.0f) << "no mount near a tube base";
  }
}

}  // namespace
