#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "player/app/player.h"

class QAction;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QWidget;

namespace kirivane {

class DecorationPanel;
class ScorePanel;

// The side panels of the full window, SidePanels' view: the record/playback strip's handle and
// background, the note picture, the Command10 pair and the hidden side frames with the scale
// tuning. The score itself is drawn by the score panel, which this view passes it on to.
//   Shape3        background of the record/playback strip
//   Image13       the strip's handle: a click opens or closes it
//   Image9        decoration under the closed strip (drags the window)
//   Image10       decoration under the closed strip; its middle button shows the side frames
//   ImgMusicIcon  the picture of the instrument, or of the drum just played
//   Command10     chord selection (0) and options (1); shown once their commands exist
//   FrmSide       two side frames: LblSideinfo, and CmbChoritu with Command2 (scale tuning)
//   mnuPaneruOC   the popup menu's check item "record/play panel"
class SidePanelsPanel : public QObject, public SidePanelsView {
  Q_OBJECT

 public:
  SidePanelsPanel(Player& player, WindowCommands& window, ScorePanel& score,
                  DecorationPanel& decoration, QWidget* form);
  ~SidePanelsPanel() override;

  QAction* MenuItem() const { return mnuPaneruOC; }
  void SetCaptions();
  void Place(int mode);
  // The command behind Command10 (0 chord selection, 1 options); the button shows once it has
  // one. ImgMusicIcon's click runs the chord selection as well.
  void SetCommand10Action(int index, std::function<void()> action);
  bool SideFramesShown() const;

  // SidePanelsView
  void SetVersionLabels(const std::string& text) override;
  void ShowVersionLabels(bool shown) override;
  void ShowPlayPanelFrame(const PlayPanelFrame& frame) override;
  void SetPlayPanelChecked(bool checked) override;
  void ShowStripDecorations(bool shown) override;
  void ShowScorePanel(bool open) override;
  void ShowScore(const ScoreNoteChoice& choice) override;
  void ShowNotePicture(const std::string& path) override;
  void ClearNotePicture() override;
  void SetPadPictures(bool pressed) override;
  void ShowOptionsButton(bool shown) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateSideFrames(QWidget* form);
  void ShowCommand10(int index);
  bool MouseDown(QObject* watched, Qt::MouseButton button);
  bool CmbChoritu_KeyPress(const QKeyEvent& key);
  void Command2_Click();
  void CmbChoritu_Change();

  void LoadPictures();

  Player& player_;
  WindowCommands& window_;
  ScorePanel& score_;
  DecorationPanel& decoration_;
  bool pictures_loaded_ = false;
  QWidget* form_;
  QWidget* Shape3 = nullptr;
  QLabel* Image13 = nullptr;
  QLabel* Image9 = nullptr;
  QLabel* Image10 = nullptr;
  QLabel* ImgMusicIcon = nullptr;
  std::array<QLabel*, 2> Command10{};
  std::array<std::function<void()>, 2> command10_actions_{};
  bool options_uncovered_ = true;  // the lantern leaves the options button's place free
  std::array<QFrame*, 2> FrmSide{};
  QLabel* LblSideinfo = nullptr;
  QComboBox* CmbChoritu = nullptr;
  QPushButton* Command2 = nullptr;
  QAction* mnuPaneruOC = nullptr;
};

}  // namespace kirivane
