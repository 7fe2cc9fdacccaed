// The sky on the nature parts' water and the evening sun.
#include "parts/evening_water.h"

#include "parts/scene_dressing.h"

MultiTexture* SkyOnWater(Scene& scene) {
  const TextureRef& sky = *scene.Textures().GetTexture("skywater", "skywater.jpg");
  // Grazing reflections sphere-map to the rim of the picture: clamped, they
  // never wrap over to its other side.
  glBindTexture(GL_TEXTURE_2D, sky.id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  // Near the horizon neighbouring pixels map far apart on the rim: unfiltered
  // by the smaller levels, the sun's path glitters there instead of fading
  // into their average.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  auto* water = new MultiTexture();
  water->SetTexture0(int32_t(sky.id));
  water->SetMode0(GL_REPLACE);  // the sky's own colours, whatever the light
  water->SetGenerate0(true);
  water->SetGenerationMode0(GL_SPHERE_MAP);
  water->SetTexture1(-1);
  water->SetMode1(GL_MODULATE);
  water->SetGenerate1(false);
  return water;
}

void DressEveningWater(Scene& scene, const char* water) {
  TextureRef* sky = SkyTexture(scene);
  scene.PushBackground(sky);
  if (GLMesh* surface = scene.FindObject(water))
    surface->AddAttribute(SkyOnWater(scene));
  if (auto* sun = dynamic_cast<Light*>(scene.FindObject("Omni"))) LightDiffusely(*sun);
}
