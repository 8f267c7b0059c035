// Data folder lookup.
#include "shell/data_dir.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string find_data_dir(const std::string& requested, const char* argv0) {
    std::error_code ec;
    if (!requested.empty()) return fs::is_directory(requested, ec) ? requested : std::string();
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec && argv0) exe = fs::absolute(argv0, ec);
    const fs::path candidates[] = {exe.parent_path() / "data", QUILLMOOR_BUILD_DATA_DIR, QUILLMOOR_INSTALL_DATA_DIR};
    for (const fs::path& dir : candidates)
        if (!dir.empty() && fs::is_directory(dir, ec)) return dir.string();
    return {};
}
