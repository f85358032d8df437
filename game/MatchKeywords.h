#pragma once
// The match's keyword texts, sent by the game and read by the network match:
// one name each keeps sender and receiver in step.
namespace game {

inline constexpr char kDisconnectText[] = "setudan";       // end the match
inline constexpr char kRematchText[] = "New";              // start the next game of the match
inline constexpr char kGuestDeployingText[] = "Condition"; // the host gets ready for the guest's deployment
inline constexpr char kHostMovingText[] = "Condit11";      // a search point or a pass of the host's follows
inline constexpr char kPassText[] = "0";                   // as both column and row: the turn ran out

} // namespace game
