// Data folder lookup.
#include "app/data_dir.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool same_folder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

std::string find_data_dir(const std::string& requested, const char* argv0) {
    std::error_code ec;
    if (!requested.empty()) return requested;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec && argv0) exe = fs::absolute(argv0, ec);
    const fs::path exe_dir = exe.parent_path();
    // A copy of the program elsewhere must never read a build folder that happens to exist.
    if (same_folder(exe_dir, QUILLMOOR_BUILD_DIR) && fs::is_directory(QUILLMOOR_BUILD_DATA_DIR, ec))
        return QUILLMOOR_BUILD_DATA_DIR;
    // The install's own layout, relative to the program: ../share/quillmoor, or
    // ../share/games/quillmoor for a program in games/.
    const fs::path beside = exe_dir / QUILLMOOR_DATA_FROM_PROGRAM;
    if (!exe_dir.empty() && fs::is_directory(beside, ec)) return beside.lexically_normal().string();
    if (fs::is_directory(QUILLMOOR_INSTALL_DATA_DIR, ec)) return QUILLMOOR_INSTALL_DATA_DIR;
    return {};
}
