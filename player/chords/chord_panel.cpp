#include "player/chords/chord_panel.h"

#include <QLabel>

#include "player/layout/control_place_qt.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/picture_button_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

ChordPanel::ChordPanel(Player& player, QWidget* form) : QObject(form), player_(player) {
  setObjectName("ChordPanel");
  Label1 = MakeFormLabel(form, "Label1");
  Lbl_Chord = MakeFormLabel(form, "Lbl_Chord");
  ImgChordPad = new PictureButton(form);
  ImgChordPad->setObjectName("ImgChordPad");
  connect(ImgChordPad, &PictureButton::MouseDown, this, &ChordPanel::ImgChordPad_MouseDown);
  player_.chords.SetView(this);
}

ChordPanel::~ChordPanel() {
  player_.chords.SetView(nullptr);
}

void ChordPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  const std::string name = LangText(app, 13);
  SetControlFont(Label1, LangSize(app, 15), name);
  SetControlFont(Lbl_Chord, 0, name);
  Label1->setText(LangQ(app, 153) + LangQ(app, 154));
  ImgChordPad->setToolTip(LangQ(app, 279));
  Label1->setToolTip(LangQ(app, 277));
}

void ChordPanel::Place(int mode) {
  const ControlPlaces places = ControlLayout(mode, false);
  PlaceWidget(ImgChordPad, places[Control::ImgChordPad]);
  PlaceWidget(Label1, places[Control::Label1]);
  PlaceWidget(Lbl_Chord, places[Control::Lbl_Chord]);
  ImgChordPad->setPixmap(ChordPadPicture(ImgChordPad->size()));
}

void ChordPanel::ImgChordPad_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  player_.chords.ChordPadMouseDown(button == Qt::LeftButton, modifiers == Qt::ControlModifier);
}

void ChordPanel::SetChordLabel(const std::string& text) {
  Lbl_Chord->setText(QString::fromStdString(text));
}

}  // namespace kirivane
