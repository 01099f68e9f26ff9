#include "player/display/keyboard_panel.h"

#include <QLabel>

#include "common/keyboard/keyboard_widget.h"
#include "player/layout/control_place_qt.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/lamp_shape_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

KeyboardPanel::KeyboardPanel(Player& player, QImageSurface& surface, QWidget* form)
    : QObject(form), player_(player) {
  setObjectName("KeyboardPanel");
  Shape1 = new LampShape(form);
  Shape1->setObjectName("Shape1");
  const MidiState& midi = player_.state.midi;
  Shape1->SetColors(ColorOfRgb(midi.DamperLampBorder), ColorOfRgb(midi.DamperLampFill));
  Keyboard_ = new Keyboard(surface, form);
  Keyboard_->setObjectName("Keyboard");
  Keyboard_->SetMouseHandler(&player_.mouse);
  LblNote = MakeFormLabel(form, "LblNote");
  player_.midi.SetLampView(this);
  player_.display.SetView(this);
}

KeyboardPanel::~KeyboardPanel() {
  player_.midi.SetLampView(nullptr);
  player_.display.SetView(nullptr);
}

void KeyboardPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  SetControlFont(LblNote, LangSize(app, 16) - 1, LangText(app, 13));
}

void KeyboardPanel::Place(int mode) {
  const ControlPlaces places = ControlLayout(mode, false);
  PlaceWidget(Keyboard_, places[Control::Keyboard]);
  PlaceWidget(Shape1, places[Control::Shape1]);
  Shape1->SetRounded(mode == 0);
  PlaceWidget(LblNote, places[Control::LblNote]);
  Shape1->lower();
  Keyboard_->raise();
}

void KeyboardPanel::DrawFarewell() {
  QImageSurface& surface = Keyboard_->KeyboardSurface();
  const AppState& app = player_.state.app;
  const std::string first = LangText(app, 282);
  const std::string second = LangText(app, 283);
  surface.Clear();
  if (player_.state.layout.DisplayMode == 2) {
    const int w1 = surface.TextWidth(first);
    const int w2 = surface.TextWidth(second);
    const int x = 295 - (w1 + w2) / 2;
    surface.PrintText(x, 5, first);
    surface.PrintText(x + w1 + 10, 5, second);
  } else {
    surface.PrintText(220 - surface.TextWidth(first) / 2, 45, first);
    surface.PrintText(220 - surface.TextWidth(second) / 2, 65, second);
  }
  surface.Refresh();
}

void KeyboardPanel::SetDamperLamp(int border_rgb, int fill_rgb) {
  Shape1->SetColors(ColorOfRgb(border_rgb), ColorOfRgb(fill_rgb));
}

void KeyboardPanel::SetNoteName(const std::string& text) {
  LblNote->setText(QString::fromStdString(text));
}

}  // namespace kirivane
