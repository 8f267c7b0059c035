// Reading a Standard MIDI File far enough to know how long it plays.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/audio.h"

// Walks every track's events with the file's tempo changes and gives the time, in milliseconds,
// from the start to the last event. False with `fault` set when the file is not a Standard
// MIDI File or its chunks or events run past their ends. With `programs`, also notes what the
// file asks of the synthesiser beyond its notes.
bool midi_duration_ms(const uint8_t* bytes, size_t size, uint32_t* duration_ms, const char** fault,
                      platform::TrackPrograms* programs = nullptr);
