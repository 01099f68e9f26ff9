#pragma once

#include <QObject>
#include <array>

#include "player/app/player.h"

class QLabel;
class QWidget;

namespace kirivane {

// The form's decoration: the title of the full window, the version labels, the background of
// the compact modes' control strip and the music icon of the 128-key bar.
//   LblTitle   the program's title and what it does (full window)
//   Label12    the version, in two labels: a shadow (0) and the text (1), shown with "/_"
//   Image12    the background of the control strip (compact keyboard and 128-key bar)
//   ImgLyrcon  the music icon of the 128-key bar
class DecorationPanel : public QObject {
  Q_OBJECT

 public:
  DecorationPanel(Player& player, QWidget* form);

  void SetCaptions();
  void Place(int mode);
  // The version labels show VersionText (when ShowVersion is on).
  void ShowVersion();

 private:
  Player& player_;
  QLabel* LblTitle = nullptr;
  std::array<QLabel*, 2> Label12{};
  QLabel* Image12 = nullptr;
  QLabel* ImgLyrcon = nullptr;
};

}  // namespace kirivane
