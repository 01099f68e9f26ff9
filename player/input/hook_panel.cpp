#include "player/input/hook_panel.h"

#include <QPushButton>

#include "player/layout/control_place_qt.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

HookPanel::HookPanel(Player& player, QWidget* form) : QObject(form), player_(player) {
  setObjectName("HookPanel");
  Check1 = new QPushButton(form);
  Check1->setObjectName("Check1");
  Check1->setFocusPolicy(Qt::NoFocus);
  connect(Check1, &QPushButton::clicked, this, &HookPanel::Check1_Click);
  player_.hook.SetView(this);
}

HookPanel::~HookPanel() {
  player_.hook.SetView(nullptr);
}

void HookPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  SetControlFont(Check1, 8, LangText(app, 13));
  Check1->setText(LangQ(app, 184));
}

void HookPanel::Place(int mode) {
  PlaceWidget(Check1, ControlLayout(mode, false)[Control::Check1]);
  player_.hook.ShowHookButton();
}

void HookPanel::Check1_Click() {
  player_.hook.ToggleHook();
}

void HookPanel::SetHookButton(const std::string& caption, int back_colour) {
  Check1->setText(QString::fromStdString(caption));
  Check1->setStyleSheet(
      QString("QPushButton { background: %1; }").arg(ColorOfRgb(back_colour).name()));
}

}  // namespace kirivane
