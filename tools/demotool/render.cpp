// demotool render FILE.3ds OUT.png: one 640x480 frame of a scene, drawn
// offscreen through one of its cameras at one keyframe time.
#include <SDL/SDL.h>
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "archive/pack_image.h"
#include "command.h"
#include "maths/pi.h"
#include "offscreen_window.h"
#include "parts/scene_dressing.h"
#include "parts/scene_frame.h"
#include "runtime/present.h"
#include "scene/chunk3ds.h"
#include "scene/scene.h"

namespace {


struct RenderOptions {
  const char* scene = nullptr;
  const char* out = nullptr;
  const char* data = nullptr;
  const char* background = nullptr;
  const char* mirror = nullptr;
  int camera = -1;  // -1: the first file camera, or the default camera
  float frame = 0;
  float fog_end = 0;  // 0: no fog
};

bool ParseNumber(const char* text, float* value) {
  char* end = nullptr;
  *value = std::strtof(text, &end);
  return end != text && *end == '\0';
}

bool ParseOptions(int argc, char** argv, RenderOptions* o) {
  for (int i = 1; i < argc; ++i) {
    const bool has_value = i + 1 < argc;
    float number = 0;
    if (std::strcmp(argv[i], "--camera") == 0 && has_value) {
      if (!ParseNumber(argv[++i], &number) || number < 0 || number != int(number)) return false;
      o->camera = int(number);
    } else if (std::strcmp(argv[i], "--frame") == 0 && has_value) {
      if (!ParseNumber(argv[++i], &o->frame) || o->frame < 0) return false;
    } else if (std::strcmp(argv[i], "--fog") == 0 && has_value) {
      if (!ParseNumber(argv[++i], &o->fog_end) || o->fog_end <= 1) return false;
    } else if (std::strcmp(argv[i], "--data") == 0 && has_value) {
      o->data = argv[++i];
    } else if (std::strcmp(argv[i], "--background") == 0 && has_value) {
      o->background = argv[++i];
    } else if (std::strcmp(argv[i], "--mirror") == 0 && has_value) {
      o->mirror = argv[++i];
    } else if (!o->scene) {
      o->scene = argv[i];
    } else if (!o->out) {
      o->out = argv[i];
    } else {
      return false;
    }
  }
  return o->scene && o->out;
}

std::string Lowercase(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool IsImageFile(const std::string& lower_name) {
  for (const char* ext : {".jpg", ".png", ".mask"}) {
    const size_t n = std::strlen(ext);
    if (lower_name.size() > n && lower_name.compare(lower_name.size() - n, n, ext) == 0) return true;
  }
  return false;
}

// Registers the scene file and the images beside it as one archive, under
// lower-case names (materials name their images in lower case). Returns the
// scene's entry name, or an empty text when the scene cannot be read.
std::string RegisterSceneFolder(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string scene_name = Lowercase(slash == std::string::npos ? path : path.substr(slash + 1));
  std::vector<std::string> files = {path};
  if (DIR* folder = opendir(dir.c_str())) {
    while (const dirent* e = readdir(folder))
      if (IsImageFile(Lowercase(e->d_name))) files.push_back(dir + "/" + e->d_name);
    closedir(folder);
  }
  std::sort(files.begin() + 1, files.end());
  std::vector<PackEntry> entries;
  for (const std::string& file : files) {
    struct stat st;
    if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    std::unique_ptr<AFILE> bytes(afload(file.c_str()));
    if (!bytes) continue;
    const std::string name = Lowercase(file.substr(file.rfind('/') == std::string::npos ? 0 : file.rfind('/') + 1));
    entries.push_back({name, std::string(reinterpret_cast<const char*>(bytes->begin), bytes->end - bytes->begin)});
    affree(bytes.get());
  }
  if (entries.empty() || entries[0].name != scene_name) return "";
  return AddPackImage(gArchives, entries) ? scene_name : "";
}

template <typename Path>
void PrintRange(const char* what, const Path& path) {
  if (path.IsValid()) std::printf(" %s %g..%g (%d keys)", what, path.Start(), path.End(), path.KeyCount());
}

void PrintContents(Scene& scene) {
  const std::vector<GLMesh*> all = scene.CollectObjects();
  const size_t cameras = scene.Cameras().size() - 1;  // the default camera is not from the file
  std::printf("objects: %zu, lights: %zu, cameras: %zu\n", all.size() - scene.Lights().size() - cameras - 1,
              scene.Lights().size(), cameras);
  for (GLMesh* object : all) {
    if (object == scene.Cameras()[0]) continue;
    const size_t vertices = object->Vertices() ? object->Vertices()->size() : 0;
    const size_t triangles = object->Simplices() ? object->Simplices()->size() : 0;
    std::printf("  %s: %zu vertices, %zu triangles", object->Name().c_str(), vertices, triangles);
    PrintRange("position", object->PositionPath());
    PrintRange("rotation", object->RotationPath());
    PrintRange("scale", object->ScalePath());
    std::printf("\n");
  }
  for (size_t i = 1; i < scene.Cameras().size(); ++i) {
    Camera<GLMesh>* camera = scene.Cameras()[i];
    std::printf("camera %zu %s:", i, camera->Name().c_str());
    PrintRange("position", camera->PositionPath());
    PrintRange("target", camera->TargetPath());
    PrintRange("roll", camera->RollPath());
    PrintRange("fov", camera->FieldOfViewPath());
    std::printf("\n");
  }
  for (Light* light : scene.Lights()) {
    const vec<float, 4>& c = light->Ambient();
    std::printf("light %s: %s, colour %g %g %g", light->Name().c_str(), light->IsSpot() ? "spot" : "omni", c[0], c[1],
                c[2]);
    PrintRange("position", light->PositionPath());
    PrintRange("target", light->TargetPath());
    std::printf("\n");
  }
}

// Names the images that materials ask for and the archives lack: those
// render as the default pattern.
void ReportMissingImages(Scene& scene) {
  for (const auto& [texture, ref] : scene.Textures().Bindings()) {
    const std::string image = ref->image && ref->image->name ? ref->image->name : "";
    if (image.empty() || Lowercase(image) == "default") continue;
    uint32_t size = 0;
    if (!FindInArchives(gArchives, image.c_str(), &size))
      std::printf("missing image: %s (material %s)\n", image.c_str(), texture.c_str());
  }
}

// Rewinds every path and advances it by the given number of 3DS frames.
void PoseAtFrame(Scene& scene, float frame) {
  SetPathStep(0);
  for (GLMesh* object : scene.Objects()) object->Reset();
  SetPathStep(frame);
  for (GLMesh* object : scene.Objects()) object->Update();
  SetPathStep(0);
}

// The scene's bounds in file units, over every vertex as posed now.
bool SceneBounds(Scene& scene, vec<float, 3>* low, vec<float, 3>* high) {
  bool any = false;
  for (GLMesh* object : scene.CollectObjects()) {
    if (!object->Vertices() || !object->IsVisible()) continue;
    object->ComputeWorldMatrix(scene);
    for (uint32_t i = 0; i < object->Vertices()->size(); ++i) {
      const vec<float, 3> p = object->WorldVertex(i);
      for (int k = 0; k < 3; ++k) {
        (*low)[k] = any ? std::min((*low)[k], p[k]) : p[k];
        (*high)[k] = any ? std::max((*high)[k], p[k]) : p[k];
      }
      any = true;
    }
  }
  return any;
}

// The default camera looks at the whole scene from its -y side, a little
// from above, far enough back for the bounding sphere to fit the view.
void FrameDefaultCamera(Scene& scene) {
  vec<float, 3> low(0.0f), high(0.0f);
  if (!SceneBounds(scene, &low, &high)) return;
  const vec<float, 3> centre = (low + high) * 0.5f;
  const float radius = std::max((high - low).Length() * 0.5f, 1.0f);
  const float distance = radius / std::sin(20.0f * kPi / 180.0f);
  Camera<GLMesh>* camera = scene.Cameras()[0];
  vec<float, 3> back(0.0f, -1.0f, 0.4f);
  back.Normalize();
  camera->Position() = centre + back * distance;
  camera->LookAt(centre, 0);
}

// A white omni light at the camera, for scenes that bring no lights.
void AddHeadlight(Scene& scene, const vec<float, 3>& at) {
  auto* light = new Light(PathLocation(at), vec<float, 3>(0.35f), vec<float, 3>(1.0f), vec<float, 3>(0.0f),
                          vec<float, 3>(1.0f, 0.0f, 0.0f), false);
  light->PushVisibility(0);
  light->SetName("headlight");
  scene.AddLight(light);
  std::printf("no lights in the scene: a headlight at the camera\n");
}

// Draws the scene, and what could be read of a damaged one, whose damage
// the loader names: status 1 then.
int Render(const RenderOptions& o, const std::string& scene_name) {
  Scene scene;
  const bool sound = scene.Load(scene_name.c_str());
  PrintContents(scene);
  ReportMissingImages(scene);
  const int cameras = int(scene.Cameras().size());
  const int camera = o.camera >= 0 ? o.camera : (cameras > 1 ? 1 : 0);
  if (camera >= cameras) {
    std::fprintf(stderr, "demotool render: camera %d: the scene has cameras 0 to %d\n", camera, cameras - 1);
    return 1;
  }
  GLMesh* mirror = o.mirror ? scene.FindObject(o.mirror) : nullptr;
  if (o.mirror && !mirror) {
    std::fprintf(stderr, "demotool render: no object '%s' for the mirror\n", o.mirror);
    return 1;
  }
  if (o.background) scene.PushBackground(scene.Textures().GetTexture(o.background, o.background));
  if (o.fog_end > 0) SetEveningFog(o.fog_end);
  LightDiffusely(scene);
  DressMaskedCutOuts(scene);
  scene.BuildRenderList(false);
  PoseAtFrame(scene, o.frame);
  if (camera == 0) FrameDefaultCamera(scene);
  if (scene.Lights().empty()) AddHeadlight(scene, scene.Cameras()[camera]->Position());
  scene.SetScale(kSceneScale);
  scene.SetCamera(camera);
  DrawSceneFrame(scene, mirror, [] {});
  std::printf("camera %d (%s) at frame %g: %u triangles drawn\n", camera, scene.Cameras()[camera]->Name().c_str(),
              o.frame, scene.TriangleCounter());
  if (!WriteBackBufferPng(o.out, kWindowWidth, kWindowHeight)) {
    std::fprintf(stderr, "demotool render: cannot write '%s'\n", o.out);
    return 1;
  }
  return sound ? 0 : 1;
}

// A file whose first chunk is no main chunk is not drawn at all.
bool Is3dsFile(const std::string& scene_name) {
  const std::unique_ptr<Chunk> root = Load3DS(scene_name.c_str());
  return root && root->id == CHUNK_MAIN;
}

int Run(int argc, char** argv) {
  RenderOptions options;
  if (!ParseOptions(argc, argv, &options)) return DemotoolUsage(argv[0]);
  std::string scene_name = options.scene;
  if (options.data) {
    OpenDemoData(options.data);
    uint32_t size = 0;
    if (!FindInArchives(gArchives, options.scene, &size)) scene_name.clear();
  } else {
    scene_name = RegisterSceneFolder(options.scene);
  }
  if (scene_name.empty()) {
    std::fprintf(stderr, "demotool render: cannot read '%s'\n", options.scene);
    return 1;
  }
  if (!Is3dsFile(scene_name)) {
    std::fprintf(stderr, "demotool render: '%s' is not a 3DS file: it has no main chunk\n", options.scene);
    FreeArchives(gArchives);
    return 1;
  }
  if (!OpenOffscreenWindow()) {
    std::fprintf(stderr, "demotool render: no offscreen GL window: %s\n", SDL_GetError());
    return 1;
  }
  const int status = Render(options, scene_name);
  SDL_Quit();
  FreeArchives(gArchives);
  return status;
}

const DemotoolCommand kCmd({"render",
                            "FILE.3ds OUT.png [--camera N] [--frame F] [--data demo.dat] [--background IMAGE] "
                            "[--fog END] [--mirror OBJECT]",
                            "draw one 640x480 frame of a scene through camera N (1, or 0 without file cameras) at "
                            "3DS frame F, textures from the data file or from the scene's folder; IMAGE behind it, "
                            "the show's linear fog up to END, the scene reflected in OBJECT's plane",
                            &Run});

}  // namespace
