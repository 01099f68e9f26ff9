#pragma once

#include <QObject>
#include <QTimer>

#include "player/app/player.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QFrame;
class QLabel;
class QWidget;

namespace kirivane {

class PictureButton;
class TimeLabel;

// The record/playback panel on the strip above the keyboard (full window, strip open): the
// Transport's and the FileCommands' view. It owns its controls, the beat and time timers and
// the two file items of the popup menu.
//   CmdRec       record: a new take; Esc held or the middle button continues the one in memory
//   CmdStart     play the performance in memory
//   CmdStop      stop recording or playback
//   CmdLoop      looping on or off
//   CkMtr        the metronome on or off (F11)
//   Label7       the speed; a click steps it (left button x0.5 first, others x2.0 first)
//   MTLabel      the time of the take or of playback; its ends jump back and forward
//   Label4       "Tempo" caption of Combo3, the tempo list (beats a minute)
//   Label6       "Beat" caption of Combo2, the beats-per-bar list of the metronome accent
//   CmdOpen      open a ".lyr" or MIDI file (mnuFileOpen)
//   CmdSave      save the performance as ".lyr" or MIDI file (mnuFileSave)
//   Line1        the rule between the lists and the buttons
//   Timer2       the beat pulse and the metronome; Timer3 the time display
class TransportPanel : public QObject,
                       public TransportView,
                       public SidePanelsView,
                       public FileCommandsView {
  Q_OBJECT

 public:
  TransportPanel(Player& player, QWidget* form);
  ~TransportPanel() override;

  QAction* OpenMenuItem() const { return mnuFileOpen; }
  QAction* SaveMenuItem() const { return mnuFileSave; }
  void SetCaptions();
  void Place(int mode);
  // Whether a key typed into the tempo box stays there: digits, "." and Backspace do; any other
  // key sends the focus back to the window, whose key handlers then play it.
  bool TempoKeepsKey(QObject* watched, const QKeyEvent& key);

  // TransportView
  void ShowStart(bool enabled, int picture) override;
  void ShowRecord(bool enabled, int picture) override;
  void ShowStop(bool enabled, int picture) override;
  void ShowMetronome(int picture) override;
  void ShowLoop(bool on) override;
  void ShowSpeed(int entry, int rgb) override;
  void HideSpeed() override;
  void ShowNote(int entry, int rgb) override;
  void ShowTime(const std::string& text) override;
  void ShowRunning(bool running) override;
  void EnableSave() override;
  void SetBeatTimer(bool enabled, int interval_ms) override;
  void SetTimeDisplay(bool running) override;
  // SidePanelsView: the strip opened or closed.
  void ShowTransportControls(bool shown, bool clock_shown) override;
  // FileCommandsView
  std::optional<ChosenFile> AskOpenPath(const FileDialogAsk& ask) override;
  std::optional<ChosenFile> AskSavePath(const FileDialogAsk& ask) override;
  bool ShiftHeld() override;
  std::string DocumentsFolder() override;
  void SetBusy(bool busy) override;
  void ShowExportCover(bool shown) override;

 protected:
  // The file buttons go back to their normal look when the pointer leaves them.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateButtons(QWidget* form);
  void CreateLists(QWidget* form);
  void UpdateVisibility();
  double TempoBox() const;
  double BeatsBox() const;
  void BoxesChanged();
  void CmdRec_MouseUp(Qt::MouseButton button);
  void CmdStart_Click();
  void CmdStop_Click();
  void Label7_MouseDown(Qt::MouseButton button);
  void MTLabel_MouseMove(int x);
  void MTLabel_MouseUp(int x);
  void Combo3_Change();
  void Combo3_Click();
  void FileButtonLook(PictureButton* button, bool save, int look);

  Player& player_;
  QWidget* form_;
  PictureButton* CmdRec = nullptr;
  PictureButton* CmdStart = nullptr;
  PictureButton* CmdStop = nullptr;
  PictureButton* CmdLoop = nullptr;
  PictureButton* CkMtr = nullptr;
  PictureButton* CmdOpen = nullptr;
  PictureButton* CmdSave = nullptr;
  PictureButton* Label7 = nullptr;
  TimeLabel* MTLabel = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label6 = nullptr;
  QComboBox* Combo3 = nullptr;
  QComboBox* Combo2 = nullptr;
  QFrame* Line1 = nullptr;
  QAction* mnuFileOpen = nullptr;
  QAction* mnuFileSave = nullptr;
  QTimer Timer1;  // once a second while running: the recording time limit
  QTimer Timer2;
  QTimer Timer3;
  int mode_ = 0;
  bool speed_shown_ = true;  // Label7 hides while a take runs
  int start_picture_ = 116;
  int record_picture_ = 120;
  int stop_picture_ = 123;
};

}  // namespace kirivane
