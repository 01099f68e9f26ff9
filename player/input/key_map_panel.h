#pragma once

#include <QObject>

#include "player/app/player.h"

class QAction;
class QMenu;
class QWidget;

namespace kirivane {

// The key map menu, placed in the window's popup menu; KeyMapCommands' view.
//   mnuKeysFile      the submenu
//   mnuKeysDefault   the standard key map (default.keys)
//   mnuKeysMod       the modified layout (modkeys.keys)
//   mnuKeysPosition  the keys by position (Position.keys)
//   mnuKeysFileOpen  a key map file chosen in the open dialog
class KeyMapPanel : public QObject, public KeyMapView {
  Q_OBJECT

 public:
  KeyMapPanel(Player& player, WindowCommands& window, QWidget* form);
  ~KeyMapPanel() override;

  QMenu* Menu() const { return mnuKeysFile; }
  void SetCaptions();

  // KeyMapView
  void CheckKeyMapMenu(KeyMapMenuEntry entry) override;

 private:
  void mnuKeysFileOpen_Click();

  Player& player_;
  WindowCommands& window_;
  QWidget* form_;
  QMenu* mnuKeysFile = nullptr;
  QAction* mnuKeysDefault = nullptr;
  QAction* mnuKeysMod = nullptr;
  QAction* mnuKeysPosition = nullptr;
  QAction* mnuKeysFileOpen = nullptr;
};

}  // namespace kirivane
