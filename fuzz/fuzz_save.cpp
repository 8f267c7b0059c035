// The saved-progress file: any text is either refused with a reason or gives a level, lives
// and bow within range, which write back and read again unchanged.
#include <string>

#include "fuzz_file.h"
#include "userfiles/save_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SaveGame save;
    std::string error;
    if (!parse_save(std::string_view(reinterpret_cast<const char*>(data), size), save, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(save.level >= 1 && save.level <= 3);
    FUZZ_CHECK(save.lives >= 1);
    const std::string written = format_save(save);
    SaveGame again;
    FUZZ_CHECK(parse_save(written, again, error));
    FUZZ_CHECK(again.level == save.level && again.lives == save.lives && again.has_bow == save.has_bow);
    return 0;
}
