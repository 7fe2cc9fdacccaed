// Every texture of the show, added to the asset set.
#include "content/images/images.h"
#include "content/images/palette.h"

void AddTextures(AssetSet& assets) {
  AddSky(assets);
  AddNatureTextures(assets);
  AddFoliageTextures(assets);
  AddMachineTextures(assets);
}
