#pragma once
// The colours of the game's look: a dark sonar room lit in cyan, with one
// signal colour per kind of mark.
#include <QColor>

namespace assetgen::palette {

inline QColor Void() { return QColor(3, 7, 14); }        // the darkest background
inline QColor Plate() { return QColor(14, 34, 54); }     // inside a field cell: tiles' corners match it
inline QColor CellEdge() { return QColor(34, 82, 108); } // lines between field cells
inline QColor Cyan() { return QColor(63, 208, 255); }    // the interface's light

// Marks: each outcome has its own hue so the field reads at a glance.
inline QColor Slate() { return QColor(70, 104, 134); }  // the player's "nothing"
inline QColor Amber() { return QColor(255, 170, 30); }  // reaction
inline QColor Green() { return QColor(50, 230, 130); }  // the player's Marvok
inline QColor Red() { return QColor(235, 45, 40); }     // destroyed / hit
inline QColor Violet() { return QColor(150, 90, 230); } // the opponent's "nothing"

} // namespace assetgen::palette
