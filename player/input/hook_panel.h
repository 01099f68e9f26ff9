#pragma once

#include <QObject>

#include "player/app/player.h"

class QPushButton;
class QWidget;

namespace kirivane {

// The key monitor button on the form, HookSwitch's view.
//   Check1  "Monitor": the system-wide key hook on or off; short caption in the compact modes
class HookPanel : public QObject, public HookView {
  Q_OBJECT

 public:
  HookPanel(Player& player, QWidget* form);
  ~HookPanel() override;

  void SetCaptions();
  void Place(int mode);

  // HookView
  void SetHookButton(const std::string& caption, int back_colour) override;

 private:
  void Check1_Click();

  Player& player_;
  QPushButton* Check1 = nullptr;
};

}  // namespace kirivane
