// Music through SDL_mixer: the five operations, their message boxes and the sound flag.
#include "runtime/music.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "runtime/fatal.h"
#include "runtime/mp3_frames.h"

namespace {

bool gSound = true;
bool gInitialised = false;
Mix_Music* gStream = nullptr;
MusicError gError = kMusicOk;

// Shows "%s\n(error code: %d)" with the current error code; the show goes on.
void MusicMessage(const char* message) {
  char text[300];
  std::snprintf(text, sizeof text, "%s\n(error code: %d)", message, static_cast<int>(gError));
  ShowMessageBox("Error", text);
}

bool Readable(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// The mixer opens any file with an MP3 name and then plays silence: the
// frames are checked first.
bool HoldsWholeMp3(const char* path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return IsWholeMp3Stream(bytes.data(), bytes.size());
}

}  // namespace

void SetSoundEnabled(bool on) { gSound = on; }
bool SoundEnabled() { return gSound; }
MusicError MusicErrorCode() { return gError; }

bool MusicInit(int rate) {
  if (!gSound) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0 || Mix_OpenAudio(rate, MIX_DEFAULT_FORMAT, 2, 4096) < 0) {
    gError = kMusicNoDevice;
    MusicMessage("Can't initialize digital sound system");
    return false;
  }
  gInitialised = true;
  gError = kMusicOk;
  return true;
}

bool MusicLoad(const char* path) {
  if (!gSound) return true;
  if (gStream) {
    Mix_FreeMusic(gStream);
    gStream = nullptr;
  }
  if (!gInitialised) {
    gError = kMusicNotInitialised;
  } else if (!Readable(path)) {
    gError = kMusicFileOpen;
  } else if (!HoldsWholeMp3(path)) {
    gError = kMusicFormat;
  } else {
    gStream = Mix_LoadMUS(path);
    gError = gStream ? kMusicOk : kMusicFormat;
  }
  if (!gStream) {
    MusicMessage("Unable to load demo.mp3");
    return false;
  }
  return true;
}

bool MusicPlay(double position) {
  if (!gSound) return true;
  if (!gStream)
    gError = gInitialised ? kMusicNoStream : kMusicNotInitialised;
  else if (Mix_FadeInMusicPos(gStream, 0, 0, position) < 0)  // Mix_PlayMusic with a start position
    gError = kMusicStart;
  else
    return true;
  MusicMessage("Error while starting to play music!");
  return false;
}

bool MusicStop() {
  if (!gSound) return true;
  if (gInitialised) Mix_HaltMusic();
  return true;
}

bool MusicFree() {
  if (!gSound) return true;
  if (gStream) {
    Mix_FreeMusic(gStream);
    gStream = nullptr;
  }
  if (gInitialised) {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    gInitialised = false;
  }
  return true;
}
