// The program's entry: options, the data folder, then the game in a window or headless.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "shell/data_dir.h"
#include "shell/options.h"
#include "shell/runner.h"

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
    const std::string dir = find_data_dir(options.data_dir, argv[0]);
    if (dir.empty()) {
        std::fprintf(stderr, "quillmoor: data folder %s not found; build the game first or pass --data DIR\n",
                     options.data_dir.empty() ? "(beside the program or installed)" : options.data_dir.c_str());
        return 1;
    }
    // Every data file is opened by its plain name, from inside the data folder. Paths the
    // player gave for the runner's own files are made absolute first.
    std::error_code ec;
    auto absolute = [&](std::string& path) {
        if (!path.empty()) path = std::filesystem::absolute(path, ec).string();
    };
    absolute(options.input_path);
    absolute(options.state_path);
    for (FrameShot& shot : options.shots) absolute(shot.path);
    std::filesystem::current_path(dir, ec);
    if (ec) {
        std::fprintf(stderr, "quillmoor: %s: cannot enter the data folder: %s\n", dir.c_str(), ec.message().c_str());
        return 1;
    }
    return options.headless ? run_headless(options) : run_game(options);
}
