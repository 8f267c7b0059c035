// The command line: words split at NUL bytes; accepted options are within their ranges and
// every refusal says why.
#include <string>
#include <vector>

#include "fuzz_file.h"
#include "app/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"quillmoor"};
    std::string word;
    for (size_t i = 0; i < size && words.size() < 64; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    words.push_back(word);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    Options o;
    std::string error;
    if (!parse_options(static_cast<int>(words.size()), argv.data(), o, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(o.scale >= 1 && o.scale <= 8);
    FUZZ_CHECK(o.frames >= 0 && o.frames <= 100000000);
    // --help and --version print and exit, so they need no frame count.
    FUZZ_CHECK(!o.headless || o.frames_given || o.help || o.version);
    FUZZ_CHECK(!(o.classic && o.enhanced));
    for (const FrameShot& shot : o.shots) FUZZ_CHECK(shot.frame >= 1 && !shot.path.empty());
    return 0;
}
