#pragma once

#include <QColor>
#include <QPixmap>

namespace kirivane {

// Pictures of the main window's picture buttons, drawn here rather than stored: the exit
// button (112 normal, 113 hover, 114 pressed) and the sound reset button (109, 110, 111).
// size is the button's size in pixels. Any other number gives an empty picture.
QPixmap ButtonPicture(int resource, QSize size);

// The face shown beside error messages (150 x 136).
QPixmap FacePicture();

// Windows RGB value (red in the low byte) as a colour.
QColor ColorOfRgb(int rgb);

}  // namespace kirivane
