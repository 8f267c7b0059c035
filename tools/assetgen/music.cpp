// The music tracks, composed here and written as Standard MIDI Files for General MIDI: a title
// theme, a meadow, a farm fort and a great-tree level theme, a level-complete call and, for
// enhanced play, a game-over lament.
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/byte_writer.h"
#include "game/game.h"
#include "generators.h"

namespace art {
namespace {

constexpr int TICKS_PER_BEAT = 480;
constexpr uint8_t DRUM_CHANNEL = 9;  // channel 10 as musicians count

// General MIDI programs (numbered from 0) and percussion keys that the tracks use.
enum Program : uint8_t {
    GLOCKENSPIEL = 9, ACCORDION = 21, NYLON_GUITAR = 24, ACOUSTIC_BASS = 32, CONTRABASS = 43,
    PIZZICATO = 45, HARP = 46, TIMPANI = 47, STRINGS = 48, SLOW_STRINGS = 49, CHOIR = 52,
    TRUMPET = 56, TROMBONE = 57, TUBA = 58, FRENCH_HORN = 60, BRASS = 61, OBOE = 68, CLARINET = 71,
    FLUTE = 73, RECORDER = 74, PAN_FLUTE = 75, BANJO = 105, FIDDLE = 110,
};
enum Drum : uint8_t {
    KICK = 36, SIDE_STICK = 37, SNARE = 38, CLAP = 39, LOW_FLOOR_TOM = 41, CLOSED_HAT = 42,
    HIGH_FLOOR_TOM = 43, OPEN_HAT = 46, LOW_TOM = 45, CRASH = 49, HIGH_TOM = 50, RIDE = 51,
    TAMBOURINE = 54, SHAKER = 70, TRIANGLE = 81,
};

struct Note {
    uint32_t tick, length;
    uint8_t pitch, velocity;
};

// One instrument on one channel; written as one track of the file.
struct Voice {
    std::string name;
    uint8_t channel, program, volume, pan, reverb;
    std::vector<Note> notes;
};

struct Song {
    int bpm;
    int beats_per_bar;
    std::vector<Voice> voices;
    uint32_t end_tick = 0;  // where the file ends; 0 for a beat after the last note
    uint32_t bar_ticks() const { return static_cast<uint32_t>(beats_per_bar * TICKS_PER_BEAT); }
};

Voice& add_voice(Song& song, const std::string& name, uint8_t channel, uint8_t program, uint8_t volume, uint8_t pan,
                 uint8_t reverb) {
    song.voices.push_back({name, channel, program, volume, pan, reverb, {}});
    return song.voices.back();
}

void add_note(Voice& v, uint32_t tick, uint32_t length, int pitch, int velocity) {
    if (pitch < 0 || pitch > 127) throw std::runtime_error("music: note out of range in " + v.name);
    v.notes.push_back({tick, length, static_cast<uint8_t>(pitch), static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
}

// "c#5" -> 73; octave 4 holds middle C (60).
int parse_pitch(const std::string& text) {
    static const int letters[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (text.empty() || text[0] < 'a' || text[0] > 'g') throw std::runtime_error("music: bad pitch " + text);
    int pc = letters[text[0] - 'a'];
    size_t i = 1;
    if (i < text.size() && text[i] == '#') { ++pc; ++i; }
    else if (i < text.size() && text[i] == 'b') { --pc; ++i; }
    if (i >= text.size()) throw std::runtime_error("music: pitch without octave " + text);
    return 12 * (std::stoi(text.substr(i)) + 1) + pc;
}

// Writes a tune in the form "d5:3 a4:1 r:2 ..." (pitch or r for a rest, then its length in eighth
// notes) from the start of `bar`. Returns the bars it filled; a tune must fill whole bars.
int play_tune(Song& song, Voice& v, int bar, const std::string& tune, int velocity, int transpose = 0) {
    const uint32_t eighth = TICKS_PER_BEAT / 2;
    uint32_t tick = bar * song.bar_ticks();
    const uint32_t start = tick;
    size_t pos = 0;
    while (pos < tune.size()) {
        if (tune[pos] == ' ' || tune[pos] == '|') { ++pos; continue; }
        const size_t end = std::min(tune.find(' ', pos), tune.size());
        const std::string token = tune.substr(pos, end - pos);
        pos = end;
        const size_t colon = token.find(':');
        if (colon == std::string::npos) throw std::runtime_error("music: bad token " + token);
        const uint32_t length = static_cast<uint32_t>(std::stoi(token.substr(colon + 1))) * eighth;
        const std::string pitch = token.substr(0, colon);
        if (pitch != "r") {
            // Notes on the beat speak a little louder, so the tune has a pulse.
            const int accent = (tick - start) % song.bar_ticks() == 0 ? 8 : (tick % TICKS_PER_BEAT == 0 ? 3 : 0);
            add_note(v, tick, length - length / 10, parse_pitch(pitch) + transpose, velocity + accent);
        }
        tick += length;
    }
    if ((tick - start) % song.bar_ticks() != 0) throw std::runtime_error("music: tune of " + v.name + " leaves a bar unfinished");
    return static_cast<int>((tick - start) / song.bar_ticks());
}

struct Chord {
    int root;  // pitch class 0..11
    int tones[4];  // semitones above the root
    int count;
};

// "F#m", "A7", "Bb", "Em7", "Cmaj7".
Chord parse_chord(const std::string& name) {
    const std::string root_text = name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? name.substr(0, 2) : name.substr(0, 1);
    std::string lower(1, static_cast<char>(root_text[0] - 'A' + 'a'));
    lower += root_text.substr(1);
    lower += "4";
    const int root = parse_pitch(lower) % 12;
    const std::string quality = name.substr(root_text.size());
    if (quality.empty()) return {root, {0, 4, 7, 0}, 3};
    if (quality == "m") return {root, {0, 3, 7, 0}, 3};
    if (quality == "7") return {root, {0, 4, 7, 10}, 4};
    if (quality == "m7") return {root, {0, 3, 7, 10}, 4};
    if (quality == "maj7") return {root, {0, 4, 7, 11}, 4};
    if (quality == "sus4") return {root, {0, 5, 7, 0}, 3};
    throw std::runtime_error("music: unknown chord " + name);
}

// Plays a bar's accompaniment from a pattern, one character per equal step of the bar:
// 1 3 5 chord tones above the root, 7 the seventh (or the octave), 8 the octave, l the fifth below,
// C the whole chord at once, - holds the note before, . is silence. `chords` holds one or two
// chords ("Bb|A" splits the bar in halves). The root is the lowest of its kind at or above `floor`.
void play_pattern(Song& song, Voice& v, int bar, const std::string& chords, const std::string& pattern, int floor,
                  int velocity) {
    const size_t split = chords.find('|');
    const Chord first = parse_chord(chords.substr(0, split));
    const Chord second = split == std::string::npos ? first : parse_chord(chords.substr(split + 1));
    const uint32_t step = song.bar_ticks() / static_cast<uint32_t>(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '-' || c == '.') continue;
        size_t held = 1;
        while (i + held < pattern.size() && pattern[i + held] == '-') ++held;
        const Chord& chord = i * 2 < pattern.size() ? first : second;
        const int root = floor + (chord.root - floor % 12 + 12) % 12;
        const uint32_t tick = bar * song.bar_ticks() + static_cast<uint32_t>(i) * step;
        const uint32_t length = static_cast<uint32_t>(held) * step - step / 8;
        const int accent = tick % TICKS_PER_BEAT == 0 ? 6 : 0;
        auto tone = [&](int semitones) { add_note(v, tick, length, root + semitones, velocity + accent); };
        switch (c) {
        case '1': tone(0); break;
        case '3': tone(chord.tones[1]); break;
        case '5': tone(chord.tones[2]); break;
        case '7': tone(chord.count == 4 ? chord.tones[3] : 12); break;
        case '8': tone(12); break;
        case 'l': tone(chord.tones[2] - 12); break;
        case 'C':
            for (int k = 0; k < chord.count; ++k) tone(chord.tones[k]);
            break;
        default: throw std::runtime_error(std::string("music: bad pattern step ") + c);
        }
    }
}

// One percussion instrument over a bar: x a hit, X an accented hit, o a soft one, . silence.
struct DrumLine {
    uint8_t key;
    const char* pattern;
};

void play_drums(Song& song, Voice& v, int bar, std::initializer_list<DrumLine> lines, int velocity) {
    for (const DrumLine& line : lines) {
        const std::string pattern = line.pattern;
        const uint32_t step = song.bar_ticks() / static_cast<uint32_t>(pattern.size());
        for (size_t i = 0; i < pattern.size(); ++i) {
            const char c = pattern[i];
            if (c == '.') continue;
            const int vel = c == 'X' ? velocity + 25 : c == 'o' ? velocity - 30 : velocity;
            add_note(v, bar * song.bar_ticks() + static_cast<uint32_t>(i) * step, step / 2, line.key, vel);
        }
    }
}

uint32_t last_note_end(const Song& song) {
    uint32_t last = 0;
    for (const Voice& v : song.voices)
        for (const Note& n : v.notes) last = std::max(last, n.tick + n.length);
    return last;
}

// A level track loops: the game starts it again the moment it ends. Instead of a beat of quiet
// after the last note, that beat gets a pick-up (four sixteenths of a drum and two eighths of
// the bass) leading back into the first bar, and the file ends right after it, so the music
// runs on over the loop. The file keeps the length a quiet beat would give it.
void add_loop_pickup(Song& song, Voice& bass, int bass_from, int bass_to, Voice& drums, uint8_t drum) {
    const uint32_t start = last_note_end(song);
    const uint32_t sixteenth = TICKS_PER_BEAT / 4, eighth = TICKS_PER_BEAT / 2;
    for (uint32_t i = 0; i < 4; ++i) add_note(drums, start + i * sixteenth, sixteenth - 20, drum, 60 + 8 * static_cast<int>(i));
    add_note(bass, start, eighth - 20, bass_from, 84);
    add_note(bass, start + eighth, eighth - 20, bass_to, 92);
    song.end_tick = start + TICKS_PER_BEAT;
}

// ---- Standard MIDI File writing ----

void put_var(std::string& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7F;
    while (v >>= 7) bytes[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
    while (n) out += static_cast<char>(bytes[--n]);
}

struct Event {
    uint32_t tick;
    int order;  // note-offs before note-ons at the same tick
    std::string bytes;
};

std::string track_chunk(std::vector<Event> events, uint32_t end_tick) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::string body;
    uint32_t now = 0;
    for (const Event& e : events) {
        put_var(body, e.tick - now);
        now = e.tick;
        body += e.bytes;
    }
    put_var(body, end_tick > now ? end_tick - now : 0);
    body += std::string("\xFF\x2F\x00", 3);
    std::string chunk = "MTrk";
    append_be(chunk, static_cast<uint32_t>(body.size()), 4);
    return chunk + body;
}

std::string meta_text(uint8_t type, const std::string& text) {
    std::string out = {'\xFF', static_cast<char>(type)};
    put_var(out, static_cast<uint32_t>(text.size()));
    return out + text;
}

std::string midi_bytes(const Song& song, const std::string& title) {
    // A beat of quiet after the last note lets the reverb ring out before the track ends.
    const uint32_t end_tick = song.end_tick ? song.end_tick : last_note_end(song) + TICKS_PER_BEAT;

    std::string file = "MThd";
    append_be(file, 6, 4);
    append_be(file, 1, 2);  // format 1: a conductor track and one track per voice
    append_be(file, static_cast<uint32_t>(song.voices.size() + 1), 2);
    append_be(file, TICKS_PER_BEAT, 2);

    std::vector<Event> conductor;
    conductor.push_back({0, 0, meta_text(0x03, title)});
    std::string tempo = {'\xFF', '\x51', '\x03'};
    append_be(tempo, 60000000u / static_cast<uint32_t>(song.bpm), 3);
    conductor.push_back({0, 1, tempo});
    conductor.push_back({0, 2, std::string{'\xFF', '\x58', '\x04', static_cast<char>(song.beats_per_bar), '\x02', '\x18', '\x08'}});
    file += track_chunk(conductor, end_tick);

    for (const Voice& v : song.voices) {
        std::vector<Event> events;
        const char ch = static_cast<char>(v.channel);
        events.push_back({0, 0, meta_text(0x03, v.name)});
        if (v.channel != DRUM_CHANNEL) events.push_back({0, 1, std::string{static_cast<char>(0xC0 | ch), static_cast<char>(v.program)}});
        events.push_back({0, 2, std::string{static_cast<char>(0xB0 | ch), 7, static_cast<char>(v.volume)}});
        events.push_back({0, 2, std::string{static_cast<char>(0xB0 | ch), 10, static_cast<char>(v.pan)}});
        events.push_back({0, 2, std::string{static_cast<char>(0xB0 | ch), 91, static_cast<char>(v.reverb)}});
        for (const Note& n : v.notes) {
            events.push_back({n.tick, 4, std::string{static_cast<char>(0x90 | ch), static_cast<char>(n.pitch), static_cast<char>(n.velocity)}});
            events.push_back({n.tick + n.length, 3, std::string{static_cast<char>(0x80 | ch), static_cast<char>(n.pitch), 0}});
        }
        file += track_chunk(std::move(events), end_tick);
    }
    return file;
}

// ---- The tracks ----

// Title: a bold horn theme in D major over strings, harp and a steady march.
Song title_theme() {
    Song song{104, 4, {}};
    song.voices.reserve(6);
    Voice& horn = add_voice(song, "Horn", 0, FRENCH_HORN, 100, 54, 60);
    Voice& strings = add_voice(song, "Strings", 1, STRINGS, 76, 74, 80);
    Voice& harp = add_voice(song, "Harp", 2, HARP, 92, 40, 60);
    Voice& bass = add_voice(song, "Bass", 3, PIZZICATO, 100, 64, 40);
    Voice& brass = add_voice(song, "Brass", 4, BRASS, 76, 64, 60);
    Voice& drums = add_voice(song, "Drums", DRUM_CHANNEL, 0, 88, 64, 40);

    const char* opening[2] = {"D", "A"};
    const char* verse[8] = {"D", "A", "Bm", "G", "D", "Em", "A", "A7"};
    const char* verse_end[8] = {"D", "A", "Bm", "G", "D", "Em", "A", "D"};
    const char* bridge[8] = {"G", "A", "F#m", "Bm", "Em", "A", "D", "A"};
    const char* closing[3] = {"G", "A", "D"};
    const std::string verse_tune =
        "d5:3 a4:1 d5:2 f#5:2 e5:4 c#5:2 a4:2 b4:3 c#5:1 d5:2 f#5:2 g5:6 f#5:1 e5:1 "
        "f#5:3 e5:1 d5:2 a5:2 g5:3 f#5:1 e5:2 d5:2 c#5:2 d5:2 e5:2 f#5:1 e5:1 e5:8";
    const std::string verse_end_tune =
        "d5:3 a4:1 d5:2 f#5:2 e5:4 c#5:2 a4:2 b4:3 c#5:1 d5:2 f#5:2 g5:6 f#5:1 e5:1 "
        "f#5:3 e5:1 d5:2 a5:2 g5:3 f#5:1 e5:2 d5:2 c#5:2 e5:2 a4:2 c#5:2 d5:8";
    const std::string bridge_tune =
        "b5:4 a5:2 g5:2 a5:3 g5:1 f#5:2 e5:2 f#5:4 e5:2 c#5:2 d5:6 r:2 "
        "e5:2 f#5:2 g5:2 b5:2 a5:4 c#6:2 a5:2 d6:4 a5:2 f#5:2 e5:6 r:2";

    auto accompany = [&](int bar, const char* chord, bool full) {
        play_pattern(song, strings, bar, chord, "C-------", 55, full ? 72 : 60);
        play_pattern(song, harp, bar, chord, "13583538", 62, 62);
        play_pattern(song, bass, bar, chord, "1.5.1.5.", 38, 92);
        if (full) play_drums(song, drums, bar, {{KICK, "x...x..."}, {SNARE, "..o...o."}, {CLOSED_HAT, "oooooooo"}}, 80);
        else play_drums(song, drums, bar, {{KICK, "x...x..."}, {TRIANGLE, "o.......", }}, 70);
    };

    int bar = 0;
    // Opening call: brass and timpani-like drums announce the theme.
    for (int i = 0; i < 2; ++i, ++bar) {
        play_pattern(song, brass, bar, opening[i], i == 0 ? "C..C.C--" : "C..C.C-C", 57, 90);
        play_pattern(song, bass, bar, opening[i], "1..1.1--", 38, 100);
        play_drums(song, drums, bar, {{LOW_FLOOR_TOM, "X..x.xxx"}, {CRASH, i == 0 ? "x......." : "........"}}, 90);
    }
    play_tune(song, horn, bar, verse_tune, 96);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, verse[i], i >= 4);
    play_tune(song, strings, bar, bridge_tune, 92);
    play_tune(song, horn, bar, bridge_tune, 70, -12);
    for (int i = 0; i < 8; ++i, ++bar) {
        play_pattern(song, harp, bar, bridge[i], "13581358", 62, 60);
        play_pattern(song, bass, bar, bridge[i], "1---5---", 38, 88);
        play_drums(song, drums, bar, {{KICK, "x......."}, {RIDE, "o.o.o.o."}}, 76);
    }
    play_drums(song, drums, bar, {{CRASH, "x......."}}, 95);
    play_tune(song, horn, bar, verse_end_tune, 104);
    play_tune(song, brass, bar, verse_end_tune, 70, -12);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, verse_end[i], true);
    // Closing cadence and a held final chord.
    play_tune(song, horn, bar, "b5:4 g5:4 c#6:4 e5:4 d5:8 r:8", 104);
    for (int i = 0; i < 3; ++i, ++bar) {
        play_pattern(song, brass, bar, closing[i], i < 2 ? "C---C---" : "C-------", 57, 92);
        play_pattern(song, strings, bar, closing[i], "C-------", 55, 80);
        play_pattern(song, bass, bar, closing[i], i < 2 ? "1---5---" : "1-------", 38, 100);
        play_drums(song, drums, bar, i < 2 ? std::initializer_list<DrumLine>{{KICK, "x...x..."}, {SNARE, "oooooooo"}}
                                           : std::initializer_list<DrumLine>{{KICK, "X......."}, {CRASH, "X......."}}, 88);
    }
    play_pattern(song, harp, bar - 1, "D", "1358....", 62, 70);
    return song;
}

// Level 1, the meadow: a bright flute tune in G major over guitar, bass and light percussion.
Song meadow_theme() {
    Song song{112, 4, {}};
    song.voices.reserve(6);
    Voice& flute = add_voice(song, "Flute", 0, FLUTE, 104, 58, 70);
    Voice& oboe = add_voice(song, "Oboe", 1, OBOE, 96, 72, 70);
    Voice& guitar = add_voice(song, "Guitar", 2, NYLON_GUITAR, 96, 44, 50);
    Voice& bass = add_voice(song, "Bass", 3, ACOUSTIC_BASS, 104, 64, 30);
    Voice& glock = add_voice(song, "Bells", 4, GLOCKENSPIEL, 70, 84, 70);
    Voice& drums = add_voice(song, "Drums", DRUM_CHANNEL, 0, 92, 64, 40);

    const char* verse[8] = {"G", "C", "G", "D", "Em", "C", "D", "G"};
    const char* chorus[8] = {"C", "D", "Bm", "Em", "Am", "D", "G", "G"};
    const std::string verse_tune =
        "g5:2 b5:2 d6:3 b5:1 c6:2 e6:2 d6:2 c6:2 b5:3 a5:1 g5:2 b5:2 a5:6 r:2 "
        "g5:2 b5:2 e6:3 d6:1 c6:2 b5:2 a5:2 g5:2 f#5:2 a5:2 d6:2 c6:2 b5:6 r:2";
    const std::string chorus_tune =
        "e6:3 d6:1 c6:2 e6:2 d6:3 c6:1 b5:2 a5:2 b5:3 a5:1 f#5:2 d5:2 e5:6 g5:2 "
        "a5:2 c6:2 e6:2 c6:2 d6:2 f#6:2 a5:2 c6:2 b5:4 a5:2 f#5:2 g5:6 r:2";

    auto accompany = [&](int bar, const char* chord, int section) {
        play_pattern(song, guitar, bar, chord, "15838583", 55, 68);
        play_pattern(song, bass, bar, chord, section == 0 ? "1---5---" : "1--15-3-", 40, 92);
        if (section == 0) play_drums(song, drums, bar, {{SHAKER, "oxoxoxox"}, {KICK, "x.......x......."}}, 70);
        else play_drums(song, drums, bar, {{KICK, "x...x..."}, {SIDE_STICK, "..x...x."}, {TAMBOURINE, "oxoxoxox"}}, 76);
    };

    int bar = 0;
    for (int i = 0; i < 2; ++i, ++bar) accompany(bar, i == 0 ? "G" : "D", 0);
    // First verse, flute alone.
    play_tune(song, flute, bar, verse_tune, 96);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, verse[i], 0);
    // Second verse: flute with the oboe an octave below and the band in.
    play_tune(song, flute, bar, verse_tune, 100);
    play_tune(song, oboe, bar, verse_tune, 74, -12);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, verse[i], 1);
    // Chorus: oboe leads, bells sparkle an octave up.
    play_tune(song, oboe, bar, chorus_tune, 98, -12);
    play_tune(song, glock, bar, chorus_tune, 64);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, chorus[i], 1);
    // Last verse, everyone.
    play_tune(song, flute, bar, verse_tune, 104);
    play_tune(song, oboe, bar, verse_tune, 78, -12);
    play_drums(song, drums, bar, {{CRASH, "x......."}}, 80);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, verse[i], 1);
    play_pattern(song, guitar, bar, "G", "C-------", 55, 80);
    play_pattern(song, bass, bar, "G", "1-------", 40, 90);
    play_tune(song, flute, bar, "g6:8", 90);
    play_drums(song, drums, bar, {{KICK, "x......."}, {TRIANGLE, "x......."}}, 80);
    add_loop_pickup(song, bass, parse_pitch("a2"), parse_pitch("f#2"), drums, SIDE_STICK);
    return song;
}

// Level 2, the farm fort: a stomping fiddle reel in D minor with banjo, tuba and a march snare,
// and a trumpet call for the fort.
Song farm_fort_theme() {
    Song song{132, 4, {}};
    song.voices.reserve(6);
    Voice& fiddle = add_voice(song, "Fiddle", 0, FIDDLE, 104, 50, 50);
    Voice& trumpet = add_voice(song, "Trumpet", 1, TRUMPET, 100, 78, 60);
    Voice& banjo = add_voice(song, "Banjo", 2, BANJO, 88, 36, 40);
    Voice& tuba = add_voice(song, "Tuba", 3, TUBA, 110, 64, 30);
    Voice& accordion = add_voice(song, "Accordion", 4, ACCORDION, 70, 90, 40);
    Voice& drums = add_voice(song, "Drums", DRUM_CHANNEL, 0, 100, 64, 30);

    const char* reel[8] = {"Dm", "C", "Dm", "A", "Dm", "C", "Bb|A", "Dm"};
    const char* call[8] = {"F", "C", "Dm", "A", "Bb", "F", "Gm", "A"};
    const std::string reel_tune =
        "d5:1 e5:1 f5:1 d5:1 a5:2 f5:2 g5:1 f5:1 e5:1 c5:1 g5:2 e5:2 f5:1 g5:1 a5:1 f5:1 d6:2 a5:2 c#6:2 a5:2 e5:2 c#5:2 "
        "d5:1 e5:1 f5:1 g5:1 a5:2 d6:2 c6:1 bb5:1 a5:1 g5:1 e5:2 c5:2 d5:2 f5:2 e5:2 c#5:2 d5:4 r:2 a4:2";
    const std::string call_tune =
        "f5:3 f5:1 a5:2 c6:2 c6:3 bb5:1 a5:2 g5:2 a5:3 g5:1 f5:2 d5:2 e5:4 a4:4 "
        "bb4:2 d5:2 f5:2 bb5:2 a5:2 c6:2 f5:2 a5:2 g5:2 bb5:2 d5:2 g5:2 a5:2 e5:1 f5:1 g5:1 f5:1 e5:1 c#5:1";

    auto accompany = [&](int bar, const char* chord, bool march) {
        play_pattern(song, banjo, bar, chord, ".C.C.C.C", 57, 70);
        play_pattern(song, tuba, bar, chord, "1.l.1.l.", 33, 100);
        if (march) play_drums(song, drums, bar, {{KICK, "x...x..."}, {SNARE, "..x.o.x.oo..x.xo"}, {CLOSED_HAT, "xxxxxxxx"}}, 84);
        else play_drums(song, drums, bar, {{KICK, "x...x..."}, {CLAP, "..x...x."}, {CLOSED_HAT, "x.x.x.x."}}, 80);
    };

    int bar = 0;
    // A snare roll calls the farmhands in.
    for (int i = 0; i < 2; ++i, ++bar) {
        play_pattern(song, tuba, bar, "Dm", "1.l.1.l.", 33, 100);
        play_drums(song, drums, bar, {{SNARE, i == 0 ? "x.x.x.x.xxxxxxxx" : "xxxxxxxxxxxxXxXx"}}, 70 + 10 * i);
    }
    for (int round = 0; round < 2; ++round) {
        play_tune(song, fiddle, bar, reel_tune, 96 + 4 * round);
        if (round == 1) play_pattern(song, accordion, bar, "Dm", "C-------", 57, 60);
        for (int i = 0; i < 8; ++i, ++bar) {
            accompany(bar, reel[i], round == 1);
            if (round == 1 && i > 0) play_pattern(song, accordion, bar, reel[i], "C---C---", 57, 60);
        }
    }
    for (int round = 0; round < 2; ++round) {
        play_tune(song, trumpet, bar, call_tune, 100);
        if (round == 1) play_tune(song, fiddle, bar, call_tune, 76, -12);
        play_drums(song, drums, bar, {{CRASH, "x......."}}, 90);
        for (int i = 0; i < 8; ++i, ++bar) accompany(bar, call[i], true);
        play_tune(song, fiddle, bar, reel_tune, 104);
        for (int i = 0; i < 8; ++i, ++bar) {
            accompany(bar, reel[i], true);
            play_pattern(song, accordion, bar, reel[i], "C-C-C-C-", 57, 56);
        }
    }
    play_tune(song, fiddle, bar, "d6:2 a5:2 d5:4", 110);
    play_pattern(song, tuba, bar, "Dm", "1...l.1.", 33, 110);
    play_pattern(song, banjo, bar, "Dm", "C.C.....", 57, 90);
    play_drums(song, drums, bar, {{KICK, "x...x.x."}, {SNARE, "x...x.X."}, {CRASH, "......x."}}, 90);
    add_loop_pickup(song, tuba, parse_pitch("a1"), parse_pitch("c#2"), drums, SNARE);
    return song;
}

// Level 3, the Great Tree: a slow, wondering pan-flute tune in E minor over harp, deep strings,
// a choir and low ritual drums.
Song great_tree_theme() {
    Song song{80, 4, {}};
    song.voices.reserve(7);
    Voice& pipe = add_voice(song, "Pan flute", 0, PAN_FLUTE, 104, 60, 90);
    Voice& choir = add_voice(song, "Choir", 1, CHOIR, 84, 70, 100);
    Voice& harp = add_voice(song, "Harp", 2, HARP, 92, 44, 80);
    Voice& strings = add_voice(song, "Strings", 3, SLOW_STRINGS, 84, 80, 100);
    Voice& bass = add_voice(song, "Bass", 4, CONTRABASS, 100, 64, 60);
    Voice& clarinet = add_voice(song, "Clarinet", 5, CLARINET, 80, 50, 90);
    Voice& drums = add_voice(song, "Drums", DRUM_CHANNEL, 0, 96, 64, 70);

    const char* verse[8] = {"Em", "C", "Am", "B7", "Em", "D", "C", "B"};
    const char* verse_end[8] = {"Em", "C", "Am", "B7", "Em", "D", "C|B7", "Em"};
    const char* rise[8] = {"C", "D", "G", "Em", "Am", "B", "Em", "Em"};
    const std::string verse_tune =
        "e5:4 g5:2 b5:2 c6:3 b5:1 g5:4 a5:2 e5:2 c5:2 e5:2 d#5:6 b4:2 "
        "e5:3 f#5:1 g5:2 a5:2 b5:2 a5:2 f#5:2 d5:2 e5:2 g5:2 c6:2 b5:2 b5:8";
    const std::string verse_end_tune =
        "e5:4 g5:2 b5:2 c6:3 b5:1 g5:4 a5:2 e5:2 c5:2 e5:2 d#5:6 b4:2 "
        "e5:3 f#5:1 g5:2 a5:2 b5:2 a5:2 f#5:2 d5:2 e5:2 g5:2 f#5:2 d#5:2 e5:8";
    const std::string rise_tune = "g5:4 e5:4 f#5:4 a5:4 b5:6 a5:2 g5:4 e5:4 a5:3 b5:1 c6:2 e6:2 d#6:4 b5:4 e6:8 r:8";

    auto accompany = [&](int bar, const char* chord, int depth) {
        play_pattern(song, harp, bar, chord, "15835853", 52, 66);
        play_pattern(song, bass, bar, chord, "1-------", 28, 92);
        if (depth > 0) play_pattern(song, strings, bar, chord, "C-------", 52, 64);
        if (depth == 1) play_drums(song, drums, bar, {{LOW_FLOOR_TOM, "x.....o.x......."}, {SHAKER, "..o...o...o...o."}}, 76);
        if (depth == 2) play_drums(song, drums, bar, {{LOW_FLOOR_TOM, "X.....o.x...o.o."}, {HIGH_FLOOR_TOM, "....x.......x..."}, {SHAKER, "o.o.o.o.o.o.o.o."}}, 80);
    };

    int bar = 0;
    // The harp alone, like light through leaves.
    for (int i = 0; i < 2; ++i, ++bar) accompany(bar, i == 0 ? "Em" : "C", 0);
    play_tune(song, pipe, bar, verse_tune, 96);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, verse[i], i < 4 ? 0 : 1);
    play_tune(song, pipe, bar, verse_tune, 100);
    play_tune(song, clarinet, bar, verse_tune, 70, -12);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, verse[i], 1);
    // The tree's height: the choir sings the rising tune with the strings.
    play_tune(song, choir, bar, rise_tune, 92);
    play_tune(song, strings, bar, rise_tune, 70, -12);
    play_drums(song, drums, bar, {{CRASH, "o......."}}, 70);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, rise[i], 2);
    play_tune(song, pipe, bar, verse_end_tune, 104);
    play_tune(song, choir, bar, verse_end_tune, 64, -12);
    for (int i = 0; i < 8; ++i, ++bar) accompany(bar, verse_end[i], 2);
    play_pattern(song, harp, bar, "Em", "13581...", 52, 60);
    play_pattern(song, strings, bar, "Em", "C-------", 52, 60);
    play_pattern(song, bass, bar, "Em", "1-------", 28, 80);
    add_loop_pickup(song, bass, parse_pitch("b1"), parse_pitch("d#2"), drums, LOW_TOM);
    return song;
}

// Level complete: a short brass fanfare with a snare roll and a final crash.
Song level_complete_fanfare() {
    Song song{120, 4, {}};
    song.voices.reserve(5);
    Voice& trumpet = add_voice(song, "Trumpet", 0, TRUMPET, 112, 60, 60);
    Voice& brass = add_voice(song, "Brass", 1, BRASS, 100, 70, 60);
    Voice& trombone = add_voice(song, "Trombone", 2, TROMBONE, 100, 50, 60);
    Voice& timpani = add_voice(song, "Timpani", 3, TIMPANI, 110, 64, 50);
    Voice& drums = add_voice(song, "Drums", DRUM_CHANNEL, 0, 100, 64, 50);

    play_tune(song, trumpet, 0, "c5:1 e5:1 g5:1 c6:1 r:1 g5:1 c6:2 a5:2 f5:2 b5:2 d6:2 c6:8", 110);
    const char* chords[4] = {"C", "F|G", "C", "C"};
    for (int bar = 0; bar < 3; ++bar) {
        play_pattern(song, brass, bar, chords[bar], bar == 0 ? "....C.C-" : bar == 1 ? "C-C-C-C-" : "C-------", 60, 90);
        play_pattern(song, trombone, bar, chords[bar], bar == 2 ? "1-------" : "1...1.1-", 43, 96);
    }
    play_pattern(song, timpani, 2, "C", "1-------", 36, 110);
    play_drums(song, drums, 0, {{KICK, "x...x.x."}, {SNARE, "....x.x."}}, 90);
    play_drums(song, drums, 1, {{SNARE, "xxxxxxxxxxxxxXXX"}, {KICK, "x.x.x.x."}}, 84);
    play_drums(song, drums, 2, {{CRASH, "X......."}, {KICK, "X......."}}, 100);
    return song;
}

// Game over: a slow lament in D minor, strings and a horn over a tolling timpani, falling to a
// held minor chord; about six seconds.
Song game_over_lament() {
    Song song{66, 4, {}};
    song.voices.reserve(5);
    Voice& horn = add_voice(song, "Horn", 0, FRENCH_HORN, 96, 56, 80);
    Voice& strings = add_voice(song, "Strings", 1, SLOW_STRINGS, 90, 72, 100);
    Voice& bass = add_voice(song, "Bass", 2, CONTRABASS, 100, 64, 70);
    Voice& timpani = add_voice(song, "Timpani", 3, TIMPANI, 104, 64, 70);
    Voice& drums = add_voice(song, "Drums", DRUM_CHANNEL, 0, 80, 64, 80);

    play_tune(song, horn, 0, "a4:3 g4:1 f4:2 e4:2 d4:6 r:2", 92);
    const char* chords[2] = {"Dm|Gm", "Dm"};
    for (int bar = 0; bar < 2; ++bar) {
        play_pattern(song, strings, bar, chords[bar], bar == 0 ? "C---C---" : "C-------", 50, 70);
        play_pattern(song, bass, bar, chords[bar], bar == 0 ? "1---1---" : "1-------", 26, 90);
        play_pattern(song, timpani, bar, "Dm", bar == 0 ? "1...1..." : "1.......", 38, 100);
    }
    play_drums(song, drums, 1, {{CRASH, "o......."}}, 70);
    return song;
}

}  // namespace

void make_music(const std::string& dir) {
    auto save = [&](int GameState::*track, const Song& song, const char* title) {
        write_file(dir + "/" + music_file_name(track), midi_bytes(song, title));
    };
    save(&GameState::intro_track, title_theme(), "Quillmoor");
    save(&GameState::level1_track, meadow_theme(), "The Meadow");
    save(&GameState::level2_track, farm_fort_theme(), "The Farm Fort");
    save(&GameState::level3_track, great_tree_theme(), "The Great Tree");
    save(&GameState::level_complete_track, level_complete_fanfare(), "Level Complete");
    save(&GameState::game_over_track, game_over_lament(), "Game Over");
}

}  // namespace art
