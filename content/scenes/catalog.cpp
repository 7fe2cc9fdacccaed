// Every scene of the show, written as a 3DS file into the asset set.
#include "content/scenes/scene_kit.h"
#include "content/scenes/scenes.h"
#include "tools/content/write_3ds.h"

void AddScenes(AssetSet& assets) {
  assets.Add("natu11.3ds", Write3ds(OneTexturePerMesh(Natu11())));
  assets.Add("natu22.3ds", Write3ds(OneTexturePerMesh(Natu22())));
  assets.Add("natu33.3ds", Write3ds(OneTexturePerMesh(Natu33())));
  assets.Add("kurppa.3ds", Write3ds(OneTexturePerMesh(Kurppa())));
  assets.Add("techno11.3ds", Write3ds(OneTexturePerMesh(Techno11())));
  assets.Add("techno22.3ds", Write3ds(OneTexturePerMesh(Techno22())));
  assets.Add("techno33.3ds", Write3ds(OneTexturePerMesh(Techno33())));
}
