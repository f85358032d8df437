#pragma once
// Pictures compiled into the program (library marvok_embedded). The files are
// drawn by the asset generator at build time; these are their resource paths.
#include <QCursor>
#include <QIcon>
#include <QPoint>

namespace assets {

inline constexpr const char *kSplash = ":/embedded/splash.jpg";           // 412 x 230 JPEG
inline constexpr const char *kSystemStart = ":/embedded/systemstart.jpg"; // 396 x 150 JPEG
inline constexpr const char *kButtonPlay = ":/embedded/play.png";         // 30 x 30 glyphs with alpha
inline constexpr const char *kButtonPause = ":/embedded/pause.png";
inline constexpr const char *kButtonStop = ":/embedded/stop.png";
inline constexpr const char *kButtonPrevious = ":/embedded/previous.png";
inline constexpr const char *kButtonNext = ":/embedded/next.png";
inline constexpr const char *kCursor1 = ":/embedded/cursor1.png"; // 32 x 32, black/white/transparent
inline constexpr QPoint kCursor1HotSpot{1, 1};

// The main window's icon in all generated sizes (16 to 256 pixels).
QIcon WindowIcon();
// The sound and system window's own icon (16 and 32 pixels).
QIcon SystemWindowIcon();
// The pointer "CURSOR1" with its hot spot. Needs a QGuiApplication.
QCursor GameCursor();

} // namespace assets
