// Key scripts: a parsed script's steps are in range, and the playback cursor gives the same
// keys as walking the steps from the first, in rising and in falling frame order.
#include <string>

#include "fuzz_file.h"
#include "app/input_script.h"

namespace {

unsigned keys_by_walking(const InputScript& script, long frame) {
    long end = 0;
    for (const ScriptStep& s : script.steps) {
        end += s.count;
        if (frame <= end) return s.keys;
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputScript script;
    std::string error;
    if (!parse_input_script(std::string(reinterpret_cast<const char*>(data), size), script, error)) {
        FUZZ_CHECK(error.rfind("line ", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(!script.cut_line || script.recorded);  // only a recording's last line is taken for cut
    long total = 0;
    for (const ScriptStep& s : script.steps) {
        FUZZ_CHECK(s.count >= 0 && s.count <= 100000000);
        FUZZ_CHECK((s.keys & ~SCRIPT_KEYS_ALL) == 0);  // only the named keys
        total += s.count;
    }
    // Frames around every step boundary, forwards and then backwards.
    long frames[64];
    int n = 0;
    long end = 0;
    for (size_t i = 0; i < script.steps.size() && n + 2 <= 60; ++i) {
        end += script.steps[i].count;
        frames[n++] = end;
        frames[n++] = end + 1;
    }
    frames[n++] = total + 5;
    for (int i = 0; i < n; ++i) FUZZ_CHECK(script.keys_at(frames[i]) == keys_by_walking(script, frames[i]));
    for (int i = n - 1; i >= 0; --i) FUZZ_CHECK(script.keys_at(frames[i]) == keys_by_walking(script, frames[i]));
    return 0;
}
