#include "content/scenes/scene_kit.h"
#include "content/scenes/scenes.h"
#include "tools/content/write_3ds.h"

void AddScenes(AssetSet& assets) {
  assets.Add("natu11.3ds", Write3ds(Natu11()));
  assets.Add("natu22.3ds", Write3ds(Natu22()));
  assets.Add("natu33.3ds", Write3ds(Natu33()));
  assets.Add("kurppa.3ds", Write3ds(Kurppa()));
  assets.Add("techno11.3ds", Write3ds(Techno11()));
  assets.Add("techno22.3ds", Write3ds(Techno22()));
  assets.Add("techno33.3ds", Write3ds(Techno33()));
}
