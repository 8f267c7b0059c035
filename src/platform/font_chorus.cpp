// Reads a SoundFont's preset tables far enough to know which presets can reach the chorus: a
// zone's chorus-send generator, or a modulator aimed at it that is not the chorus depth
// controller (which stays at zero unless a track raises it).
#include "platform/font_chorus.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/byte_reader.h"

namespace platform {
namespace {

constexpr uint16_t GEN_CHORUS_SEND = 15;
constexpr uint16_t GEN_INSTRUMENT = 41;
// A modulator's source: controller 93 (chorus depth), unipolar and rising, so zero at zero
// whatever its curve.
constexpr uint16_t SOURCE_CHORUS_DEPTH = 0x00DD;
constexpr uint16_t SOURCE_KIND_MASK = 0x03FF;
constexpr uint16_t DRUM_BANK = 128;
constexpr size_t PDTA_LIMIT = 64u << 20;  // far more than any General MIDI font's preset tables

bool fail(const char** fault, const char* why) {
    *fault = why;
    return false;
}

// One of the nine tables: its records, each `width` bytes.
struct Table {
    const uint8_t* at = nullptr;
    size_t count = 0;
    size_t width = 0;
    const uint8_t* record(size_t i) const { return at + i * width; }
};

struct Tables {
    Table phdr{nullptr, 0, 38}, pbag{nullptr, 0, 4}, pmod{nullptr, 0, 10}, pgen{nullptr, 0, 4};
    Table inst{nullptr, 0, 22}, ibag{nullptr, 0, 4}, imod{nullptr, 0, 10}, igen{nullptr, 0, 4};
};

Table* table_named(Tables& t, const uint8_t* id) {
    const struct {
        const char* name;
        Table* table;
    } names[] = {{"phdr", &t.phdr}, {"pbag", &t.pbag}, {"pmod", &t.pmod}, {"pgen", &t.pgen},
                 {"inst", &t.inst}, {"ibag", &t.ibag}, {"imod", &t.imod}, {"igen", &t.igen}};
    for (const auto& n : names)
        if (std::memcmp(id, n.name, 4) == 0) return n.table;
    return nullptr;
}

bool modulator_sends(const uint8_t* m) {
    const uint16_t source = read_le16(m);
    const uint16_t destination = read_le16(m + 2);
    const auto amount = static_cast<int16_t>(read_le16(m + 4));
    if (amount == 0) return false;
    // A link into another modulator could end at the chorus: counted as sending.
    if (destination & 0x8000) return true;
    return destination == GEN_CHORUS_SEND && (source & SOURCE_KIND_MASK) != SOURCE_CHORUS_DEPTH;
}

// Whether any zone in bags [first, last) sends to the chorus; `instrument_sends` answers for
// the instruments a preset zone names (null for an instrument's own zones).
bool zones_send(const Table& bags, const Table& gens, const Table& mods, size_t first, size_t last,
                const std::vector<bool>* instrument_sends, bool* sends, const char** fault) {
    if (first > last || last >= bags.count) return fail(fault, "a zone index points outside its table");
    for (size_t b = first; b < last; ++b) {
        const size_t gen_first = read_le16(bags.record(b)), gen_last = read_le16(bags.record(b + 1));
        const size_t mod_first = read_le16(bags.record(b) + 2), mod_last = read_le16(bags.record(b + 1) + 2);
        if (gen_first > gen_last || gen_last > gens.count || mod_first > mod_last || mod_last > mods.count)
            return fail(fault, "a generator or modulator index points outside its table");
        for (size_t g = gen_first; g < gen_last; ++g) {
            const uint16_t kind = read_le16(gens.record(g));
            const uint16_t amount = read_le16(gens.record(g) + 2);
            if (kind == GEN_CHORUS_SEND && amount != 0) *sends = true;
            if (kind == GEN_INSTRUMENT && instrument_sends) {
                if (amount >= instrument_sends->size()) return fail(fault, "a preset names an instrument that is not there");
                if ((*instrument_sends)[amount]) *sends = true;
            }
        }
        for (size_t m = mod_first; m < mod_last; ++m)
            if (modulator_sends(mods.record(m))) *sends = true;
    }
    return true;
}

}  // namespace

bool read_font_chorus(const uint8_t* pdta, size_t size, FontChorus* font, const char** fault) {
    *font = {};
    Tables t;
    for (size_t at = 0; at + 8 <= size;) {
        const uint32_t length = read_le32(pdta + at + 4);
        if (length > size - at - 8) return fail(fault, "a preset table runs past its list");
        if (Table* table = table_named(t, pdta + at)) {
            if (length % table->width != 0) return fail(fault, "a preset table is not whole records");
            table->at = pdta + at + 8;
            table->count = length / table->width;
        }
        at += 8 + static_cast<size_t>(length) + (length & 1);
    }
    // Each of the bag and header tables ends with a closing record.
    if (t.phdr.count < 2 || t.pbag.count < 1 || t.pgen.count < 1 || t.pmod.count < 1 || t.inst.count < 1 ||
        t.ibag.count < 1 || t.igen.count < 1 || t.imod.count < 1)
        return fail(fault, "a preset table is missing or empty");

    std::vector<bool> instrument_sends(t.inst.count - 1);
    for (size_t i = 0; i + 1 < t.inst.count; ++i) {
        bool sends = false;
        if (!zones_send(t.ibag, t.igen, t.imod, read_le16(t.inst.record(i) + 20), read_le16(t.inst.record(i + 1) + 20), nullptr,
                        &sends, fault))
            return false;
        instrument_sends[i] = sends;
    }
    for (size_t p = 0; p + 1 < t.phdr.count; ++p) {
        const uint8_t* header = t.phdr.record(p);
        bool sends = false;
        if (!zones_send(t.pbag, t.pgen, t.pmod, read_le16(header + 24), read_le16(t.phdr.record(p + 1) + 24), &instrument_sends,
                        &sends, fault))
            return false;
        const uint16_t program = read_le16(header + 20), bank = read_le16(header + 22);
        if (program > 127 || (bank != 0 && bank != DRUM_BANK)) continue;
        const int b = bank == DRUM_BANK ? 1 : 0;
        const uint64_t bit = uint64_t{1} << (program & 63);
        font->present[b][program >> 6] |= bit;
        if (sends) font->sends[b][program >> 6] |= bit;
    }
    font->read = true;
    return true;
}

bool load_font_chorus(const char* path, FontChorus* font, const char** fault) {
    *font = {};
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return fail(fault, "cannot be opened");
    bool ok = false;
    uint8_t header[12];
    if (std::fread(header, 1, 12, file) != 12 || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "sfbk", 4) != 0) {
        fail(fault, "not a SoundFont");
    } else {
        // Top-level chunks, the sample data among them, are skipped unread up to the preset list.
        fail(fault, "no preset list");
        uint8_t chunk[12];
        while (std::fread(chunk, 1, 8, file) == 8) {
            const uint32_t length = read_le32(chunk + 4);
            if (std::memcmp(chunk, "LIST", 4) == 0 && length >= 4 && std::fread(chunk + 8, 1, 4, file) == 4 &&
                std::memcmp(chunk + 8, "pdta", 4) == 0) {
                if (length - 4 > PDTA_LIMIT) {
                    fail(fault, "a preset list too large to be one");
                    break;
                }
                std::vector<uint8_t> body(length - 4);
                if (std::fread(body.data(), 1, body.size(), file) != body.size()) {
                    fail(fault, "the file ends inside its preset list");
                    break;
                }
                ok = read_font_chorus(body.data(), body.size(), font, fault);
                break;
            }
            const long skip = static_cast<long>(length) + (length & 1) - (std::memcmp(chunk, "LIST", 4) == 0 && length >= 4 ? 4 : 0);
            if (std::fseek(file, skip, SEEK_CUR) != 0) break;
        }
    }
    std::fclose(file);
    return ok;
}

bool track_sends_chorus(const FontChorus& font, const TrackPrograms& track) {
    if (!font.read || track.opaque) return true;
    constexpr int DRUM_CHANNEL = 9;
    for (int channel = 0; channel < 16; ++channel) {
        const int bank = channel == DRUM_CHANNEL ? 1 : 0;
        for (int half = 0; half < 2; ++half) {
            const uint64_t played = track.programs[channel][half];
            // A program the font lacks is played by some stand-in the synthesiser picks: unknown.
            if (played & ~font.present[bank][half]) return true;
            if (played & font.sends[bank][half]) return true;
        }
    }
    return false;
}

}  // namespace platform
