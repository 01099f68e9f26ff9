#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "common/basic/clock.h"
#include "common/basic/sounds.h"
#include "player/chords/chord_selection.h"
#include "player/display/keyboard_display.h"
#include "player/display/mouse_play.h"
#include "player/input/input_window.h"
#include "player/input/key_event_actions.h"
#include "player/input/key_events.h"
#include "player/input/key_hook.h"
#include "player/input/key_map_loader.h"
#include "player/input/percussion_set.h"
#include "player/layout/display_modes.h"
#include "player/midi/midi_mode.h"
#include "player/midi/midi_out.h"
#include "player/midi/midi_panel.h"
#include "player/state/player_state.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace kirivane {

class Keyboard;
class LampShape;
class PictureButton;
class RandomSource;
class ScorePanel;

// The main window: its controls, its menu, its timers, the display modes, and the staged
// start and end of the program. Handlers read their controls, call core and show the result.
class Form1 : public QWidget,
              public KeyEventActions,
              public MidiNotices,
              public NoteNameLabel,
              public ChordLabelView,
              public KeyMapNotices,
              public MidiPanelHost,
              public MousePlayPeers,
              public EventSink,
              public InputWindow {
  Q_OBJECT

 public:
  // settings_path: where the settings file is read and written.
  Form1(PlayerState& state, MidiOut& out, Clock& clock, RandomSource& random, KeyHook& hook,
        Sounds& sounds, std::string settings_path);
  ~Form1() override;

  // The load of the window (shows it). False when the program must end at once.
  bool Form_Load();
  // The client area's position on the screen in twips.
  WindowPosition PositionTwips() const;

  // KeyEventActions
  void RefreshKeyboard() override;
  void ShowNoteName(int note) override;
  void PanelPicturesDown() override {}
  void PanelPicturesUp() override {}
  void ShowScoreNote(int n) override;
  void ShowNotePicture(int) override {}
  void RestoreIfMinimized() override;
  void ApplyDisplayMode() override;
  void ResendInstrument() override;
  void OpenHelp() override;
  void ShowAbout() override {}
  void ApplyCcValue(int) override {}
  void SwitchCcMode(int) override {}
  bool StartEnabled() override { return false; }
  bool StopEnabled() override { return false; }
  void TogglePlayPanel() override {}
  void StartPlayback() override {}
  void StopPlayback() override {}
  void StartRecording() override {}
  bool PerformanceInMemory() override { return false; }
  void ShowRecordPicture(int) override {}
  void ToggleMetronome() override {}
  int SetOctaveScroll(int value) override;
  int SetTransposeScroll(int value) override;
  void SelectInstrument(int index) override;

  // MidiNotices (and InputWindow's damper lamp)
  void ShowDeviceError(const char* utf8_text) override;
  void SetDamperLamp(int border_rgb, int fill_rgb) override;
  // InputWindow
  void SetHookButton(const std::string& caption, int back_colour) override;
  void SetHookButtonCaption(const std::string& caption) override;
  void SetKeyPreview(bool on) override { key_preview_ = on; }
  void RebuildCaption() override { UpdateCaption(); }
  void FocusMainForm() override { ReturnFocus(); }
  void ShowInformation(const std::string& text, const std::string& title) override;
  void PlaySound(int wave_resource) override { sounds_.Play(wave_resource); }
  void SetPercussionButtonNoDrop(bool no_drop) override;
  void ShowPercussionPicture(bool shown) override;
  void ClearMusicIcon() override {}
  void SetPadCursor(int cursor_resource) override;
  // NoteNameLabel
  bool StopButtonEnabled() const override { return false; }
  void SetNoteName(const std::string& text) override;
  // ChordLabelView
  void SetChordLabel(const std::string& text) override;
  // KeyMapNotices
  void ShowKeyMapMissing(const std::string& text, const std::string& title) override;
  void ShowDefaultKeyMapBroken(const std::string& text, const std::string& title) override;
  void CheckKeyMapMenu(KeyMapMenuEntry entry) override;
  // MidiPanelHost
  void RedrawKeyboard() override;
  void ShowKeyboardMessage(const std::string& text) override;
  void ClearChordCaption() override;
  void ExitRequested() override;
  void ReturnFocus() override;
  bool LayoutInProgress() const override { return layout_in_progress_; }
  void WaitWithEvents(int milliseconds) override;
  void SetTimer1(bool enabled) override;

  // MousePlayPeers
  void ShowNotePicture(int, int) override {}
  void Command10_MouseDown() override {}
  void Command10_MouseUp() override {}
  void Form_MouseDown(int button, int shift, float x, float y) override;
  void DoEvents() override;

  // EventSink: every note played from the keys and the mouse passes here on its way to the
  // recorder; the score panel shows the note that really sounds.
  void RecordEvent(int data, int velocity, int kind) override;

  void SetTopmost(int flag);
  // A key from the system-wide hook: X keycode, pressed or released, NumLock on.
  void HookKey(int keycode, bool down, bool num_lock);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // form1_window.cpp
  void CreateControls();
  void SetFontsAndCaptions();
  void UpdateCaption();
  std::string Lang(int entry) const;
  // The error box: the face picture, then the message (titled AppTitle unless a title is given).
  void ShowError(const std::string& text, bool critical, const std::string& title = {});
  // form1_menu.cpp
  void CreateMenu();
  void mnuTopmost_Click();
  void mnuScoreOC_Click();
  void mnuVol_Click();
  void LoadKeyMapFile(const std::string& path, int wave_resource);
  void mnuKeysFileOpen_Click();
  // form1_display.cpp
  void LayoutFullWindow(const DisplayModePlan& plan);
  void LayoutCompactWindow(const DisplayModePlan& plan);
  void PlaceControls(int mode);
  void PlaceWindow(const DisplayModePlan& plan);
  void SetWindowRegion(WindowShape shape);
  void SnapWindow();
  void StartDrag(const QPoint& global);
  void FinishDrag();
  // form1_keys.cpp
  void Check1_Click();
  void ShowCheck1(int mode);
  void Pad_MouseUp(int pad);
  // form1_lifecycle.cpp
  void Form_QueryUnload();
  void WaitTimer_Timer();
  void Form_Unload();
  void DrawFarewell();
  void ApplySeasonalLook();

  PlayerState& state_;
  MidiOut& out_;
  Clock& clock_;
  RandomSource& random_;
  std::string settings_path_;
  std::unique_ptr<MidiMode> midi_;
  Keyboard* Keyboard_ = nullptr;
  std::unique_ptr<KeyboardDisplay> display_;
  std::unique_ptr<ChordSelection> chords_;
  std::unique_ptr<KeyEvents> keys_;
  std::unique_ptr<MousePlay> mouse_play_;
  std::unique_ptr<PercussionSet> percussion_;
  MidiPanel* midi_panel_ = nullptr;

  LampShape* Shape1 = nullptr;
  QPushButton* Check1 = nullptr;
  QLabel* Label3 = nullptr;  // transposition
  QLabel* Label5 = nullptr;  // device
  QLabel* Label8 = nullptr;  // instrument
  QLabel* Label1 = nullptr;  // chord
  QLabel* Label2 = nullptr;  // octave
  QLabel* LblTitle = nullptr;
  ScorePanel* PicScore = nullptr;
  QLabel* Lbl_Chord = nullptr;
  QLabel* LblNote = nullptr;
  std::array<QLabel*, 2> Label12{};
  QLabel* ImgKao01 = nullptr;
  PictureButton* ImgChordPad = nullptr;
  PictureButton* Image16 = nullptr;
  QWidget* stImage = nullptr;
  PictureButton* Image7 = nullptr;
  PictureButton* Image8 = nullptr;
  QLabel* Image12 = nullptr;
  QLabel* ImgLyrcon = nullptr;
  QWidget* EndShape = nullptr;  // over the window while it closes

  QMenu* mnu = nullptr;
  QAction* mnuTopmost = nullptr;
  QAction* mnuKeysDefault = nullptr;
  QAction* mnuKeysMod = nullptr;
  QAction* mnuKeysPosition = nullptr;
  QAction* mnuCC = nullptr;
  QAction* mnuScoreOC = nullptr;

  KeyHook& hook_;
  Sounds& sounds_;
  QTimer Timer1;
  QTimer WaitTimer;
  QTimer drag_settle_;

  EventSink* recorder_ = nullptr;
  int sounded_note_ = -1;  // first note sounded since the score panel last showed one
  bool layout_in_progress_ = false;
  bool key_preview_ = true;  // off while the hook delivers the keys
  bool unloading_ = false;
  bool settings_saved_ = false;
  bool dragging_manually_ = false;
  bool drag_pending_ = false;
  QPoint drag_offset_;
};

}  // namespace kirivane
