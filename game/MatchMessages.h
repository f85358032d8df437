#pragma once
// Every message this side sends in a match, put together here and nowhere
// else: each is the list of its texts, one packet each, in sending order.
// The receiver (network/MatchReceiver.cpp, with network/MatchTexts.h) is the
// other half: what is built here is read back there.
#include <array>
#include <string>
#include <vector>

#include "game/GameState.h"

namespace game {

using MatchMessage = std::vector<std::string>;

// A field coordinate as it travels: its plain decimal text, "1" to "10".
// Read back by network::FieldNumber.
std::string FieldText(int number);

// The player's search of cell (row, column). On the wire the column goes
// first, then the row. The host announces each of its moves with its keyword
// first, which is what brings the guest into the move exchange. Read back by
// NetworkMatch::ReceiveMoveText.
MatchMessage MoveMessage(bool fromHost, int row, int column);
// The turn ran out: a move of kPassText as column and row, announced alike.
// Read back by NetworkMatch::ApplyPeerSearchMove as no search.
MatchMessage PassMessage(bool fromHost);

// The five Marvok in placing order, column before row, from entries 1..5.
// Read back by NetworkMatch::ReceiveDeploymentText.
MatchMessage DeploymentMessage(const std::array<PiecePosition, 5 + 1> &positions);
// The guest has begun its deployment: the host gets ready to receive it.
MatchMessage GuestDeployingMessage();
// The loser wants the next game of the match (NetworkMatch::RematchSteps).
MatchMessage RematchMessage();
// This side ends the match (NetworkMatch::DisconnectSteps, on both sides).
MatchMessage DisconnectMessage();

} // namespace game
