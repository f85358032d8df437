#pragma once
// Shared types of the packet-socket library.
#include <functional>

#include "platform/net/CustomWinSocket.h"

namespace Zev {

// Called once per whole packet. data points at the payload, valid only during
// the call; size is the payload's length (0 or more). The client passes its
// connection socket as Sender; the server passes itself, with Socket the
// connection the packet came from.
using TPacketArrivedEvent = std::function<void(platform::TObject *Sender, platform::TCustomWinSocket *Socket,
                                               const void *data, int size)>;

// Largest length word accepted (header included). The game's packets are under
// 20 bytes; the cap keeps a peer from making the read buffer grow without bound.
inline constexpr int MaxPacketLength = 1 << 20;

// Smallest length word: the header alone.
inline constexpr int PacketHeaderSize = 4;

inline const char *const PacketSizeReadErrorText = "パケットサイズの読み取りに失敗しました.";
inline const char *const PacketAlreadyOpenText = "既にパケット書き込み中です.";
inline const char *const PacketNotOpenText = "パケット書き込み中ではありません.";
// A size that cannot make a packet: negative, or above MaxPacketLength.
inline const char *const PacketSizeInvalidText = "パケットサイズが不正です.";

} // namespace Zev
