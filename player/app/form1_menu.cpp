// The window's popup menu mnu (right button on the form) and its commands.
#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>

#include "player/app/form1_window.h"
#include "player/input/key_map_commands.h"
#include "player/layout/score_panel.h"

namespace kirivane {

namespace {

QAction* AddItem(QMenu* menu, const char* name) {
  QAction* action = menu->addAction(name);
  action->setObjectName(name);
  return action;
}

// Items of commands that belong to panels and dialogs this window does not carry yet stay in
// the tree, hidden, so the tree keeps its order.
QAction* AddHiddenItem(QMenu* menu, const char* name) {
  QAction* action = AddItem(menu, name);
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
  auto text = [this](int entry) { return QString::fromStdString(Lang(entry)); };
  mnu = new QMenu(this);
  mnu->setObjectName("mnu");
  mnu->setTitle(text(163));
  QMenu* bank = midi_panel_->BankMenu();
  QMenu* reset = midi_panel_->ResetMenu();
  mnu->addMenu(bank)->setVisible(false);
  mnu->addMenu(reset)->setVisible(false);

  QMenu* mnuPaneru = mnu->addMenu(text(174));
  mnuPaneru->setObjectName("mnuPaneru");
  mnuScoreOC = AddItem(mnuPaneru, "mnuScoreOC");
  mnuScoreOC->setText(text(349));
  mnuScoreOC->setCheckable(true);
  connect(mnuScoreOC, &QAction::triggered, this, &Form1::mnuScoreOC_Click);
  AddHiddenItem(mnuPaneru, "mnuPaneruOC")->setText(text(175));
  AddSeparator(mnuPaneru, "mnuber4")->setVisible(false);
  mnuTopmost = AddItem(mnuPaneru, "mnuTopmost");
  mnuTopmost->setText(text(177));
  mnuTopmost->setCheckable(true);
  connect(mnuTopmost, &QAction::triggered, this, &Form1::mnuTopmost_Click);
  QMenu* mnuKeysFile = mnuPaneru->addMenu(text(165));
  mnuKeysFile->setObjectName("mnuKeysFile");
  mnuKeysDefault = AddItem(mnuKeysFile, "mnuKeysDefault");
  mnuKeysMod = AddItem(mnuKeysFile, "mnuKeysMod");
  mnuKeysPosition = AddItem(mnuKeysFile, "mnuKeysPosition");
  const std::array<std::pair<QAction*, const char*>, 3> maps{
      {{mnuKeysDefault, kDefaultKeyMapName},
       {mnuKeysMod, kModKeyMapName},
       {mnuKeysPosition, kPositionKeyMapName}}};
  for (int i = 0; i < 3; ++i) {
    QAction* action = maps[i].first;
    action->setText(text(166 + i));
    action->setCheckable(true);
    const std::string name = maps[i].second;
    connect(action, &QAction::triggered, this, [this, name] {
      LoadKeyMapFile(ProgramKeyMapPath(state_.app.ProgramFolder, name), kWaveKeyMapBuiltIn);
    });
  }
  mnuKeysDefault->setChecked(true);
  AddSeparator(mnuKeysFile, "mnuber3");
  QAction* open_keys = AddItem(mnuKeysFile, "mnuKeysFileOpen");
  open_keys->setText(text(169));
  connect(open_keys, &QAction::triggered, this, &Form1::mnuKeysFileOpen_Click);
  QAction* volume = AddItem(mnuPaneru, "mnuVol");
  volume->setText(text(178));
  volume->setVisible(!QStandardPaths::findExecutable("pavucontrol").isEmpty());
  connect(volume, &QAction::triggered, this, &Form1::mnuVol_Click);

  mnuCC = AddHiddenItem(mnu, "mnuCC");
  mnuCC->setText(text(176));
  AddHiddenItem(mnu, "mnuChSelect")->setText(text(172));
  AddSeparator(mnu, "mnuber1")->setVisible(false);
  AddHiddenItem(mnu, "mnuFileOpen")->setText(text(170));
  QAction* save = AddHiddenItem(mnu, "mnuFileSave");
  save->setText(text(171));
  save->setEnabled(false);
  AddHiddenItem(mnu, "mnuOption")->setText(text(173));
  AddSeparator(mnu, "mnuber2");
  AddHiddenItem(mnu, "mnuversion")->setText(text(179));
  QAction* exit = AddItem(mnu, "mnuExit");
  exit->setText(text(180));
  connect(exit, &QAction::triggered, this, &Form1::ExitRequested);
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

// Opens or closes the score panel: the full window grows or shrinks by its width.
void Form1::mnuScoreOC_Click() {
  LayoutState& layout = state_.layout;
  layout.ScoreMode = 1 - layout.ScoreMode;
  PicScore->ShowScoreNote(0);
  midi_->SendShort(0x99, layout.ScoreMode == 1 ? 78 : 79, state_.midi.PlayVelocity);
  if (layout.DisplayMode != 0) return;
  const PixelSize client = ClientSize(0, layout.ScoreMode);
  setFixedSize(client.Width, client.Height);
  PicScore->setVisible(layout.ScoreMode == 1);
  mnuScoreOC->setChecked(layout.ScoreMode == 1);
  if (layout.RoundedWindow == 1) SetWindowRegion(WindowShape::kRounded);
}

void Form1::mnuTopmost_Click() {
  SetTopmost(mnuTopmost->isChecked() ? 1 : 0);
}

void Form1::mnuVol_Click() {
  QProcess::startDetached("pavucontrol", {});
}

void Form1::LoadKeyMapFile(const std::string& path, int wave_resource) {
  const KeyMapLoadResult result =
      RunKeyMapCommand(state_, path, wave_resource, random_, *this, *this, *display_);
  if (result == KeyMapLoadResult::kFatal) close();
}

void Form1::mnuKeysFileOpen_Click() {
  // The list shows the language's description as it is; the pattern behind it takes ".keys" in
  // any letter case, as key maps written elsewhere may spell it.
  const QString filter = QString::fromStdString(Lang(198)) + " (*.[Kk][Ee][Yy][Ss])";
  const QString path = QFileDialog::getOpenFileName(
      this, QString::fromStdString(Lang(302)), QString::fromStdString(state_.app.ProgramFolder),
      filter, nullptr, QFileDialog::HideNameFilterDetails);
  if (!path.isEmpty()) LoadKeyMapFile(path.toStdString(), kWaveKeyMapFile);
  ReturnFocus();
}

void Form1::CheckKeyMapMenu(KeyMapMenuEntry entry) {
  mnuKeysDefault->setChecked(entry == KeyMapMenuEntry::kDefault);
  mnuKeysMod->setChecked(entry == KeyMapMenuEntry::kMod);
  mnuKeysPosition->setChecked(entry == KeyMapMenuEntry::kPosition);
}

}  // namespace kirivane
