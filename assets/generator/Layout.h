#pragma once
// Where the main window puts its pictures and labels; the background is drawn
// to fit them.
#include <QPointF>
#include <QRect>

namespace assetgen::layout {

inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 480;
inline constexpr int kTileWidth = 20;
inline constexpr int kTileHeight = 21;

// Top-left of the cell picture of (r, c), r and c in 1..10.
inline constexpr int CellLeft(int r, int c) { return 310 + 32 * (c - r); }
inline constexpr int CellTop(int r, int c) { return 62 + 16 * (c + r); }
inline QPointF CellCentre(int r, int c) {
  return QPointF(CellLeft(r, c) + kTileWidth / 2.0, CellTop(r, c) + kTileHeight / 2.0);
}
// The four corner cells are never shown.
inline constexpr bool CellShown(int r, int c) { return !((r == 1 || r == 10) && (c == 1 || c == 10)); }

// A field cell on the background is the hexagon around its picture: the six
// cells nearest on screen are exactly the six neighbours of the search rule.
inline constexpr double kHexHalfWidth = 20.0;
inline constexpr double kHexHalfHeight = 16.0;
inline constexpr double kHexFlatHalf = 12.0;

inline constexpr QRect kOwnPortrait{7, 86, 143, 104};
inline constexpr QRect kOpponentPortrait{490, 86, 143, 104};
inline constexpr QRect kOwnLife{10, 356, 164, 20};
inline constexpr QRect kOpponentLife{467, 356, 164, 20};
inline constexpr QRect kDanger{8, 332, 93, 20};
inline constexpr QRect kCountdown{285, 20, 72, 48};
inline constexpr QRect kMessage{20, 417, 580, 50};
inline constexpr QRect kScoreOwn{456, 10, 177, 44};
inline constexpr QRect kScoreOpponent{456, 40, 177, 33};
inline constexpr QRect kGameOver{20, 200, 640, 105};

// Face frames are pasted into the portraits at these places.
inline constexpr QRect kOwnFace{50, 45, 60, 45};
inline constexpr QRect kOpponentFace{33, 46, 65, 50};
inline constexpr int kPortraitWidth = 143;
inline constexpr int kPortraitHeight = 104;

// The life bar's width is 4 + 32 per Marvok left.
inline constexpr int LifeWidth(int left) { return 4 + 32 * left; }

} // namespace assetgen::layout
