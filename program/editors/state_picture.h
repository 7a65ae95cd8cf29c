#pragma once
// The eight pictures of the signal-state codes the editor sets, drawn by our own
// painter: plain squares for the steady states, stripes for the flashing ones.

#include <QColor>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace program::editors {

// The eight codes in picture order: 0, 1, 2, 3, 4, 9, 10, 12.
inline constexpr int kStatePictureCount = 8;

// Picture number 0-7 of a code, or -1 for a code without a picture.
int StatePictureIndex(int code);

// Draws the picture of the code as a square centred in `cell`; a code without a
// picture draws nothing.
void PaintStatePicture(QPainter& painter, const QRect& cell, int code);

// The picture as a pixmap of the given side, for labels and buttons.
QPixmap StatePicturePixmap(int code, int side);

// The main colour of a picture: black, red, yellow, red (over yellow), green, and the
// stripe colour of the flashing codes; invalid for a code without a picture.
QColor StatePictureColour(int code);

}  // namespace program::editors
