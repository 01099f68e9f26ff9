#include "player/input/key_map_panel.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>

#include "player/widgets/captions_qt.h"

namespace kirivane {

namespace {

QAction* AddItem(QMenu* menu, const char* name) {
  QAction* action = menu->addAction(name);
  action->setObjectName(name);
  return action;
}

}  // namespace

KeyMapPanel::KeyMapPanel(Player& player, WindowCommands& window, QWidget* form)
    : QObject(form), player_(player), window_(window), form_(form) {
  setObjectName("KeyMapPanel");
  mnuKeysFile = new QMenu(form);
  mnuKeysFile->setObjectName("mnuKeysFile");
  mnuKeysDefault = AddItem(mnuKeysFile, "mnuKeysDefault");
  mnuKeysMod = AddItem(mnuKeysFile, "mnuKeysMod");
  mnuKeysPosition = AddItem(mnuKeysFile, "mnuKeysPosition");
  const std::array<std::pair<QAction*, const char*>, 3> maps{
      {{mnuKeysDefault, kDefaultKeyMapName},
       {mnuKeysMod, kModKeyMapName},
       {mnuKeysPosition, kPositionKeyMapName}}};
  for (const auto& [action, name] : maps) {
    action->setCheckable(true);
    const std::string file = name;
    connect(action, &QAction::triggered, this,
            [this, file] { player_.key_maps.LoadBuiltIn(file); });
  }
  mnuKeysDefault->setChecked(true);
  mnuKeysFile->addSeparator()->setObjectName("mnuber3");
  mnuKeysFileOpen = AddItem(mnuKeysFile, "mnuKeysFileOpen");
  connect(mnuKeysFileOpen, &QAction::triggered, this, &KeyMapPanel::mnuKeysFileOpen_Click);
  player_.key_maps.SetView(this);
}

KeyMapPanel::~KeyMapPanel() {
  player_.key_maps.SetView(nullptr);
}

void KeyMapPanel::SetCaptions() {
  const AppState& app = player_.state.app;
  mnuKeysFile->setTitle(LangQ(app, 165));
  mnuKeysDefault->setText(LangQ(app, 166));
  mnuKeysMod->setText(LangQ(app, 167));
  mnuKeysPosition->setText(LangQ(app, 168));
  mnuKeysFileOpen->setText(LangQ(app, 169));
}

void KeyMapPanel::mnuKeysFileOpen_Click() {
  const AppState& app = player_.state.app;
  // The list shows the language's description as it is; the pattern behind it takes ".keys" in
  // any letter case, as key maps written elsewhere may spell it.
  const QString filter = LangQ(app, 198) + " (*.[Kk][Ee][Yy][Ss])";
  const QString path = QFileDialog::getOpenFileName(
      form_, LangQ(app, 302), QString::fromStdString(app.ProgramFolder), filter, nullptr,
      QFileDialog::HideNameFilterDetails);
  if (!path.isEmpty()) player_.key_maps.LoadFile(path.toStdString());
  window_.ReturnFocus();
}

void KeyMapPanel::CheckKeyMapMenu(KeyMapMenuEntry entry) {
  mnuKeysDefault->setChecked(entry == KeyMapMenuEntry::kDefault);
  mnuKeysMod->setChecked(entry == KeyMapMenuEntry::kMod);
  mnuKeysPosition->setChecked(entry == KeyMapMenuEntry::kPosition);
}

}  // namespace kirivane
