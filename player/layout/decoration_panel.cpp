#include "player/layout/decoration_panel.h"

#include <QLabel>

#include "player/layout/control_place_qt.h"
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
  Label12[0]->setStyleSheet("color: #5a6a90;");
  Label12[1]->setStyleSheet("color: white;");
  Image12 = MakeFormLabel(form, "Image12");
  ImgLyrcon = MakeFormLabel(form, "ImgLyrcon");
}

void DecorationPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  for (QLabel* label : Label12) SetControlFont(label, 0, LangText(app, 13));
  LblTitle->setText("<span style='font-size:20pt; font-weight:600; color:#2c4a80'>" +
                    LangQ(app, 0).toHtmlEscaped() + "</span><br><span style='color:#4a5a78'>" +
                    LangQ(app, 2).toHtmlEscaped() + "</span>");
}

void DecorationPanel::ShowVersion() {
  if (player_.state.app.ShowVersion != -1) return;
  for (QLabel* label : Label12) {
    label->setText(QString::fromStdString(player_.state.app.VersionText));
  }
}

void DecorationPanel::Place(int mode) {
  const ControlPlaces places = ControlLayout(mode, false);
  PlaceWidget(LblTitle, places[Control::LblTitle]);
  PlaceWidget(Label12[0], places[Control::Label12_0]);
  PlaceWidget(Label12[1], places[Control::Label12_1]);
  for (QLabel* label : Label12) label->setVisible(mode == 0 && player_.state.app.ShowVersion == -1);
  PlaceWidget(Image12, places[Control::Image12]);
  PlaceWidget(ImgLyrcon, places[Control::ImgLyrcon]);
  Image12->setPixmap(StripPicture(Image12->size(), player_.state.app.XmasSpecial == -1));
  ImgLyrcon->setPixmap(NoteIconPicture(ImgLyrcon->size()));
  Image12->lower();
}

}  // namespace kirivane
