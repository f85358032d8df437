#pragma once
// The main window's indicators: life bar, danger indicator, game-over banner.
#include <QImage>
#include <QRgb>

namespace assetgen {

// "Life1.bmp": drawn at 164 x 20 and shown stretched to narrower widths, so it
// varies only vertically apart from its rounded ends.
QImage LifeBar();

// "Danger1.bmp": seven 93 x 20 frames at y 0, 20, ..., 120. y 0 is the
// brightest; each next frame is dimmer; y 120 is dark (off). Shown in the
// order 100, 80, ..., 0, 120, 0, 120, 0, 20, ..., 100, 120 it pulses.
QImage DangerStrip();
// "Danger2.bmp": the indicator at rest.
QImage DangerRest();

// "GameOver.bmp": shown with its bottom-left colour see-through.
inline constexpr QRgb kGameOverKey = 0xFF000000u; // opaque black
QImage GameOverBanner();

} // namespace assetgen
