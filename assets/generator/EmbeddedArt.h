#pragma once
// Pictures compiled into the program: splash, start picture, button glyphs,
// icons and the pointer.
#include <QImage>

namespace assetgen {

QImage Splash();      // 412 x 230
QImage SystemStart(); // 396 x 150

enum class Glyph { Play, Pause, Stop, Previous, Next };
QImage ButtonGlyph(Glyph glyph); // 30 x 30 with alpha

QImage GameIcon(int size);   // the main window's icon
QImage SystemIcon(int size); // the sound and system window's icon

// "CURSOR1": 32 x 32, only opaque black, opaque white and transparent pixels;
// the arrow's tip is at the hot spot (1, 1).
QImage Pointer();

} // namespace assetgen
