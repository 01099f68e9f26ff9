#pragma once

#include <QObject>

#include "common/keyboard/qimage_surface_qt.h"
#include "player/app/player.h"

class QLabel;
class QWidget;

namespace kirivane {

class Keyboard;
class LampShape;

// The on-screen keyboard with the lamp about it and the note name of the 128-key bar. Its
// widgets lie on the form; it shows the damper lamp (MidiMode's LampView) and the note name
// (KeyboardDisplay's NoteNameView).
//   Keyboard  the picture box of the keyboard, played with the mouse
//   Shape1    the damper lamp: the shape about the keyboard, coloured while the pedal is down
//   LblNote   the name of the note played, beside the 128-key bar
class KeyboardPanel : public QObject, public LampView, public NoteNameView {
  Q_OBJECT

 public:
  KeyboardPanel(Player& player, QImageSurface& surface, QWidget* form);
  ~KeyboardPanel() override;

  void SetCaptions();
  void Place(int mode);
  // The farewell in place of the keyboard while the window closes.
  void DrawFarewell();

  // LampView
  void SetDamperLamp(int border_rgb, int fill_rgb) override;
  // NoteNameView
  void SetNoteName(const std::string& text) override;

 private:
  Player& player_;
  Keyboard* Keyboard_ = nullptr;
  LampShape* Shape1 = nullptr;
  QLabel* LblNote = nullptr;
};

}  // namespace kirivane
