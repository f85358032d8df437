#pragma once
// The 20 x 21 cell pictures: the tile sheet and the single marks.
#include <QImage>

namespace assetgen {

enum class Tile {
  Blank,             // an untouched cell
  OwnNothing,        // the player's search found nothing
  Reaction,          // a search got a reaction
  OwnPiece,          // the player's live Marvok
  DestroyedOpponent, // an opponent Marvok the player destroyed
  OpponentNothing,   // the opponent's search found nothing
  Hit,               // the moment of a hit
  Standby,           // before the first game
};

// One cell picture. fresh: the brighter look of a mark just made by a search.
QImage DrawTile(Tile tile, bool fresh = false);

// "Mark00.bmp": the six tiles in two rows of three.
QImage TileSheet();

} // namespace assetgen
