#include "runtime/extensions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> gAsked;

// Hands out a distinct fake address per name; lacks "glLockArraysEXT".
void* FakeLoader(const char* name) {
  gAsked.push_back(name);
  if (std::string(name) == "glLockArraysEXT") return nullptr;
  return reinterpret_cast<void*>(0x1000 + gAsked.size());
}

bool Load(const char* extensions, GLExtensions* table) {
  gAsked.clear();
  testing::internal::CaptureStdout();
  const bool ok = LoadExtensions(extensions, FakeLoader, table);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), ok ? "" : "** Environment combining not supported!\n");
  return ok;
}

TEST(Extensions, BothExtensionsFetchTheTableInOrder) {
  GLExtensions t;
  ASSERT_TRUE(Load("GL_EXT_texture_env_combine GL_ARB_multitexture", &t));
  EXPECT_EQ(gAsked, (std::vector<std::string>{
                        "glBlendColorEXT", "glBlendEquation", "glMultiTexCoord1fARB", "glMultiTexCoord2fARB",
                        "glMultiTexCoord3fARB", "glMultiTexCoord4fARB", "glActiveTextureARB",
                        "glClientActiveTextureARB", "glLockArraysEXT", "glUnlockArraysEXT", "wglAllocateMemoryNV"}));
  EXPECT_EQ(reinterpret_cast<void*>(t.glBlendColorEXT), reinterpret_cast<void*>(0x1001));
  EXPECT_EQ(reinterpret_cast<void*>(t.glActiveTextureARB), reinterpret_cast<void*>(0x1007));
  EXPECT_EQ(t.glLockArraysEXT, nullptr) << "an entry point the driver lacks stays null";
  EXPECT_NE(t.wglAllocateMemoryNV, nullptr);
  GLExtensions substrings;
  EXPECT_TRUE(Load("GL_ARB_multitexture_extra GL_EXT_texture_env_combine_more", &substrings));
  EXPECT_NE(substrings.glMultiTexCoord2fARB, nullptr);
}

TEST(Extensions, MissingCombineLeavesEveryEntryPointNull) {
  GLExtensions t;
  t.glActiveTextureARB = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(0x1);
  EXPECT_FALSE(Load("GL_ARB_multitexture GL_EXT_blend_color", &t));
  EXPECT_TRUE(gAsked.empty());
  EXPECT_EQ(t.glActiveTextureARB, nullptr);
  EXPECT_EQ(t.glBlendColorEXT, nullptr);
  for (const char* list : {"GL_EXT_texture_env_combine", "", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(Load(list, &t));
}

}  // namespace
