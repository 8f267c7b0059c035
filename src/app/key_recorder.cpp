// The recorder behind --record: one `COUNT KEYS` line for each run of equal keys.
#include "app/key_recorder.h"

#include "app/input_script.h"
#include "app/version.h"

namespace {

void write_run(KeyRecorder& r) {
    if (r.count == 0 || !r.file) return;
    const std::string line = script_line(r.count, r.keys);
    if (std::fputs(line.c_str(), r.file) < 0) r.failed = true;
    r.count = 0;
}

}  // namespace

bool open_recording(KeyRecorder& r, const std::string& path, const char* mode_name, const std::string& data_hash) {
    r = KeyRecorder{};
    r.path = path;
    r.file = std::fopen(path.c_str(), "w");
    if (!r.file) {
        std::fprintf(stderr, "quillmoor: %s: cannot write the recording\n", path.c_str());
        return false;
    }
    std::fprintf(r.file, "# Quillmoor key script, one 'COUNT KEYS' line per run of frames\n");
    std::fprintf(r.file, "# version %s\n# mode %s\n# data %s\n", game_version(), mode_name, data_hash.c_str());
    return true;
}

void record_frame(KeyRecorder& r, unsigned keys) {
    if (!r.file) return;
    if (r.count > 0 && keys != r.keys) write_run(r);
    r.keys = keys;
    ++r.count;
}

bool close_recording(KeyRecorder& r) {
    if (!r.file) return true;
    write_run(r);
    if (std::fclose(r.file) != 0) r.failed = true;
    r.file = nullptr;
    if (r.failed) std::fprintf(stderr, "quillmoor: %s: writing the recording failed\n", r.path.c_str());
    return !r.failed;
}
