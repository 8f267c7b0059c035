// The program's entry: options, the data folder, then the game in a window or headless.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/platform.h"
#include "app/data_dir.h"
#include "app/data_files.h"
#include "app/options.h"
#include "app/output_paths.h"
#include "app/runner.h"
#include "app/version.h"

namespace {

// One line on stderr; a player who started the game from a menu sees it in a message box too.
int refuse_start(const Options& options, const std::string& message) {
    std::fprintf(stderr, "quillmoor: %s\n", message.c_str());
    if (!options.headless && !isatty(STDERR_FILENO) && !isatty(STDIN_FILENO)) platform::show_error_box(message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!parse_options(argc, argv, options, error)) {
        std::fprintf(stderr, "quillmoor: %s\n\n%s", error.c_str(), usage_text());
        return 2;
    }
    if (options.help) {
        std::fputs(usage_text(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("quillmoor %s\n", game_version());
        return 0;
    }
    // An output that is a pipe or a folder would block or fail only after the whole run.
    if (const std::string fault = output_path_fault(options); !fault.empty()) {
        std::fprintf(stderr, "quillmoor: %s\n", fault.c_str());
        return 2;
    }
    const std::string dir = find_data_dir(options.data_dir, argv[0]);
    std::error_code ec;
    if (dir.empty())
        return refuse_start(options, "no data folder found (beside the program, or installed); reinstall the game or pass --data DIR");
    if (!std::filesystem::is_directory(dir, ec)) return refuse_start(options, "data folder " + dir + " not found");
    const std::string missing = first_missing_data_file(dir);
    if (!missing.empty())
        return refuse_start(options, "data folder " + dir + " is incomplete: " + missing + " is missing; reinstall the game");
    // Every data file is opened by its plain name, from inside the data folder. Paths the
    // player gave for the runner's own files are made absolute first.
    auto absolute = [&](std::string& path) {
        if (!path.empty()) path = std::filesystem::absolute(path, ec).string();
    };
    absolute(options.input_path);
    absolute(options.state_path);
    absolute(options.hashes_path);
    absolute(options.record_path);
    absolute(options.profile_dir);
    for (FrameShot& shot : options.shots) absolute(shot.path);
    std::filesystem::current_path(dir, ec);
    if (ec) return refuse_start(options, dir + ": cannot enter the data folder: " + ec.message());
    return options.headless ? run_headless(options) : run_game(options);
}
