// Recording the show to a video file: every presented frame goes to an ffmpeg
// process as a raw picture, encoded as H.264 yuv420p; at the end a second
// ffmpeg run adds the music from the frame where the show started it.
#pragma once

#include <string>

#include "runtime/child_process.h"
#include "runtime/present.h"
#include "runtime/show.h"

class VideoCapture : public FrameObserver {
 public:
  // Records what `show` presents, `fps` frames a second of video, into
  // `file` (its container chosen by ffmpeg from the name), with the music
  // from `music` ("" for none, or a file that is missing: a message says so).
  // With `skip_loading` the video begins with the show's first frame after
  // loading. The video has `picture`'s frame size.
  VideoCapture(const DemoPart1& show, std::string file, std::string music, int fps, bool skip_loading = false,
               const PictureArea& picture = PictureArea());
  ~VideoCapture() override;
  VideoCapture(const VideoCapture&) = delete;
  VideoCapture& operator=(const VideoCapture&) = delete;

  // Starts the encoder and installs itself as the frame observer. A missing
  // ffmpeg, a failed start or a failed write later ends the process with
  // status 1 after a message; so does any other exit before Finish, and
  // then no file is left under the video's name.
  void Start();
  // Sends the frame to the encoder and updates the progress line on
  // standard error.
  void FrameDrawn() override;
  // Ends the encoding, adds the music and only then puts the video under its
  // name; prints the final line. Ends the process like Start on failure.
  void Finish();

 private:
  // Stops the encoder and removes what it wrote.
  void Discard();
  // Discards the capture that Start began and Finish has not ended: the one
  // the process keeps for its exit handler, as an exit from anywhere can
  // reach no other object.
  static void DiscardUnfinished();
  [[noreturn]] void Fail(const std::string& reason);
  void ShowProgress(bool done);
  bool AddMusic(const std::string& video, const std::string& out);

  const DemoPart1& show_;
  const std::string file_;
  std::string music_;  // "" when recording without music
  const int fps_;
  const bool skip_loading_;
  const PictureArea picture_;
  std::string partial_video_, partial_;  // the encoder's output; the output with music
  ChildProcess encoder_;
  long long frames_ = 0;
  long long music_frame_ = -1;  // the first frame of the show, after loading
  double started_ = 0.0, last_progress_ = 0.0;
};
