// Reading, applying and writing the player's settings and saved progress.
#include "userfiles/profile.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "platform/audio.h"
#include "platform/platform.h"
#include "base/play_mode.h"

Profile profile;

namespace {

// The command line wins for this run. Headless runs play classic unless told otherwise,
// whatever the file says, so every key script keeps its meaning.
void override_from_command_line(const ProfileRequest& request, Settings& s) {
    if (request.windowed) s.fullscreen = false;
    if (request.scale_given) s.scale = request.scale;
    if (request.play_mode_given) s.enhanced = request.play_mode == PlayMode::Enhanced;
}

void apply_play_mode(const Settings& s) { play_mode = s.enhanced ? PlayMode::Enhanced : PlayMode::Classic; }

// A damaged or refused file is set aside as NAME.bad, so the next write cannot overwrite what
// the player wrote; one line says so and what the game does instead.
void set_aside(const std::string& path, const std::string& fault, const char* instead) {
    const std::string bad = path + ".bad";
    const bool kept = std::rename(path.c_str(), bad.c_str()) == 0;
    std::fprintf(stderr, "quillmoor: %s: %s; %s%s\n", path.c_str(), fault.c_str(), instead,
                 kept ? (" (the file is kept as " + bad + ")").c_str() : "");
}

void read_save() {
    std::string text, error;
    const FileRead read = read_user_file(profile.paths.save_file, DataKind::Progress, text, error);
    if (read == FileRead::Missing) return;
    if (read == FileRead::Read && parse_save(text, profile.save, error)) {
        profile.has_save = true;
        return;
    }
    set_aside(profile.paths.save_file, error, "starting without saved progress");
}

void read_settings() {
    const std::string& path = profile.paths.settings_file;
    std::string error;
    if (read_user_file(path, DataKind::Settings, profile.settings_text, error) == FileRead::Failed)
        return set_aside(path, error, "using the default settings");
    std::vector<std::string> warnings;
    const int bad_lines = parse_settings(profile.settings_text, profile.file_settings, warnings);
    for (const std::string& w : warnings) std::fprintf(stderr, "quillmoor: %s: %s\n", path.c_str(), w.c_str());
    if (bad_lines > SETTINGS_WARNINGS_SHOWN)
        std::fprintf(stderr, "quillmoor: %s: %d more bad line%s ignored\n", path.c_str(), bad_lines - SETTINGS_WARNINGS_SHOWN,
                     bad_lines - SETTINGS_WARNINGS_SHOWN == 1 ? "" : "s");
}

// What a settings file's text says, with the keys it does not name on this keyboard's layout
// (known once the platform runs). Bad lines are skipped without a word: start-up told them.
Settings settings_from_text(const std::string& text) {
    Settings from_file;
    from_file.bindings = platform::layout_default_bindings();
    std::vector<std::string> ignored;
    parse_settings(text, from_file, ignored);
    return from_file;
}

// Another game on this profile may have written settings.ini since this one read it: what
// it wrote is taken in, so that only what changes here goes over it and neither game undoes
// the other's changes. A file that is gone or cannot be read leaves what this game holds.
void take_in_settings_written_since() {
    std::string text, error;
    if (read_user_file(profile.paths.settings_file, DataKind::Settings, text, error) != FileRead::Read ||
        text == profile.settings_text)
        return;
    profile.file_settings = settings_from_text(text);
    profile.settings_text = std::move(text);
}

}  // namespace

void open_profile(const ProfileRequest& request) {
    profile = Profile{};
    profile.active = !request.headless || !request.profile_dir.empty() || request.in_memory;
    if (profile.active && !request.in_memory) {
        profile.paths = user_paths(request.profile_dir);
        if (!profile.paths.settings_file.empty()) read_settings();
        if (!profile.paths.save_file.empty()) read_save();
    }
    profile.settings = profile.file_settings;
    override_from_command_line(request, profile.settings);
}

void apply_profile_settings() {
    // A replayed recording's assists are among the settings even without a profile.
    assists = assists_of(profile.settings);
    if (!profile.active) return;
    apply_play_mode(profile.settings);
    // Keys the file does not name follow this keyboard's layout, which is known only now.
    const Settings from_file = settings_from_text(profile.settings_text);
    profile.file_settings.bindings = from_file.bindings;
    profile.settings.bindings = from_file.bindings;
    platform::set_bindings(profile.settings.bindings);
    platform::audio_set_volumes(profile.settings.music_volume, profile.settings.effects_volume);
    platform::set_screenshot_folder(profile.paths.screenshot_dir);
}

void change_settings(const Settings& changed) {
    if (profile.active && !profile.paths.settings_file.empty()) take_in_settings_written_since();
    copy_changed_settings(profile.settings, changed, profile.file_settings);
    profile.settings = changed;
    platform::set_bindings(changed.bindings);
    platform::audio_set_volumes(changed.music_volume, changed.effects_volume);
    platform::set_fullscreen(changed.fullscreen);
    platform::set_window_scale(changed.scale);
    apply_play_mode(changed);
    assists = assists_of(changed);
    if (!profile.active || profile.paths.settings_file.empty()) return;
    // The player's own lines in the file live on in the new one.
    std::string text = format_settings(profile.file_settings, profile.settings_text), error;
    if (!write_file_atomically(profile.paths.settings_file, text, error)) {
        std::fprintf(stderr, "quillmoor: %s: cannot write the settings: %s\n", profile.paths.settings_file.c_str(), error.c_str());
    } else {
        profile.settings_text = std::move(text);
        platform::user_files_written();
    }
}

void record_level_start(const SaveGame& save) {
    if (!profile.active || profile.paths.save_file.empty()) return;
    std::string error;
    if (!write_file_atomically(profile.paths.save_file, format_save(save), error)) {
        std::fprintf(stderr, "quillmoor: %s: cannot save the progress: %s\n", profile.paths.save_file.c_str(), error.c_str());
        return;
    }
    platform::user_files_written();
    profile.save = save;
    profile.has_save = true;
}

void forget_saved_progress() {
    profile.has_save = false;
    profile.save = SaveGame{};
    if (!profile.active || profile.paths.save_file.empty()) return;
    if (std::remove(profile.paths.save_file.c_str()) == 0) platform::user_files_written();
}

void reset_profile() { profile = Profile{}; }
