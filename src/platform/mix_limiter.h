// The last stage of the mix: a peak limiter that keeps the summed music and effects under full scale.
#pragma once

namespace platform {

// Loudest sample value the limiter lets through, as a fraction of full scale (about -1 dB).
constexpr float LIMITER_CEILING = 0.89f;

struct Limiter {
    float gain = 1.0f;  // applied to the current sample frame; below 1 while loud sounds pile up
    float release = 0.0f;  // fraction of the way back to full gain taken per sample frame
};

// A limiter for `rate` sample frames per second that recovers from a peak in about 0.1 s.
Limiter make_limiter(int rate);

// Scales `count` interleaved frames of `channels` samples (full scale is 1.0) in place. A frame
// whose peak would pass the ceiling takes at once the gain that brings it to the ceiling; the gain
// then eases back toward 1, so a pile-up of loud sounds dips smoothly and nothing clips.
void limit_frames(Limiter* limiter, float* samples, int count, int channels);

}  // namespace platform
