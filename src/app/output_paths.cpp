// Checking the runners' output paths before anything is opened or run.
#include "app/output_paths.h"

#include <sys/stat.h>

namespace {

// What makes `path` unfit for output, or nullptr. A pipe nobody reads blocks the open for
// good, and a socket or folder cannot be written; a link is judged by what it points to.
const char* unfit_output(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return nullptr;  // made when written
    if (S_ISFIFO(st.st_mode)) return "is a pipe, not a file";
    if (S_ISSOCK(st.st_mode)) return "is a socket, not a file";
    if (S_ISDIR(st.st_mode)) return "is a directory, not a file";
    return nullptr;
}

}  // namespace

std::string output_path_fault(const Options& options) {
    const struct {
        const char* option;
        const std::string& path;
    } named[] = {{"--state", options.state_path}, {"--hashes", options.hashes_path}, {"--record", options.record_path}};
    for (const auto& n : named)
        if (const char* why = unfit_output(n.path)) return std::string(n.option) + " " + n.path + ": " + why;
    for (const FrameShot& shot : options.shots)
        if (const char* why = unfit_output(shot.path)) return "--shot " + std::to_string(shot.frame) + ":" + shot.path + ": " + why;
    return {};
}
