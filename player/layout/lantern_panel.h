#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <string>

#include "player/app/player.h"

class QLabel;
class QWidget;

namespace kirivane {

// The controller lantern of the full window, ControllerLantern's view. Its length is the value
// of channel volume, pitch bend or modulation: drag it (or its string) down for more.
//   ImgCCTop  the cap
//   ImgCC     the body, one picture per controller (0 volume, 1 pitch bend, 2 modulation)
//   ImgCCEnd  the bottom end
//   ImgHimo   the pull string
//   Label9    "Pitch bend :" with the bend amount, shown in pitch bend mode
//   Image11   switches the controller: left and middle button through off, right button not
//   Timer3    returns a released pitch bend to its rest value
// The mouse wheel and the middle button anywhere on the window turn the controller too.
class LanternPanel : public QObject, public ControllerLanternView {
  Q_OBJECT

 public:
  LanternPanel(Player& player, QWidget* form);
  ~LanternPanel() override;

  void SetCaptions();
  void Place(int mode);

  // ControllerLanternView
  void HideLantern() override;
  void ShowLantern(int mode) override;
  void HideString() override;
  void DrawLanternLength(int mode, int value) override;
  void SetLanternToolTip(int mode, const std::string& text) override;
  void SetBendLabel(const std::string& caption, int colour) override;
  void SetStringCursor(int cursor_resource) override;
  void StartReturnTimer(int interval_ms) override;
  void StopReturnTimer() override;
  bool LanternOnScreen() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* MakePicture(QWidget* form, const char* name, const QString& resource);
  bool LanternMouseEvent(bool string, QEvent* event);
  bool FormEvent(QEvent* event);

  Player& player_;
  ControllerLantern& lantern_;
  QWidget* form_;
  QLabel* ImgCCTop = nullptr;
  std::array<QLabel*, 3> ImgCC{};
  QLabel* ImgCCEnd = nullptr;
  QLabel* ImgHimo = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Image11 = nullptr;
  QTimer Timer3;
};

}  // namespace kirivane
