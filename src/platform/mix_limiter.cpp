// The peak limiter at the end of the mix (plain arithmetic, no device).
#include "platform/mix_limiter.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr float RELEASE_SECONDS = 0.1f;
}  // namespace

Limiter make_limiter(int rate) {
    Limiter limiter;
    limiter.release = 1.0f - std::exp(-1.0f / (RELEASE_SECONDS * static_cast<float>(std::max(rate, 1))));
    return limiter;
}

void limit_frames(Limiter* limiter, float* samples, int count, int channels) {
    float gain = limiter->gain;
    for (int f = 0; f < count; ++f) {
        float* frame = samples + static_cast<long>(f) * channels;
        float peak = 0.0f;
        for (int c = 0; c < channels; ++c) peak = std::max(peak, std::fabs(frame[c]));
        const float wanted = peak > LIMITER_CEILING ? LIMITER_CEILING / peak : 1.0f;
        // Down at once (no sample may pass the ceiling), back up slowly (no pumping).
        gain = wanted < gain ? wanted : gain + (wanted - gain) * limiter->release;
        for (int c = 0; c < channels; ++c) frame[c] = std::clamp(frame[c] * gain, -LIMITER_CEILING, LIMITER_CEILING);
    }
    limiter->gain = gain;
}

}  // namespace platform
