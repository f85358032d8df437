#pragma once
// The cell tiles of the tile sheet N_ImaMark1: 20 x 21 pixel blocks in two
// rows of three, copied onto the cell pictures by the board views.
namespace game {

struct Tile {
  int x = 0;
  int y = 0;
};

inline constexpr int kTileWidth = 20;
inline constexpr int kTileHeight = 21;

inline constexpr Tile BlankTile{0, 0};
inline constexpr Tile OwnNothingTile{20, 0};
inline constexpr Tile ReactionTile{40, 0};
inline constexpr Tile OwnPieceTile{0, 21};
inline constexpr Tile DestroyedOpponentTile{20, 21};
inline constexpr Tile OpponentNothingTile{40, 21};

} // namespace game
