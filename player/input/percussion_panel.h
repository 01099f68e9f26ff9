#pragma once

#include <QObject>

#include "player/app/player.h"

class QWidget;

namespace kirivane {

class PictureButton;

// The percussion set's controls on the form (full window only), PercussionSet's view.
//   Image16  the drum: selects the percussion set (channel 10)
//   stImage  the picture of the set, shown while it is selected; it holds the two pads
//   Image7   left pad: plays two drums while held; its click leaves the set
//   Image8   right pad: the same with two other drums
class PercussionPanel : public QObject, public PercussionView {
  Q_OBJECT

 public:
  PercussionPanel(Player& player, QWidget* form);
  ~PercussionPanel() override;

  void SetCaptions();
  void Place(int mode);

  // PercussionView
  void SetPercussionButtonNoDrop(bool no_drop) override;
  void ShowPercussionPicture(bool shown) override;
  void SetPadCursor(int cursor_resource) override;

 private:
  void Image16_Click();
  void Pad_MouseUp(int pad);

  Player& player_;
  PictureButton* Image16 = nullptr;
  QWidget* stImage = nullptr;
  PictureButton* Image7 = nullptr;
  PictureButton* Image8 = nullptr;
};

}  // namespace kirivane
