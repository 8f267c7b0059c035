// The settings file: any text gives settings within their ranges; what is written back reads
// again to the same settings, keeps the player's lines, and writes again the same.
#include <string>
#include <vector>

#include "fuzz_file.h"
#include "userfiles/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Settings settings;
    std::vector<std::string> warnings;
    const int bad_lines = parse_settings(text, settings, warnings);
    for (const SettingInfo& s : SETTING_TABLE)
        if (s.number) FUZZ_CHECK(settings.*s.number >= s.min && settings.*s.number <= s.max);
    FUZZ_CHECK(warnings.size() <= static_cast<size_t>(SETTINGS_WARNINGS_SHOWN) && warnings.size() <= static_cast<size_t>(bad_lines));
    for (const std::string& warning : warnings) FUZZ_CHECK(warning.rfind("line ", 0) == 0);
    const std::string written = format_settings(settings, text);
    Settings again;
    std::vector<std::string> again_warnings;
    // Lines the game does not know are kept, so they are bad again; nothing else is.
    FUZZ_CHECK(parse_settings(written, again, again_warnings) <= bad_lines);
    FUZZ_CHECK(format_settings(again) == format_settings(settings));
    FUZZ_CHECK(format_settings(again, written) == written);
    return 0;
}
