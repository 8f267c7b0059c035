// The player's folders and atomic file writes.
#include "userfiles/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// An XDG variable or HOME is used only when it holds an absolute path, as the rules for XDG
// say: a relative one would name a folder inside the data folder, the game's working directory.
std::string xdg_home(const char* variable, const char* fallback_under_home) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') return {};
    return std::string(home) + "/" + fallback_under_home;
}

// A new temporary file beside `path`, made exclusively under a name no other writer holds:
// two games on one profile never write into each other's file, and a link planted under any
// name is refused rather than followed. -1 with errno set on failure.
int create_temporary(const std::string& path, std::string& temporary) {
    temporary = path + ".tmp-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    // mkostemp makes the file 0600; the player's files are made as any other file of theirs,
    // 0644 less the umask, but always readable and writable by the player: a umask that takes
    // those away (the browser's file system reports 0777) would leave a file the game cannot
    // read back. (No other thread makes files while the umask is read.)
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, (0644 & ~mask) | 0600);
    return fd;
}

bool write_all(int fd, std::string_view text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
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
    std::string temporary;
    const int fd = create_temporary(path, temporary);
    if (fd < 0) return error = std::strerror(errno), false;
    // The data must be on disk before the rename makes it the file.
    bool ok = write_all(fd, text) && ::fsync(fd) == 0;
    int fault = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        fault = errno;
    }
    // The rename replaces whatever `path` is, a link included, and never writes through it.
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        fault = errno;
    }
    if (ok) return true;
    ::unlink(temporary.c_str());
    error = std::strerror(fault);
    return false;
}

FileRead read_user_file(const std::string& path, DataKind kind, std::string& text, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return FileRead::Missing;
    std::vector<uint8_t> bytes;
    if (!read_data_file(path.c_str(), kind, &bytes, &error)) return FileRead::Failed;
    text.assign(bytes.begin(), bytes.end());
    return FileRead::Read;
}
