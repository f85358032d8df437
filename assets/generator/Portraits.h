#pragma once
// The 143 x 104 portraits, their face frames and the three network cards.
#include <QImage>
#include <QRect>

namespace assetgen {

// What a face shows. Each portrait is drawn whole for each expression; only
// the face region differs, so a face frame pasted into the portrait matches
// it pixel for pixel at its edges.
enum class Expression { Normal, Blink, Glance, Won, Hurt, Defeated };

QImage PlayerPortrait(Expression expression); // "Cast1.bmp"; face at (50,45) 60 x 45
QImage RobotPortrait(Expression expression);  // "Cast2.bmp"; face at (33,46) 65 x 50
QImage RivalPortrait(Expression expression);  // "Cast3.bmp"; face at (33,46) 65 x 50

QImage ConnectingCard();   // "Cast0.bmp": static while a link comes up
QImage ConnectedCard();    // "Cast4.bmp": the link is up, a rival is coming in
QImage DisconnectedCard(); // "Cast5.bmp": the link is gone

// A 3 x 2 sheet of face frames cut from the portraits at face:
// row 0: Normal, Won, Hurt; row 1: Blink, Glance, Defeated.
QImage FaceSheet(QImage (*portrait)(Expression), const QRect &face);

} // namespace assetgen
