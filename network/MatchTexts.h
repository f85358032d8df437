#pragma once
// The match's texts as they travel: one NUL-terminated ASCII text per packet,
// numbers in plain decimal. The reading half of game/MatchMessages.h, which
// builds them; everything here reads untrusted peer input.
#include <optional>
#include <string>
#include <string_view>

namespace network {

// No text of the match is longer than this; a longer one is kept cut to this
// length, which still matches no keyword and no number.
inline constexpr std::size_t kMaxTextLength = 16;

// The packet's text: its bytes up to the first NUL, never past size (a payload
// without a NUL is taken whole), cut to kMaxTextLength.
std::string PacketText(const void *data, int size);

// A field coordinate exactly as game::FieldText writes it: "1" to "10".
// Anything else ("0", "05", " 5", "-1", "11", "") names no cell.
std::optional<int> FieldNumber(std::string_view text);

// A TCP port typed by the user: decimal digits only, 0 to 65535; spaces around
// it are ignored.
std::optional<int> PortNumber(std::string_view text);

} // namespace network
