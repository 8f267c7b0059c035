// The recorder behind --record: one `COUNT KEYS` line for each run of equal keys.
#include "app/key_recorder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/input_script.h"
#include "app/version.h"
#include "userfiles/settings.h"

namespace {

// Writes all of `text` at `offset` (or at the end, for a file that cannot seek).
bool write_at(const KeyRecorder& r, const std::string& text, off_t offset) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = r.seekable ? ::pwrite(r.fd, text.data() + done, text.size() - done, offset + static_cast<off_t>(done))
                                     : ::write(r.fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes the line of the run being counted where it goes. A finished run moves the place on;
// a run still held is written again over its own line later, which is never shorter.
void write_run(KeyRecorder& r, bool finished) {
    if (r.count == 0 || r.fd < 0) return;
    const std::string line = script_line(r.count, r.keys);
    if (!write_at(r, line, r.line_start)) r.failed = true;
    if (finished) {
        r.line_start += static_cast<off_t>(line.size());
        r.count = 0;
    }
}

}  // namespace

bool open_recording(KeyRecorder& r, const std::string& path, const char* mode_name, const std::string& data_hash,
                    const Settings& settings) {
    r = KeyRecorder{};
    r.path = path;
    r.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (r.fd < 0) {
        std::fprintf(stderr, "quillmoor: %s: cannot write the recording\n", path.c_str());
        return false;
    }
    struct stat st {};
    r.seekable = ::fstat(r.fd, &st) == 0 && S_ISREG(st.st_mode);
    std::string header = std::string(RECORDING_FIRST_LINE) + "\n# version " + game_version() + "\n# mode " + mode_name +
                         "\n# data " + data_hash + "\n";
    // The assists change how a run plays out, so a replay must apply them too.
    for (const SettingInfo& s : SETTING_TABLE)
        if (s.assist) header.append("# ").append(s.name).append(" ").append(setting_value_text(s, settings, 0)).push_back('\n');
    if (!write_at(r, header, 0)) r.failed = true;
    r.line_start = static_cast<off_t>(header.size());
    return true;
}

void record_frame(KeyRecorder& r, unsigned keys) {
    if (r.fd < 0) return;
    if (r.count > 0 && keys != r.keys) write_run(r, true);
    r.keys = keys;
    ++r.count;
    if (r.seekable && r.count % RECORDING_FLUSH_FRAMES == 0) write_run(r, false);
}

bool close_recording(KeyRecorder& r) {
    if (r.fd < 0) return true;
    write_run(r, true);
    if (::close(r.fd) != 0) r.failed = true;
    r.fd = -1;
    if (r.failed) std::fprintf(stderr, "quillmoor: %s: writing the recording failed\n", r.path.c_str());
    return !r.failed;
}
