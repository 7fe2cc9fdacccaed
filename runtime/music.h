// Music playback: one MP3 stream, played once.
#pragma once

// The sound flag: on at start, off with -nosound. While it is off every
// music operation does nothing and succeeds. Only main writes it, before
// the music is initialised.
void SetSoundEnabled(bool on);
bool SoundEnabled();

// The operations below share one device, one stream and the last error, as
// the mixer has one device per process: main initialises, loads, stops and
// frees; the show's stage plays.

// Error codes shown with the music messages.
enum MusicError {
  kMusicOk = 0,
  kMusicNoDevice = 1,     // the audio device could not be opened
  kMusicNotInitialised = 2,
  kMusicFileOpen = 3,     // the file is missing or cannot be read
  kMusicFormat = 4,       // the file is not a playable stream
  kMusicNoStream = 5,     // play without a loaded stream
  kMusicStart = 6,        // the stream would not start
};
MusicError MusicErrorCode();

// Opens the audio device at the mixing rate. On failure shows
// "Can't initialize digital sound system" and returns false; the show runs on.
bool MusicInit(int rate);
// Opens the stream at `path`, freeing any earlier one. On failure shows
// "Unable to load demo.mp3": a missing file, or one that is empty, cut short
// or not MP3 frames (kMusicFormat); the show then runs silent.
bool MusicLoad(const char* path);
// Starts the stream `position` seconds into the track. On failure shows
// "Error while starting to play music!".
bool MusicPlay(double position = 0.0);
bool MusicStop();
// Frees the stream and closes the device.
bool MusicFree();
