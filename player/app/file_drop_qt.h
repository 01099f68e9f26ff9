#pragma once

#include <QObject>
#include <QStringList>

#include "player/app/player.h"

class QWidget;

namespace kirivane {

// Files dropped on the main window from a file manager (local files only), and files a second
// start hands over: the first one is opened and played when its name ends in ".lyr", ".mid" or
// ".midi"; any other name is ignored.
class FileDropTarget : public QObject {
  Q_OBJECT

 public:
  FileDropTarget(Player& player, WindowCommands& window, QWidget* form);

  // A second start handed its file over (or none): the window comes to the front, and the
  // files count as dropped on it.
  void ReceiveHandOff(const QStringList& files);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Drop(const QStringList& files);

  Player& player_;
  WindowCommands& window_;
  QWidget* form_;
};

}  // namespace kirivane
