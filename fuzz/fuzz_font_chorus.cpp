// SoundFont preset tables: any bytes give an answer, the same answer twice, with a reason when
// refused, and a refused font leaves the chorus running for every track.
#include <cstring>

#include "fuzz_file.h"
#include "platform/font_chorus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::FontChorus first, second;
    const char* fault = nullptr;
    const bool ok = platform::read_font_chorus(data, size, &first, &fault);
    FUZZ_CHECK(ok ? first.read : (fault && *fault && !first.read));
    FUZZ_CHECK(platform::read_font_chorus(data, size, &second, &fault) == ok);
    FUZZ_CHECK(first.read == second.read && std::memcmp(first.present, second.present, sizeof first.present) == 0 &&
               std::memcmp(first.sends, second.sends, sizeof first.sends) == 0);
    FUZZ_CHECK(!ok || platform::track_sends_chorus(first, platform::TrackPrograms{}) == false);
    return 0;
}
