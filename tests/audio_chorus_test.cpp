// The generated sound and music files, and when the synthesiser's chorus may rest unheard.
#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "audio/midi_file.h"
#include "audio/sound_ids.h"
#include "game/game.h"
#include "made_files.h"
#include "platform/font_chorus.h"
#include "test_files.h"

namespace {

using platform::FontChorus;
using platform::TrackPrograms;

void put_chunk(Bytes& list, const char* id, const Bytes& body) {
    list.insert(list.end(), id, id + 4);
    put_le(list, static_cast<uint32_t>(body.size()), 4);
    list.insert(list.end(), body.begin(), body.end());
}

// A modulator record: source, destination, amount; no amount source or transform.
struct Modulator {
    uint16_t source, destination;
    int16_t amount;
};

// One zone: its generators (kind, amount) and modulators.
struct Zone {
    std::vector<std::pair<uint16_t, uint16_t>> generators;
    std::vector<Modulator> modulators;
};

// Appends the zones' bag, generator and modulator records (a closing bag comes later).
void put_zones(const std::vector<Zone>& zones, Bytes& bags, Bytes& gens, Bytes& mods) {
    for (const Zone& z : zones) {
        put_le(bags, static_cast<uint32_t>(gens.size() / 4), 2);
        put_le(bags, static_cast<uint32_t>(mods.size() / 10), 2);
        for (auto [kind, amount] : z.generators) {
            put_le(gens, kind, 2);
            put_le(gens, amount, 2);
        }
        for (const Modulator& m : z.modulators) {
            put_le(mods, m.source, 2);
            put_le(mods, m.destination, 2);
            put_le(mods, static_cast<uint16_t>(m.amount), 2);
            put_le(mods, 0, 4);
        }
    }
}

constexpr uint16_t CHORUS_SEND = 15, INSTRUMENT = 41, SAMPLE = 53;
constexpr uint16_t CHORUS_DEPTH_SOURCE = 0x00DD, VELOCITY_SOURCE = 0x0002;

// The body of a "pdta" list: instruments, each one zone, and presets (bank, program, one zone
// naming an instrument plus the zone's own generators).
struct FontBuilder {
    std::vector<Zone> instruments;
    struct Preset {
        uint16_t bank, program;
        Zone zone;
    };
    std::vector<Preset> presets;

    Bytes pdta() const {
        Bytes phdr, pbag, pgen, pmod, inst, ibag, igen, imod;
        for (size_t i = 0; i <= instruments.size(); ++i) {
            inst.insert(inst.end(), 20, 'i');
            put_le(inst, static_cast<uint32_t>(i), 2);
        }
        for (const Zone& z : instruments) {
            Zone with_sample = z;
            with_sample.generators.push_back({SAMPLE, 0});
            put_zones({with_sample}, ibag, igen, imod);
        }
        for (size_t p = 0; p <= presets.size(); ++p) {
            phdr.insert(phdr.end(), 20, 'p');
            put_le(phdr, p < presets.size() ? presets[p].program : 0, 2);
            put_le(phdr, p < presets.size() ? presets[p].bank : 0, 2);
            put_le(phdr, static_cast<uint32_t>(p), 2);
            phdr.insert(phdr.end(), 12, 0);  // library, genre, morphology
        }
        for (const Preset& p : presets) put_zones({p.zone}, pbag, pgen, pmod);
        // Closing records.
        put_zones({Zone{}}, pbag, pgen, pmod);
        put_zones({Zone{}}, ibag, igen, imod);
        for (Bytes* gens : {&pgen, &igen}) gens->insert(gens->end(), 4, 0);
        for (Bytes* mods : {&pmod, &imod}) mods->insert(mods->end(), 10, 0);
        Bytes list;
        for (auto [id, body] : {std::pair{"phdr", &phdr}, {"pbag", &pbag}, {"pmod", &pmod}, {"pgen", &pgen}, {"inst", &inst},
                                {"ibag", &ibag}, {"imod", &imod}, {"igen", &igen}})
            put_chunk(list, id, *body);
        return list;
    }
};

Zone plays(uint16_t instrument, std::vector<std::pair<uint16_t, uint16_t>> more = {}) {
    more.push_back({INSTRUMENT, instrument});
    return Zone{more, {}};
}

bool has(const uint64_t bits[2], int program) { return bits[program >> 6] >> (program & 63) & 1; }

TrackPrograms programs_on(int channel, std::initializer_list<int> programs) {
    TrackPrograms t;
    for (int p : programs) t.programs[channel][p >> 6] |= uint64_t{1} << (p & 63);
    return t;
}

TEST(FontChorus, KnowsWhichPresetsSendAndWhichTracksMaySendAndRefusesDamagedFontsWithAReason) {
    FontBuilder b;
    b.instruments = {
        Zone{},  // 0: plain
        Zone{{{CHORUS_SEND, 200}}, {}},  // 1: its own chorus send
        Zone{{}, {{CHORUS_DEPTH_SOURCE, CHORUS_SEND, 1000}}},  // 2: only the chorus depth raises it
        Zone{{}, {{VELOCITY_SOURCE, CHORUS_SEND, 300}}},  // 3: velocity raises it
    };
    b.presets = {{0, 0, plays(0)},   {0, 1, plays(1)}, {0, 2, plays(0, {{CHORUS_SEND, 50}})},
                 {0, 3, plays(2)},   {0, 70, plays(3)}, {128, 0, plays(0)},
                 {128, 25, plays(1)}, {5, 4, plays(0)}};
    const Bytes pdta = b.pdta();
    FontChorus font;
    const char* fault = nullptr;
    ASSERT_TRUE(platform::read_font_chorus(pdta.data(), pdta.size(), &font, &fault)) << fault;
    ASSERT_TRUE(font.read);
    for (int p : {0, 1, 2, 3, 70}) EXPECT_TRUE(has(font.present[0], p)) << p;
    EXPECT_FALSE(has(font.present[0], 4)) << "bank 5 is neither melodic nor drums";
    for (auto [program, sends] : {std::pair{0, false}, {1, true}, {2, true}, {3, false}, {70, true}})
        EXPECT_EQ(has(font.sends[0], program), sends) << program;
    EXPECT_TRUE(has(font.present[1], 0) && !has(font.sends[1], 0));
    EXPECT_TRUE(has(font.sends[1], 25));

    TrackPrograms opaque = programs_on(0, {0});
    opaque.opaque = true;
    const struct {
        TrackPrograms track;
        bool sends;
        const char* why;
    } tracks[] = {{TrackPrograms{}, false, "no programs"}, {programs_on(0, {0, 3}), false, "no sending program"},
                  {programs_on(2, {0, 70}), true, "program 70 sends"}, {programs_on(0, {5}), true, "a program the font lacks"},
                  {programs_on(9, {0}), false, "channel 10 plays the drum bank"}, {programs_on(9, {25}), true, "drum kit 25 sends"},
                  {programs_on(9, {3}), true, "a drum kit the font lacks"}, {opaque, true, "opaque"}};
    for (const auto& t : tracks) EXPECT_EQ(platform::track_sends_chorus(font, t.track), t.sends) << t.why;
    EXPECT_TRUE(platform::track_sends_chorus(FontChorus{}, programs_on(0, {0}))) << "a font not read";

    // The same tables inside a SoundFont file, its samples skipped unread.
    TempDir dir;
    Bytes file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 's', 'f', 'b', 'k'};
    Bytes sdta = {'s', 'd', 't', 'a'};
    put_chunk(sdta, "smpl", Bytes(1001, 0));
    Bytes pdta_list = {'p', 'd', 't', 'a'};
    pdta_list.insert(pdta_list.end(), pdta.begin(), pdta.end());
    put_chunk(file, "LIST", sdta);
    file.push_back(0);  // the odd-sized list's pad byte
    put_chunk(file, "LIST", pdta_list);
    write_bytes(dir.file("font.sf2"), file);
    FontChorus loaded;
    ASSERT_TRUE(platform::load_font_chorus(dir.file("font.sf2").c_str(), &loaded, &fault)) << fault;
    EXPECT_EQ(std::memcmp(loaded.sends, font.sends, sizeof font.sends), 0);
    EXPECT_EQ(std::memcmp(loaded.present, font.present, sizeof font.present), 0);

    // Damaged fonts are refused with a reason: every cut short of the whole, and an instrument
    // that is not there.
    FontChorus refused;
    for (size_t size = 0; size < pdta.size(); size += 7) {
        fault = nullptr;
        EXPECT_FALSE(platform::read_font_chorus(pdta.data(), size, &refused, &fault)) << size;
        EXPECT_TRUE(fault && *fault) << size;
        EXPECT_FALSE(refused.read);
    }
    FontBuilder missing = b;
    missing.presets[0].zone = plays(7);
    const Bytes bad = missing.pdta();
    EXPECT_FALSE(platform::read_font_chorus(bad.data(), bad.size(), &refused, &fault));
    EXPECT_STREQ(fault, "a preset names an instrument that is not there");
    const struct {
        const char* name;
        Bytes bytes;
        const char* fault;
    } files[] = {{"none.sf2", {}, "cannot be opened"},
                 {"wave.sf2", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, "not a SoundFont"},
                 {"bare.sf2", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 's', 'f', 'b', 'k', 'L', 'I', 'S', 'T', 200, 0, 0, 0}, "no preset list"}};
    for (const auto& f : files) {
        if (!f.bytes.empty()) write_bytes(dir.file(f.name), f.bytes);
        EXPECT_FALSE(platform::load_font_chorus(dir.file(f.name).c_str(), &refused, &fault)) << f.name;
        EXPECT_STREQ(fault, f.fault);
    }
}

// The programs a MIDI file's notes are played with.
TrackPrograms programs_of(const std::string& bytes) {
    TrackPrograms programs;
    uint32_t ms = 0;
    const char* fault = nullptr;
    EXPECT_TRUE(midi_duration_ms(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &ms, &fault, &programs)) << fault;
    return programs;
}

TEST(MidiPrograms, AreEveryProgramAChannelWithNotesIsChangedTo) {
    // A one-track file of `events` and the track's end.
    auto scan = [](Bytes events) {
        const Bytes end = {0x00, 0xFF, 0x2F, 0x00};
        events.insert(events.end(), end.begin(), end.end());
        const Bytes file = midi_file(events);
        return programs_of(std::string(file.begin(), file.end()));
    };
    // Channel 1 changes to 5 then 100 and plays; channel 4 changes but never plays; channel 10
    // plays drums; a chorus depth of zero is the default and changes nothing.
    const Bytes events = {0x00, 0xC0, 5, 0x00, 0x90, 60, 100, 0x10, 0xC0, 100, 0x00, 0x90, 62, 90,
                          0x00, 0xC3, 40, 0x00, 0x99, 36, 100, 0x00, 0xB0, 93, 0, 0x00, 0x93, 60, 0};
    const TrackPrograms t = scan(events);
    EXPECT_FALSE(t.opaque);
    EXPECT_EQ(t.programs[0][0], uint64_t{1} | uint64_t{1} << 5);
    EXPECT_EQ(t.programs[0][1], uint64_t{1} << (100 - 64));
    EXPECT_EQ(t.programs[3][0], 0u) << "a note-on at velocity 0 is a note-off";
    EXPECT_EQ(t.programs[9][0], 1u);

    const Bytes raises_chorus = {0x00, 0xB0, 93, 40};
    const Bytes bank_select = {0x00, 0xB0, 0, 1};
    const Bytes nrpn = {0x00, 0xB0, 99, 1};
    const Bytes sysex = {0x00, 0xF0, 0x02, 0x7E, 0xF7};
    for (const Bytes& opaque : {raises_chorus, bank_select, nrpn, sysex}) EXPECT_TRUE(scan(opaque).opaque);
}

// Renders `seconds` of each track in turn on one synthesiser, each from a reset as the game
// plays them; with `rest`, the chorus rests from CHORUS_FADE_SECONDS into the second track.
std::vector<float> render(const char* soundfont, const char* first, int first_seconds, const char* second, int seconds,
                          bool rest) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 44100);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_synth_sfload(synth, soundfont, 1);
    std::vector<float> out;
    constexpr int CHUNK = 1024;
    float block[2 * CHUNK];
    for (int part = 0; part < 2; ++part) {
        fluid_synth_system_reset(synth);
        fluid_player_t* player = new_fluid_player(synth);
        fluid_player_add(player, data_path(part == 0 ? first : second).c_str());
        fluid_player_play(player);
        const int frames = (part == 0 ? first_seconds : seconds) * 44100;
        for (int done = 0; done < frames; done += CHUNK) {
            if (rest && part == 1 && done >= platform::CHORUS_FADE_SECONDS * 44100 && done - CHUNK < platform::CHORUS_FADE_SECONDS * 44100)
                fluid_synth_chorus_on(synth, -1, 0);
            fluid_synth_write_float(synth, CHUNK, block, 0, 2, block, 1, 2);
            out.insert(out.end(), block, block + 2 * CHUNK);
        }
        fluid_player_stop(player);
        delete_fluid_player(player);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

TEST(FontChorus, TheGamesFontLetsTheChorusRestUnheardWhereNoTrackSendsToIt) {
    const char* soundfont = QUILLMOOR_SOUNDFONT;
    if (access(soundfont, R_OK) != 0) GTEST_SKIP() << "no General MIDI SoundFont here";
    FontChorus font;
    const char* fault = nullptr;
    ASSERT_TRUE(platform::load_font_chorus(soundfont, &font, &fault)) << fault;
    // The title and the last level play strings and choirs that the font sends to the chorus.
    EXPECT_TRUE(platform::track_sends_chorus(font, programs_of(read_text(data_path("intro.MID")))));
    EXPECT_TRUE(platform::track_sends_chorus(font, programs_of(read_text(data_path("level3.MID")))));
    for (const char* quiet : {"level1.MID", "level2.MID", "levelComplete.MID", "gameOver.MID"})
        EXPECT_FALSE(platform::track_sends_chorus(font, programs_of(read_text(data_path(quiet))))) << quiet;

    // The title's chorus still echoes into the first level, and resting it after the fade
    // changes not one sample.
    const std::vector<float> running = render(soundfont, "intro.MID", 7, "level1.MID", 8, false);
    const std::vector<float> resting = render(soundfont, "intro.MID", 7, "level1.MID", 8, true);
    ASSERT_EQ(running.size(), resting.size());
    EXPECT_EQ(std::memcmp(running.data(), resting.data(), running.size() * sizeof(float)), 0);
}

std::string data_file(const std::string& name) { return read_text(data_path(name)); }

// The `n` bytes at `at` as a number, lowest first or highest first.
uint32_t number_at(const std::string& s, size_t at, int n, bool big_end = false) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v |= uint32_t{static_cast<uint8_t>(s[at + i])} << 8 * (big_end ? n - 1 - i : i);
    return v;
}
uint32_t le32(const std::string& s, size_t at) { return number_at(s, at, 4); }
uint32_t le16(const std::string& s, size_t at) { return number_at(s, at, 2); }
uint32_t be32(const std::string& s, size_t at) { return number_at(s, at, 4, true); }

// Counts note-ons per channel and program changes per channel over every track of a file,
// and notes the tick of the last note event and of the last track's end.
struct ChannelUse {
    int notes[16] = {};
    bool program[16] = {};
    uint32_t last_note_tick = 0, end_tick = 0;
};

bool read_var(const std::string& s, size_t& p, size_t end, uint32_t& v) {
    v = 0;
    for (int i = 0; i < 4 && p < end; ++i) {
        const uint8_t b = static_cast<uint8_t>(s[p++]);
        v = v << 7 | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

bool scan_midi(const std::string& s, ChannelUse& use) {
    if (s.size() < 14 || s.substr(0, 4) != "MThd") return false;
    size_t pos = 8 + be32(s, 4);
    while (pos + 8 <= s.size()) {
        const size_t end = pos + 8 + be32(s, pos + 4);
        if (end > s.size()) return false;
        size_t p = pos + 8;
        uint8_t running = 0;
        uint32_t tick = 0;
        while (p < end) {
            uint32_t delta, length;
            if (!read_var(s, p, end, delta) || p >= end) return false;
            tick += delta;
            use.end_tick = std::max(use.end_tick, tick);
            uint8_t status = static_cast<uint8_t>(s[p]);
            if (status & 0x80) ++p; else status = running;
            if (status == 0xFF) {
                ++p;
                if (!read_var(s, p, end, length)) return false;
                p += length;
            } else if (status == 0xF0 || status == 0xF7) {
                if (!read_var(s, p, end, length)) return false;
                p += length;
            } else {
                running = status;
                const int kind = status & 0xF0, channel = status & 0x0F;
                if (kind == 0x90 && p + 1 < end && s[p + 1] != 0) ++use.notes[channel];
                if (kind == 0x80 || kind == 0x90) use.last_note_tick = std::max(use.last_note_tick, tick);
                if (kind == 0xC0) use.program[channel] = true;
                p += kind == 0xC0 || kind == 0xD0 ? 1 : 2;
            }
        }
        pos = end;
    }
    return true;
}

// Sounds are 8-bit mono PCM at 11025 Hz and last a tenth of a second to two seconds.
TEST(AudioAssets, SoundsAndTracksAreMadeInTheFormatsTheGamePlaysAndTracksArrangedForGeneralMidi) {
    for (const SoundFile& sound : SOUND_FILES) {
        const std::string name = sound.name;
        const std::string wav = data_file(name);
        ASSERT_GE(wav.size(), 44u) << name;
        EXPECT_EQ(wav.substr(0, 4), "RIFF") << name;
        EXPECT_EQ(le32(wav, 4), wav.size() - 8) << name;
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ") << name;
        EXPECT_EQ(le16(wav, 20), 1u) << name << ": PCM";
        EXPECT_EQ(le16(wav, 22), 1u) << name << ": mono";
        EXPECT_EQ(le32(wav, 24), 11025u) << name;
        EXPECT_EQ(le16(wav, 34), 8u) << name << ": bits";
        EXPECT_EQ(wav.substr(36, 4), "data") << name;
        // Long enough to be heard, short enough not to drag.
        EXPECT_GT(le32(wav, 40), 1100u) << name;
        EXPECT_LT(le32(wav, 40), 2u * 11025) << name;
        // Not silence: the samples swing well away from the 8-bit midpoint.
        int lowest = 255, highest = 0;
        for (size_t i = 44; i < wav.size(); ++i) {
            lowest = std::min(lowest, static_cast<int>(static_cast<uint8_t>(wav[i])));
            highest = std::max(highest, static_cast<int>(static_cast<uint8_t>(wav[i])));
        }
        EXPECT_GT(highest - lowest, 120) << name;
    }

    // Every track is arranged for General MIDI: drums on channel 10, and every other channel that
    // plays chooses its instrument first. The game starts a level track again the moment it ends,
    // so the music must run up to the file's end: a quiet beat there would be heard as a gap at
    // every loop. The level themes last a minute and the title's half one; the level-complete call
    // plays while the closing lines are read.
    for (const MusicFile& track : MUSIC_FILES) {
        const std::string name = track.name;
        const std::string bytes = data_file(name);
        ChannelUse use;
        ASSERT_TRUE(scan_midi(bytes, use)) << name;
        EXPECT_GT(use.notes[9], 0) << name << ": no drums on channel 10";
        int melodic = 0;
        for (int ch = 0; ch < 16; ++ch) {
            if (ch == 9 || use.notes[ch] == 0) continue;
            ++melodic;
            EXPECT_TRUE(use.program[ch]) << name << ": channel " << ch + 1 << " plays without choosing an instrument";
        }
        // A tune, a bass and harmony at the least.
        EXPECT_GE(melodic, 3) << name;

        uint32_t ms = 0;
        const char* fault = nullptr;
        ASSERT_TRUE(midi_duration_ms(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &ms, &fault)) << name;
        const bool level = name.rfind("level", 0) == 0 && name != "levelComplete.MID";
        EXPECT_GE(ms, level ? 60000u : name == "intro.MID" ? 30000u : 2000u) << name;
        EXPECT_LE(ms, name == "levelComplete.MID" ? 10000u : UINT32_MAX) << name;
        // At most an eighth of a beat of silence at a level track's end.
        EXPECT_LE(use.end_tick - use.last_note_tick, level ? (be32(bytes, 10) & 0xFFFF) / 8 : UINT32_MAX) << name;
    }
}

}  // namespace
