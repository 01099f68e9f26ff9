// The window's popup menu mnu (right button on the form): the tree, with the items of the
// panels in their places.
#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>

#include "player/app/dialogs_panel.h"
#include "player/app/form1_window.h"
#include "player/input/key_map_panel.h"
#include "player/layout/score_panel.h"
#include "player/layout/side_panels_panel.h"
#include "player/midi/midi_in_panel.h"
#include "player/midi/midi_panel.h"
#include "player/performance/transport_panel.h"
#include "player/state/lang_ids.h"
#include "player/widgets/captions_qt.h"

namespace kirivane {

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& text) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  return action;
}

// Items of commands that belong to panels and dialogs this window does not carry yet stay in
// the tree, hidden, so the tree keeps its order.
QAction* AddHiddenItem(QMenu* menu, const char* name, const QString& text) {
  QAction* action = AddItem(menu, name, text);
  action->setVisible(false);
  return action;
}

QAction* AddSeparator(QMenu* menu, const char* name) {
  QAction* action = menu->addSeparator();
  action->setObjectName(name);
  return action;
}

}  // namespace

void Form1::CreateMenu() {
  auto text = [this](int entry) { return LangQ(state_.app, entry); };
  mnu = new QMenu(this);
  mnu->setObjectName("mnu");
  mnu->setTitle(text(kLangMenu));
  mnu->addMenu(panels_.midi->BankMenu())->setVisible(false);
  mnu->addMenu(panels_.midi->ResetMenu())->setVisible(false);
  mnu->addMenu(panels_.midi_in->Menu());

  QMenu* mnuPaneru = mnu->addMenu(text(kLangPanelsMenu));
  mnuPaneru->setObjectName("mnuPaneru");
  mnuPaneru->addAction(panels_.score->MenuItem());
  mnuPaneru->addAction(panels_.side_panels->MenuItem());
  AddSeparator(mnuPaneru, "mnuber4")->setVisible(false);
  mnuTopmost = AddItem(mnuPaneru, "mnuTopmost", text(kLangTopmostItem));
  mnuTopmost->setCheckable(true);
  connect(mnuTopmost, &QAction::triggered, this,
          [this] { SetTopmost(mnuTopmost->isChecked() ? 1 : 0); });
  mnuPaneru->addMenu(panels_.key_map->Menu());
  QAction* mnuVol = AddItem(mnuPaneru, "mnuVol", text(kLangVolumeControlItem));
  mnuVol->setVisible(!QStandardPaths::findExecutable("pavucontrol").isEmpty());
  connect(mnuVol, &QAction::triggered, this, [] { QProcess::startDetached("pavucontrol", {}); });

  mnuCC = AddItem(mnu, "mnuCC", text(kLangSwitchControllerItem));
  connect(mnuCC, &QAction::triggered, this, [this] { player_.lantern.mnuCC_Click(); });
  mnu->addAction(panels_.dialogs->ChordSelectItem());
  AddSeparator(mnu, "mnuber1")->setVisible(false);
  mnu->addAction(panels_.transport->OpenMenuItem());
  mnu->addAction(panels_.transport->SaveMenuItem());
  mnu->addAction(panels_.dialogs->OptionsItem());
  AddSeparator(mnu, "mnuber2");
  mnu->addAction(panels_.dialogs->VersionItem());
  QAction* mnuExit = AddItem(mnu, "mnuExit", text(kLangExitItem));
  connect(mnuExit, &QAction::triggered, this, &Form1::CloseProgram);
}

void Form1::SetTopmost(int flag) {
  if (flag != 0 && flag != 1) return;
  const bool on = flag == 1;
  mnuTopmost->setChecked(on);
  if (testAttribute(Qt::WA_WState_Created) &&
      windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) {
    return;
  }
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown) show();
}

}  // namespace kirivane
