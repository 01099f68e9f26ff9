#pragma once

#include <QColor>
#include <QPixmap>

namespace kirivane {

// Pictures of the main window's picture buttons, drawn here rather than stored: the exit
// button (112 normal, 113 hover, 114 pressed) and the sound reset button (109, 110, 111).
// size is the button's size in pixels. Any other number gives an empty picture.
QPixmap ButtonPicture(int resource, QSize size);

// The chord pad: the numeric keypad's nine chord keys.
QPixmap ChordPadPicture(QSize size);
// The percussion set button: a drum.
QPixmap DrumPicture(QSize size);
// The two characters that stand for the percussion set (index 0 and 1).
QPixmap CharacterPicture(int index, QSize size);
// Background of the control strip of the compact modes.
QPixmap StripPicture(QSize size, bool seasonal);
// The small music icon of the 128-key bar.
QPixmap NoteIconPicture(QSize size);

// The face shown beside error messages (150 x 136).
QPixmap FacePicture();

// Windows RGB value (red in the low byte) as a colour.
QColor ColorOfRgb(int rgb);

}  // namespace kirivane
