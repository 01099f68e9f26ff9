#include "player/input/percussion_panel.h"

#include "player/layout/control_place_qt.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/picture_button_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

namespace {

constexpr int kCursorGrab = 102;

}  // namespace

PercussionPanel::PercussionPanel(Player& player, QWidget* form) : QObject(form), player_(player) {
  setObjectName("PercussionPanel");
  Image16 = new PictureButton(form);
  Image16->setObjectName("Image16");
  connect(Image16, &PictureButton::MouseUp, this, &PercussionPanel::Image16_Click);
  stImage = new QWidget(form);
  stImage->setObjectName("stImage");
  stImage->hide();
  Image7 = new PictureButton(stImage);
  Image7->setObjectName("Image7");
  Image8 = new PictureButton(stImage);
  Image8->setObjectName("Image8");
  connect(Image7, &PictureButton::MouseDown, this, [this] { player_.percussion.PadMouseDown(7); });
  connect(Image7, &PictureButton::MouseUp, this, [this] { Pad_MouseUp(7); });
  connect(Image8, &PictureButton::MouseDown, this, [this] { player_.percussion.PadMouseDown(8); });
  connect(Image8, &PictureButton::MouseUp, this, [this] { Pad_MouseUp(8); });
  player_.percussion.SetView(this);
}

PercussionPanel::~PercussionPanel() {
  player_.percussion.SetView(nullptr);
}

void PercussionPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  Image16->setToolTip(LangQ(app, 227));
  Image7->setToolTip(LangQ(app, 226));
  Image8->setToolTip(LangQ(app, 225));
}

void PercussionPanel::Place(int mode) {
  const ControlPlaces places = ControlLayout(mode, false);
  PlaceWidget(Image16, places[Control::Image16]);
  PlaceWidget(stImage, places[Control::stImage]);
  stImage->setVisible(mode == 0 && player_.state.midi.PercussionSet);
  Image16->setPixmap(DrumPicture(Image16->size()));
  Image7->setGeometry(0, 0, stImage->width() / 2, stImage->height());
  Image8->setGeometry(stImage->width() / 2, 0, stImage->width() / 2, stImage->height());
  Image7->setPixmap(CharacterPicture(0, Image7->size()));
  Image8->setPixmap(CharacterPicture(1, Image8->size()));
}

void PercussionPanel::Image16_Click() {
  player_.percussion.EnterPercussionSet();
}

// A pad sounds while held; its click then leaves the percussion set.
void PercussionPanel::Pad_MouseUp(int pad) {
  player_.percussion.PadMouseUp(pad);
  player_.percussion.LeavePercussionSet();
}

void PercussionPanel::SetPercussionButtonNoDrop(bool no_drop) {
  if (no_drop) {
    Image16->setCursor(Qt::ForbiddenCursor);
  } else {
    Image16->unsetCursor();
  }
}

void PercussionPanel::ShowPercussionPicture(bool shown) {
  stImage->setVisible(shown && player_.state.layout.DisplayMode == 0);
  if (shown) stImage->raise();
}

void PercussionPanel::SetPadCursor(int cursor_resource) {
  const Qt::CursorShape shape =
      cursor_resource == kCursorGrab ? Qt::ClosedHandCursor : Qt::OpenHandCursor;
  Image7->setCursor(shape);
  Image8->setCursor(shape);
}

}  // namespace kirivane
