#pragma once

#include <QObject>

#include "player/app/player.h"

class QLabel;
class QWidget;

namespace kirivane {

class PictureButton;

// The chord pad and the chord's name on the form (full window only), ChordSelection's view.
//   ImgChordPad  the chord pad: left click the next chord, Ctrl+left the previous, right none
//   Label1       "Chord:", the caption
//   Lbl_Chord    the name of the chord selected
class ChordPanel : public QObject, public ChordView {
  Q_OBJECT

 public:
  ChordPanel(Player& player, QWidget* form);
  ~ChordPanel() override;

  void SetCaptions();
  void Place(int mode);

  // ChordView
  void SetChordLabel(const std::string& text) override;

 private:
  void ImgChordPad_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

  Player& player_;
  PictureButton* ImgChordPad = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Lbl_Chord = nullptr;
};

}  // namespace kirivane
