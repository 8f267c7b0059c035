// The settings the README and the manual page list are those of the setting table, with the
// same values and defaults.
#include <gtest/gtest.h>

#include <cctype>

#include "test_files.h"
#include "userfiles/settings.h"

namespace {

struct DocRow {
    std::string name, values, defaults, about;
};

// Each row of the table as the documents word it; `quote` marks names and words (`x` in Markdown).
std::vector<DocRow> documented_rows(const std::string& quote) {
    const Settings defaults;
    std::vector<DocRow> rows;
    for (const SettingInfo& s : SETTING_TABLE) {
        DocRow row{s.name, "", "", s.about};
        const auto word = [&](const std::string& w) { return quote + w + quote; };
        switch (s.shape) {
            case SETTING_CHOICE: row.values = word(s.words[0]) + " or " + word(s.words[1]); break;
            case SETTING_WORD:
                for (int i = s.min; i <= s.max; ++i) row.values += (i == s.min ? "" : i == s.max ? " or " : ", ") + word(s.words[i]);
                break;
            case SETTING_NUMBER: row.values = std::to_string(s.min) + " to " + std::to_string(s.max); break;
            case SETTING_KEY: row.values = "a key name or " + word("none"); break;
            case SETTING_BUTTON: row.values = "a button name or " + word("none"); break;
        }
        if (s.shape == SETTING_KEY || s.shape == SETTING_BUTTON) {
            row.name += "ACTION";
            row.about += ":";
            for (int a = 0; a < platform::ACTION_COUNT; ++a) {
                row.defaults += (a ? ", " : "") + word(setting_value_text(s, defaults, a));
                row.about += (a ? ", " : " ") + word(platform::action_file_name(a));
            }
        } else {
            row.defaults = s.shape == SETTING_NUMBER ? setting_value_text(s, defaults, 0) : word(setting_value_text(s, defaults, 0));
        }
        rows.push_back(row);
    }
    return rows;
}

// The lines of `text` from the first that starts with `first` up to the line before `end`.
std::string lines_from(const std::string& text, const std::string& first, const std::string& end) {
    const size_t from = text.find("\n" + first);
    if (from == std::string::npos) return "";
    const size_t to = text.find("\n" + end, from + 1);
    return text.substr(from + 1, to == std::string::npos ? std::string::npos : to - from);
}

}  // namespace

TEST(SettingsDocs, TheReadmeAndTheManualPageListTheTable) {
    std::string markdown = "| Setting | Values | Default | What it sets |\n|---|---|---|---|\n";
    for (const DocRow& r : documented_rows("`"))
        markdown += "| `" + r.name + "` | " + r.values + " | " + r.defaults + " | " + r.about + " |\n";
    const std::string readme = read_text(QUILLMOOR_SOURCE_DIR "/README.md");
    EXPECT_EQ(lines_from(readme, "| Setting |", "\n"), markdown);

    std::string man;
    for (DocRow& r : documented_rows("")) {
        r.about[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(r.about[0])));
        man += ".TP\n.B " + r.name + "\n" + r.values + "; default " + r.defaults + ".\n" + r.about + ".\n";
    }
    const std::string page = read_text(QUILLMOOR_SOURCE_DIR "/dist/quillmoor.6.in");
    EXPECT_EQ(lines_from(lines_from(page, ".SH SETTINGS", ".SH"), ".TP", ".SH"), man);
}
