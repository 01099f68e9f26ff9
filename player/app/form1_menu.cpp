// The window's popup menu mnu (right button on the form): the tree, with the items of the
// panels in their places.
#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>

#include "player/app/form1_window.h"
#include "player/input/key_map_panel.h"
#include "player/layout/score_panel.h"
#include "player/midi/midi_panel.h"
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
  mnu->setTitle(text(163));
  mnu->addMenu(midi_panel_->BankMenu())->setVisible(false);
  mnu->addMenu(midi_panel_->ResetMenu())->setVisible(false);

  QMenu* mnuPaneru = mnu->addMenu(text(174));
  mnuPaneru->setObjectName("mnuPaneru");
  mnuPaneru->addAction(score_panel_->MenuItem());
  AddHiddenItem(mnuPaneru, "mnuPaneruOC", text(175));
  AddSeparator(mnuPaneru, "mnuber4")->setVisible(false);
  mnuTopmost = AddItem(mnuPaneru, "mnuTopmost", text(177));
  mnuTopmost->setCheckable(true);
  connect(mnuTopmost, &QAction::triggered, this,
          [this] { SetTopmost(mnuTopmost->isChecked() ? 1 : 0); });
  mnuPaneru->addMenu(key_map_panel_->Menu());
  QAction* mnuVol = AddItem(mnuPaneru, "mnuVol", text(178));
  mnuVol->setVisible(!QStandardPaths::findExecutable("pavucontrol").isEmpty());
  connect(mnuVol, &QAction::triggered, this, [] { QProcess::startDetached("pavucontrol", {}); });

  mnuCC = AddHiddenItem(mnu, "mnuCC", text(176));
  connect(mnuCC, &QAction::triggered, this, [this] { player_.lantern.mnuCC_Click(); });
  AddHiddenItem(mnu, "mnuChSelect", text(172));
  AddSeparator(mnu, "mnuber1")->setVisible(false);
  AddHiddenItem(mnu, "mnuFileOpen", text(170));
  AddHiddenItem(mnu, "mnuFileSave", text(171))->setEnabled(false);
  AddHiddenItem(mnu, "mnuOption", text(173));
  AddSeparator(mnu, "mnuber2");
  AddHiddenItem(mnu, "mnuversion", text(179));
  QAction* mnuExit = AddItem(mnu, "mnuExit", text(180));
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
