#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "common/basic/clock.h"
#include "common/basic/sounds.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

inline constexpr int kSoundPanel = 104;  // the short sound of the record/playback panel

// A rectangle of the window in pixels.
struct PanelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PanelRect&) const = default;
};

// One step of the record/playback panel's animation: where its handle picture (Image13) and
// its background (Shape3) stand, and how long the step stays on screen.
struct PlayPanelFrame {
  int handle_left = 0;
  int handle_top = 0;
  PanelRect background;
  int pause_ms = 0;  // 0 on the last frame: the panel's resting place
  bool operator==(const PlayPanelFrame&) const = default;
};

// The frames that open (or close) the panel, ending with its resting place. Without effects
// only the resting place.
std::vector<PlayPanelFrame> PlayPanelFrames(bool opening, bool effects);

// Picture files found for the note picture and the score views. Index 0 of each list is the
// default picture. Instruments: index p + 1 is program p. Percussion and score: index n is
// note n; score index 128 stands for note 0. An empty path = no picture.
struct NotePictureTable {
  std::array<std::array<std::string, 129>, 2> NotePictures{};  // set 0 instruments, 1 drums
  std::array<std::string, 129> ScorePictures{};
};

// Fills the table from the first folder of the list that exists (each with its trailing
// separator): the user's picture folder, the program's "image" folder, the built-in pictures.
// A picture is the prefix ("n", "d", "s"), three digits and ".png", ".gif" or ".jpg", tried in
// that order.
NotePictureTable LoadNotePictures(const std::vector<std::string>& folders,
                                  const std::function<bool(const std::string&)>& exists);

// Where the note picture stands: its bottom at y 149, centred on x 41 (never left of 0).
PanelRect NotePicturePlace(int width, int height);

// What the score view shows for ShowScoreNote (n): callers pass the note minus one, modulo 128
// (so 127 stands for note 0, picture 128). Nothing changes without effects or with the score
// panel closed. 0 is the reset: the default picture without text, the labels as they are.
// Labels read name, octave (C4 = 60, or C3 with C3To60), "-", note: " C4-60".
struct ScoreNoteChoice {
  bool changes = false;     // false: the view keeps what it shows
  int note = -1;            // the note on the staff, -1 for the empty staff
  bool set_labels = false;  // the version labels show the note and its number
  std::string labels;       // " C4-60"
  std::string picture;      // empty: clear the picture
  std::string note_text;    // printed on the picture; empty on the default picture
};
ScoreNoteChoice ChooseScoreNote(const PlayerState& state, const NotePictureTable& table, int n);

// What the side panels show. Every method has an empty body, so a panel overrides only what it
// has. Transport controls of the record/playback strip belong to the transport panel; this view
// only shows or hides them as a group.
class SidePanelsView {
 public:
  virtual ~SidePanelsView() = default;
  // Record/playback strip: its controls (the time label only while the clock runs), one frame
  // of its animation (placed and painted at once), the menu check.
  virtual void ShowTransportControls(bool /*shown*/, bool /*clock_shown*/) {}
  virtual void ShowPlayPanelFrame(const PlayPanelFrame& /*frame*/) {}
  virtual void SetPlayPanelChecked(bool /*checked*/) {}
  // Image9 and Image10, shown while the strip is closed.
  virtual void ShowStripDecorations(bool /*shown*/) {}
  // The two Label12 version labels: text, and whether they are shown.
  virtual void SetVersionLabels(const std::string& /*text*/) {}
  virtual void ShowVersionLabels(bool /*shown*/) {}
  // Score panel: open or closed (PicScore, the score button's place and pointer, the menu
  // check), and the note it shows (the picture, or none when it is empty).
  virtual void ShowScorePanel(bool /*open*/) {}
  virtual void ShowScore(const ScoreNoteChoice& /*choice*/) {}
  // The note picture (ImgMusicIcon).
  virtual void ShowNotePicture(const std::string& /*path*/) {}
  virtual void ClearNotePicture() {}
  // The Command10 pair: pressed or normal pictures; the options button (index 1) shown or not.
  virtual void SetPadPictures(bool /*pressed*/) {}
  virtual void ShowOptionsButton(bool /*shown*/) {}
};

// The side panels of the full window: the record/playback strip, the score panel, the note
// picture and the Command10 pair.
class SidePanels {
 public:
  SidePanels(PlayerState& state, MidiMode& midi, Clock& clock, Sounds& sounds)
      : state_(state), midi_(midi), clock_(clock), sounds_(sounds) {}

  void SetView(SidePanelsView* view) { view_.Set(view); }
  void SetWindow(WindowCommands* window) { window_.Set(window); }

  void SetPictures(NotePictureTable table) { pictures_ = std::move(table); }
  const NotePictureTable& Pictures() const { return pictures_; }

  // Opens or closes the record/playback strip. Returns false when refused: the strip cannot
  // close while a recording runs.
  bool TogglePlayPanel();
  void ShowScorePanel();
  // The score button and its menu item: open or close the score panel.
  void ImgScoreB_Click();
  // A note that sounded (a note-on sent from the keys or the mouse): the next score note
  // shows it, whatever number the caller derived from the key.
  void NoteSounded(int note);
  void ShowScoreNote(int n);
  void ShowNotePicture(int index, int set);
  void ClearNotePicture() { view_->ClearNotePicture(); }
  void Command10_MouseDown();
  void Command10_MouseUp();
  // The beat pulse of playback and the metronome: the pads pressed or released.
  void PulsePads(bool down) { view_->SetPadPictures(down); }
  void ShowOptionsButton(bool shown) { view_->ShowOptionsButton(shown); }

 private:
  void ClosePlayPanel();
  void OpenPlayPanel();
  void RunFrames(bool opening);

  PlayerState& state_;
  MidiMode& midi_;
  Clock& clock_;
  Sounds& sounds_;
  ViewSlot<SidePanelsView> view_;
  ViewSlot<WindowCommands> window_;
  NotePictureTable pictures_;
  int sounded_note_ = -1;  // the first note sounded since the score last showed one
};

}  // namespace kirivane
