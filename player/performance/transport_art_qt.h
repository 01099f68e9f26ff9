#pragma once

#include <QCursor>
#include <QPixmap>

namespace kirivane {

// Pictures of the record/playback panel, drawn rather than stored, by resource number:
//   CmdStart  115 while recording, 116 idle, 117 pressed, 118 while playing
//   CmdRec    119 while playing, 120 idle, 121 pressed, 122 recording (or armed to continue)
//   CmdStop   123 idle (disabled), 124 running, 125 pressed
//   CkMtr     126 off, 127 and 128 on (the pendulum to either side, alternating with the beat)
// Any other number gives an empty picture.
QPixmap TransportPicture(int resource, QSize size);
// CmdLoop: looping on or off.
QPixmap LoopPicture(bool on, QSize size);
// CmdOpen (a folder) and CmdSave (a disk): look 0 normal, 1 hover, 2 pressed.
QPixmap FileButtonPicture(bool save, int look, QSize size);
// The pointers over the time display's jump zones: an arrow back or forward.
QCursor JumpCursor(bool back);

}  // namespace kirivane
