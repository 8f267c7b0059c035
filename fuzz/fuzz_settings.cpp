// The settings file: any text gives settings within their ranges, and what is written back
// reads again with no warning to the same settings.
#include <string>
#include <vector>

#include "fuzz_file.h"
#include "userfiles/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Settings settings;
    std::vector<std::string> warnings;
    parse_settings(std::string_view(reinterpret_cast<const char*>(data), size), settings, warnings);
    FUZZ_CHECK(settings.scale >= SCALE_MIN && settings.scale <= SCALE_MAX);
    FUZZ_CHECK(settings.music_volume >= 0 && settings.music_volume <= VOLUME_MAX);
    FUZZ_CHECK(settings.effects_volume >= 0 && settings.effects_volume <= VOLUME_MAX);
    for (const std::string& warning : warnings) FUZZ_CHECK(warning.rfind("line ", 0) == 0);
    const std::string written = format_settings(settings);
    Settings again;
    std::vector<std::string> again_warnings;
    parse_settings(written, again, again_warnings);
    FUZZ_CHECK(again_warnings.empty());
    FUZZ_CHECK(format_settings(again) == written);
    return 0;
}
