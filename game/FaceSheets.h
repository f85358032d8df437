#pragma once
// The portraits' face sheets: where each sheet's frames lie, how large they
// are and where a frame goes in its portrait (and in the portrait's work
// picture), and the life bars' widths.
#include "game/MainWindowOps.h"
#include "platform/core/Bitmap.h"

namespace game {

struct SheetPoint {
  int x = 0;
  int y = 0;
};

struct FaceSheet {
  Picture sheet;
  Picture portrait;
  Picture work; // the portrait's wipe source
  int width;
  int height;
  SheetPoint place;                    // where a frame goes in the portrait
  SheetPoint f1, f2, f3, hurtA, hurtB; // the animation's frames
  SheetPoint decided;                  // the face of a won game
  SheetPoint beaten;                   // the face of a lost game
};

inline constexpr FaceSheet kPlayerFaces{Picture::N_ImaCast2,
                                        Picture::N_ImaFace1,
                                        Picture::N_ImaWork2,
                                        60,
                                        45,
                                        {50, 45},
                                        {0, 0},
                                        {0, 45},
                                        {60, 45},
                                        {120, 45},
                                        {120, 0},
                                        {60, 0},
                                        {120, 45}};
inline constexpr FaceSheet kOpponentFaces{Picture::N_ImaCast4,
                                          Picture::N_ImaFace2,
                                          Picture::N_ImaWork1,
                                          65,
                                          50,
                                          {33, 46},
                                          {0, 0},
                                          {0, 50},
                                          {65, 50},
                                          {130, 50},
                                          {130, 0},
                                          {65, 0},
                                          {130, 50}};

// Copies the frame at `frame` of the sheet to its place in `target` (the
// portrait or its work picture). The copier refreshes.
inline void PasteFace(MainWindowOps &ui, const FaceSheet &faces, SheetPoint frame, Picture target) {
  platform::BitBlt(ui.Canvas(target), faces.place.x, faces.place.y, faces.width, faces.height,
                   ui.Canvas(faces.sheet), frame.x, frame.y);
}

// Pastes a frame into the portrait's work picture and into the portrait
// itself, and shows it at once.
inline void PasteFaceNow(MainWindowOps &ui, const FaceSheet &faces, SheetPoint frame) {
  PasteFace(ui, faces, frame, faces.work);
  PasteFace(ui, faces, frame, faces.portrait);
  ui.Refresh(faces.portrait);
}

// A life bar is 4 pixels plus 32 for each Marvok left: 164 with all five.
constexpr int LifeBarWidth(int piecesLeft) { return 4 + 32 * piecesLeft; }

} // namespace game
