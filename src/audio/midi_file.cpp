// Reading a Standard MIDI File far enough to know how long it plays: chunk walk, event walk
// with running status, and the tempo map.
#include "audio/midi_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/byte_reader.h"

namespace {

constexpr uint32_t DEFAULT_TEMPO = 500000;  // microseconds per quarter note (120 beats a minute)

struct TempoChange {
    uint64_t tick;
    uint32_t micros_per_quarter;
};

bool fail(const char** fault, const char* why) {
    *fault = why;
    return false;
}

// A variable-length quantity of at most four bytes.
bool read_var(const uint8_t*& p, const uint8_t* end, uint32_t* value) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= end) return false;
        const uint8_t b = *p++;
        v = v << 7 | (b & 0x7F);
        if (!(b & 0x80)) {
            *value = v;
            return true;
        }
    }
    return false;
}

// Which channels play notes, the programs each is changed to, and anything the synthesiser's
// chorus could hear of, across all the file's tracks.
struct ChannelUse {
    bool plays_notes[16] = {};
    uint64_t changed_to[16][2] = {};
    bool opaque = false;
};

constexpr uint8_t CONTROL_BANK_SELECT = 0;
constexpr uint8_t CONTROL_BANK_SELECT_LOW = 32;
constexpr uint8_t CONTROL_CHORUS_DEPTH = 93;
constexpr uint8_t CONTROL_NRPN_LOW = 98;
constexpr uint8_t CONTROL_NRPN_HIGH = 99;

void note_channel_event(uint8_t status, const uint8_t* data, size_t count, ChannelUse* use) {
    const int channel = status & 0x0F;
    // A data byte with its top bit set is read differently by other players: no telling what it chooses.
    if ((data[0] | (count > 1 ? data[1] : 0)) & 0x80) {
        use->opaque = true;
        return;
    }
    switch (status & 0xF0) {
        case 0x90:
            if (data[1] > 0) use->plays_notes[channel] = true;
            break;
        case 0xC0:
            use->changed_to[channel][data[0] >> 6 & 1] |= uint64_t{1} << (data[0] & 63);
            break;
        case 0xB0:
            if (data[0] == CONTROL_BANK_SELECT || data[0] == CONTROL_BANK_SELECT_LOW || data[0] == CONTROL_NRPN_LOW ||
                data[0] == CONTROL_NRPN_HIGH || (data[0] == CONTROL_CHORUS_DEPTH && data[1] > 0))
                use->opaque = true;
            break;
        default:
            break;
    }
}

// Walks one track's events; notes its last tick, every tempo change and, when asked, what
// its channel events choose.
bool walk_track(const uint8_t* p, const uint8_t* end, uint64_t* last_tick, std::vector<TempoChange>* tempos,
                ChannelUse* use, const char** fault) {
    uint64_t tick = 0;
    uint8_t running = 0;
    while (p < end) {
        uint32_t delta;
        if (!read_var(p, end, &delta)) return fail(fault, "an event's time runs past its track");
        tick += delta;
        if (p >= end) return fail(fault, "a track ends inside an event");
        uint8_t status = *p;
        if (status & 0x80) {
            ++p;
        } else {
            if (!running) return fail(fault, "a data byte with no status before it");
            status = running;
        }
        if (status == 0xFF) {
            if (p >= end) return fail(fault, "a meta event runs past its track");
            const uint8_t type = *p++;
            uint32_t length;
            if (!read_var(p, end, &length) || length > static_cast<size_t>(end - p))
                return fail(fault, "a meta event runs past its track");
            if (type == 0x51 && length == 3)
                tempos->push_back({tick, static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2])});
            p += length;
            if (type == 0x2F) break;  // end of track
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t length;
            if (!read_var(p, end, &length) || length > static_cast<size_t>(end - p))
                return fail(fault, "a system-exclusive event runs past its track");
            if (use) use->opaque = true;
            p += length;
        } else if (status >= 0xF0) {
            return fail(fault, "an event that does not belong in a file");
        } else {
            running = status;
            const size_t data = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            if (data > static_cast<size_t>(end - p)) return fail(fault, "a channel event runs past its track");
            if (use) note_channel_event(status, p, data, use);
            p += data;
        }
        *last_tick = std::max(*last_tick, tick);
    }
    return true;
}

}  // namespace

bool midi_duration_ms(const uint8_t* bytes, size_t size, uint32_t* duration_ms, const char** fault,
                      platform::TrackPrograms* programs) {
    if (size < 14 || std::memcmp(bytes, "MThd", 4) != 0) return fail(fault, "not a Standard MIDI File");
    const uint32_t header_size = read_be32(bytes + 4);
    if (header_size < 6 || header_size > size - 8) return fail(fault, "header chunk size makes no sense");
    const uint16_t track_count = read_be16(bytes + 10);
    const uint16_t division = read_be16(bytes + 12);
    if (track_count == 0) return fail(fault, "no tracks");
    if (division == 0) return fail(fault, "time division is zero");

    uint64_t last_tick = 0;
    std::vector<TempoChange> tempos;
    ChannelUse use;
    int tracks_seen = 0;
    size_t pos = 8 + static_cast<size_t>(header_size);
    while (pos + 8 <= size && tracks_seen < track_count) {
        const uint32_t chunk_size = read_be32(bytes + pos + 4);
        if (chunk_size > size - (pos + 8)) return fail(fault, "a track chunk runs past the end of the file");
        // Chunks of other kinds are skipped, as the format asks.
        if (std::memcmp(bytes + pos, "MTrk", 4) == 0) {
            if (!walk_track(bytes + pos + 8, bytes + pos + 8 + chunk_size, &last_tick, &tempos,
                            programs ? &use : nullptr, fault))
                return false;
            ++tracks_seen;
        }
        pos += 8 + static_cast<size_t>(chunk_size);
    }
    if (tracks_seen == 0) return fail(fault, "no track chunk");

    double ms = 0;
    if (division & 0x8000) {
        // Time code division: frames per second (stored negative) times ticks per frame.
        const int frames = -static_cast<int8_t>(division >> 8);
        const int per_frame = division & 0xFF;
        if (frames <= 0 || per_frame == 0) return fail(fault, "time division makes no sense");
        ms = 1000.0 * static_cast<double>(last_tick) / (frames * per_frame);
    } else {
        std::stable_sort(tempos.begin(), tempos.end(),
                         [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
        uint64_t tick = 0;
        uint32_t tempo = DEFAULT_TEMPO;
        for (const TempoChange& change : tempos) {
            if (change.tick >= last_tick) break;
            ms += static_cast<double>(change.tick - tick) * tempo / division / 1000.0;
            tick = change.tick;
            tempo = change.micros_per_quarter;
        }
        ms += static_cast<double>(last_tick - tick) * tempo / division / 1000.0;
    }
    *duration_ms = static_cast<uint32_t>(std::min(ms, 4.0e9));
    if (programs) {
        // Tracks play side by side, so a channel may sound any program it is ever changed to.
        *programs = {};
        programs->opaque = use.opaque;
        for (int c = 0; c < 16; ++c) {
            if (!use.plays_notes[c]) continue;
            programs->programs[c][0] = use.changed_to[c][0] | 1;
            programs->programs[c][1] = use.changed_to[c][1];
        }
    }
    return true;
}
