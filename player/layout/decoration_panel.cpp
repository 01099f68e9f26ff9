#include "player/layout/decoration_panel.h"

#include <QLabel>
#include <QMouseEvent>

#include "player/layout/control_place_qt.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

DecorationPanel::DecorationPanel(Player& player, QWidget* form) : QObject(form), player_(player) {
  setObjectName("DecorationPanel");
  LblTitle = MakeFormLabel(form, "LblTitle");
  LblTitle->setAlignment(Qt::AlignCenter);
  LblTitle->setWordWrap(true);
  LblTitle->setAttribute(Qt::WA_TransparentForMouseEvents);  // rich text would keep the clicks
  for (int i = 0; i < 2; ++i) {
    Label12[i] = MakeFormLabel(form, i == 0 ? "Label12_0" : "Label12_1");
    Label12[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label12[i]->hide();
  }
  Label12[0]->setStyleSheet(QString("color: %1;").arg(ColorOf(kVersionText).name()));
  Label12[1]->setStyleSheet("color: white;");
  Image12 = MakeFormLabel(form, "Image12");
  ImgLyrcon = MakeFormLabel(form, "ImgLyrcon");
  ImgLyrcon->installEventFilter(this);
}

void DecorationPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  for (QLabel* label : Label12) SetControlFont(label, 0, LangText(app, kLangControlFont));
  LblTitle->setText(QString("<span style='font-size:20pt; font-weight:600; color:%1'>%2</span>"
                            "<br><span style='color:%3'>%4</span>")
                        .arg(ColorOf(kNavy).name(), LangQ(app, kLangAppTitle).toHtmlEscaped(),
                             ColorOf(kSubtitle).name(),
                             LangQ(app, kLangAboutSummary).toHtmlEscaped()));
}

void DecorationPanel::ShowVersion() {
  if (player_.state.app.ShowVersion != -1) return;
  for (QLabel* label : Label12) {
    label->setText(QString::fromStdString(player_.state.app.VersionText));
  }
}

void DecorationPanel::SetVersionLabels(const std::string& text) {
  for (QLabel* label : Label12) label->setText(QString::fromStdString(text));
}

void DecorationPanel::ShowVersionLabels(bool shown) {
  for (QLabel* label : Label12) label->setVisible(shown && player_.state.layout.DisplayMode == 0);
}

void DecorationPanel::Place(int mode) {
  const ControlPlaces places = ControlLayout(mode, false);
  PlaceWidget(LblTitle, places[Control::LblTitle]);
  PlaceWidget(Label12[0], places[Control::Label12_0]);
  PlaceWidget(Label12[1], places[Control::Label12_1]);
  const bool labels = player_.state.app.ShowVersion == -1 || player_.state.layout.ScoreMode == 1;
  for (QLabel* label : Label12) label->setVisible(mode == 0 && labels);
  PlaceWidget(Image12, places[Control::Image12]);
  PlaceWidget(ImgLyrcon, places[Control::ImgLyrcon]);
  Image12->setPixmap(StripPicture(Image12->size(), player_.state.app.XmasSpecial == -1));
  ImgLyrcon->setPixmap(NoteIconPicture(ImgLyrcon->size()));
  ImgLyrcon->setToolTip(LangQ(player_.state.app, kLangLyrconTip));
  Image12->lower();
}

bool DecorationPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ImgLyrcon || event->type() != QEvent::MouseButtonPress) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  ImgLyrcon_MouseDown(mouse->button(), mouse->modifiers());
  return true;
}

// The record/playback strip opens first, so that its controls show what runs when the full
// window comes back.
void DecorationPanel::ImgLyrcon_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  if (button != Qt::LeftButton) return;  // the right button: the chord list, once it exists
  Transport& transport = player_.transport;
  const auto open_strip = [this] {
    if (player_.state.layout.PanelOpen != -1) player_.side_panels.TogglePlayPanel();
  };
  if ((modifiers & Qt::ControlModifier) && !transport.StopEnabled()) {
    open_strip();
    transport.StartRecording(false, transport.TempoBox());
  } else if (transport.StartEnabled()) {
    open_strip();
    transport.StartPlayback(transport.TempoBox());
  } else if (transport.StopEnabled()) {
    open_strip();
    transport.Stop();
  }
}

}  // namespace kirivane
