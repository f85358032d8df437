#include "assets/generator/Preview.h"

#include "assets/generator/Background.h"
#include "assets/generator/Hud.h"
#include "assets/generator/Layout.h"
#include "assets/generator/Paint.h"
#include "assets/generator/Portraits.h"
#include "assets/generator/Tiles.h"

namespace assetgen {

QImage MainWindowPreview() {
  using namespace layout;
  QImage window = MainBackground().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter p;
  Begin(p, window);
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c) {
      if (!CellShown(r, c))
        continue;
      Tile tile = Tile::Blank;
      if ((r == 3 && c == 4) || (r == 7 && c == 7) || (r == 8 && c == 3))
        tile = Tile::OwnPiece;
      else if (r == 5 && c == 6)
        tile = Tile::DestroyedOpponent;
      else if ((r >= 4 && r <= 6 && c >= 5 && c <= 7 && r - c >= -2 && r - c <= 0))
        tile = Tile::Reaction;
      else if (r >= 8 && c >= 7)
        tile = Tile::OwnNothing;
      else if (r == 2 && c >= 6)
        tile = Tile::OpponentNothing;
      p.drawImage(CellLeft(r, c), CellTop(r, c), DrawTile(tile));
    }
  p.drawImage(CellLeft(9, 6), CellTop(9, 6), DrawTile(Tile::Hit));
  p.drawImage(kOwnPortrait.topLeft(), PlayerPortrait(Expression::Normal));
  p.drawImage(kOpponentPortrait.topLeft(), RobotPortrait(Expression::Hurt));
  p.drawImage(QRect(kOwnLife.left(), kOwnLife.top(), LifeWidth(5), kOwnLife.height()), LifeBar());
  p.drawImage(QRect(kOpponentLife.left(), kOpponentLife.top(), LifeWidth(2), kOpponentLife.height()),
              LifeBar());
  p.drawImage(kDanger.topLeft(), DangerStrip().copy(0, 0, 93, 20));
  p.setFont(PixelFont(kSans, 48));
  p.setPen(Qt::white);
  p.drawText(kCountdown, Qt::AlignHCenter | Qt::AlignTop, "147");
  p.setFont(PixelFont(kJapanese, 21, true));
  p.drawText(kMessage, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             QString::fromUtf8("警告！敵Marvokの反応をキャッチ、近くにあります。"));
  p.setFont(PixelFont(kSans, 27, true));
  p.setPen(QColor(64, 64, 66));
  p.drawText(kScoreOwn, Qt::AlignRight | Qt::AlignTop, "2");
  p.drawText(kScoreOpponent, Qt::AlignRight | Qt::AlignTop, "1");
  return window;
}

} // namespace assetgen
