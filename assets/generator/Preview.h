#pragma once
#include <QImage>

namespace assetgen {

// The main window as it would look mid-game, assembled from the generated
// pictures: for checking the look by eye.
QImage MainWindowPreview();

} // namespace assetgen
