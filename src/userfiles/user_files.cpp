// The player's folders and atomic file writes.
#include "userfiles/user_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// An XDG variable is used only when it holds an absolute path, as the rules for it say.
std::string xdg_home(const char* variable, const char* fallback_under_home) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    if (!home || !*home) return {};
    return std::string(home) + "/" + fallback_under_home;
}

}  // namespace

UserPaths user_paths(const std::string& profile_dir) {
    UserPaths p;
    std::string config = profile_dir, data = profile_dir;
    if (profile_dir.empty()) {
        config = xdg_home("XDG_CONFIG_HOME", ".config");
        data = xdg_home("XDG_DATA_HOME", ".local/share");
        if (!config.empty()) config += "/quillmoor";
        if (!data.empty()) data += "/quillmoor";
    }
    if (!config.empty()) p.settings_file = config + "/settings.ini";
    if (!data.empty()) {
        p.save_file = data + "/progress.ini";
        p.screenshot_dir = data + "/screenshots";
    }
    return p;
}

bool write_file_atomically(const std::string& path, std::string_view text, std::string& error) {
    std::error_code ec;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    if (ec) return error = "cannot make the folder: " + ec.message(), false;
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return error = std::strerror(errno), false;
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = std::strerror(errno);
            ::close(fd);
            ::unlink(temporary.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    // The data must be on disk before the rename makes it the file.
    const bool synced = ::fsync(fd) == 0;
    const int sync_errno = errno;
    if (::close(fd) != 0 || !synced) {
        error = std::strerror(synced ? errno : sync_errno);
        ::unlink(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

FileRead read_user_file(const std::string& path, DataKind kind, std::string& text, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return FileRead::Missing;
    std::vector<uint8_t> bytes;
    if (!read_data_file(path.c_str(), kind, &bytes, &error)) return FileRead::Failed;
    text.assign(bytes.begin(), bytes.end());
    return FileRead::Read;
}
