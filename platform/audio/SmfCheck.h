#pragma once
// A structural check of a Standard MIDI File before it is handed to the synthesizer, which would
// otherwise accept a truncated file and fail silently at play time.
#include <cstddef>
#include <span>

namespace platform::audio {

// True when the bytes hold an "MThd" header (format 0 to 2, a non-zero division) followed by at
// least as many "MTrk" chunks as the header announces, every chunk within the data.
bool IsWellFormedSmf(std::span<const std::byte> data);

} // namespace platform::audio
