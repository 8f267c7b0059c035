// MIDI files: any bytes give an answer, the same answer twice, with a reason when refused; the
// programs noted on the way change nothing of the answer.
#include <cstring>

#include "audio/midi_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint32_t first = 0, second = 0;
    const char* fault = nullptr;
    const bool ok = midi_duration_ms(data, size, &first, &fault);
    FUZZ_CHECK(ok || (fault && *fault));
    platform::TrackPrograms programs, again;
    FUZZ_CHECK(midi_duration_ms(data, size, &second, &fault, &programs) == ok);
    FUZZ_CHECK(!ok || first == second);
    midi_duration_ms(data, size, &second, &fault, &again);
    FUZZ_CHECK(std::memcmp(programs.programs, again.programs, sizeof programs.programs) == 0 &&
               programs.opaque == again.opaque);
    return 0;
}
