#include "game/MatchMessages.h"

#include <utility>

#include "game/MatchKeywords.h"

namespace game {

namespace {

// Both roles send the same pair; only the host puts its keyword before it.
MatchMessage AnnouncedMove(bool fromHost, std::string column, std::string row) {
  if (fromHost)
    return {kHostMovingText, std::move(column), std::move(row)};
  return {std::move(column), std::move(row)};
}

} // namespace

std::string FieldText(int number) { return std::to_string(number); }

MatchMessage MoveMessage(bool fromHost, int row, int column) {
  return AnnouncedMove(fromHost, FieldText(column), FieldText(row));
}

MatchMessage PassMessage(bool fromHost) { return AnnouncedMove(fromHost, kPassText, kPassText); }

MatchMessage DeploymentMessage(const std::array<PiecePosition, 5 + 1> &positions) {
  MatchMessage texts;
  for (std::size_t k = 1; k < positions.size(); ++k) {
    texts.push_back(FieldText(positions[k].column));
    texts.push_back(FieldText(positions[k].row));
  }
  return texts;
}

MatchMessage GuestDeployingMessage() { return {kGuestDeployingText}; }

MatchMessage RematchMessage() { return {kRematchText}; }

MatchMessage DisconnectMessage() { return {kDisconnectText}; }

} // namespace game
