// The contract of every part of the show.
#pragma once

class Effect {
 public:
  virtual ~Effect() = default;
  // Loads every asset of the part; true on success.
  virtual bool Load() { return true; }
  // Called before every frame; does the part's one-time set-up the first time.
  virtual void Begin() {}
  // Draws the part once where nothing shows, so that the driver has prepared
  // its drawing before the first frame. Leaves no trace: nothing moves, no
  // random number is drawn, and every later frame is as it would be without.
  virtual void WarmUp() {}
  // Clears the begun state so that the next Begin repeats the set-up.
  virtual void End() {}
  // Draws and presents one frame at t seconds since the part began;
  // false means the effect is over.
  virtual bool Frame(float t) {
    (void)t;
    return true;
  }
};
