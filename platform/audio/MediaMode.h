#pragma once
// The states a music device reports, as the window's repeat logic asks for them.

namespace platform::audio {

enum class MediaMode {
  NotReady, // no device open: never counts as stopped
  Open,     // opened, not played yet
  Stopped,  // the piece ended, or Stop was called
  Playing,
  Paused,
};

} // namespace platform::audio
