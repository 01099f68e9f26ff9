#include "player/layout/side_panels.h"

#include <algorithm>
#include <cstdio>

namespace kirivane {

namespace {

constexpr int kPercussionStatus = 0x99;
constexpr int kScoreOpenSound = 78;
constexpr int kScoreCloseSound = 79;

constexpr std::array<const char*, 12> kLetterNames{" C", "C#", " D", "D#", " E", " F",
                                                   "F#", " G", "G#", " A", "A#", " B"};
// Half-width katakana, as the Japanese interface prints them.
constexpr std::array<const char*, 12> kSolfegeNames{"  ﾄﾞ", " ﾄﾞ#", "  ﾚ", " ﾚ#", "  ﾐ", " ﾌｧ",
                                                    "ﾌｧ#",  "  ｿ",  " ｿ#", "  ﾗ", " ﾗ#", "  ｼ"};

// The strip's background keeps its top; open and closed it is this wide and high.
constexpr int kStripTop = 490;
constexpr PlayPanelFrame kOpenPlace{164, 551, {86, kStripTop, 306, 67}, 0};
constexpr PlayPanelFrame kClosedPlace{165, 499, {18, kStripTop, 433, 15}, 0};

}  // namespace

std::vector<PlayPanelFrame> PlayPanelFrames(bool opening, bool effects) {
  if (!effects) return {opening ? kOpenPlace : kClosedPlace};
  // Each step changes some of the strip's measures and keeps the others from the step before,
  // so the two ways differ in the middle.
  if (opening) {
    return {{165, 504, {42, kStripTop, 389, 21}, 5},
            {165, 514, {74, kStripTop, 331, 31}, 10},
            {165, 528, {74, kStripTop, 331, 45}, 20},
            {165, 540, {74, kStripTop, 331, 72}, 25},
            kOpenPlace};
  }
  return {{164, 540, {86, kStripTop, 306, 72}, 5},
          {164, 528, {86, kStripTop, 306, 45}, 10},
          {164, 514, {74, kStripTop, 331, 31}, 20},
          {164, 504, {42, kStripTop, 389, 21}, 25},
          kClosedPlace};
}

NotePictureTable LoadNotePictures(const std::vector<std::string>& folders,
                                  const std::function<bool(const std::string&)>& exists) {
  NotePictureTable table;
  const std::string* folder = nullptr;
  for (const std::string& candidate : folders) {
    if (!candidate.empty() && exists(candidate)) {
      folder = &candidate;
      break;
    }
  }
  if (folder == nullptr) return table;
  const auto find = [&](char prefix, int index) -> std::string {
    char name[8];
    std::snprintf(name, sizeof name, "%c%03d", prefix, index);
    for (const char* extension : {".png", ".gif", ".jpg"}) {
      const std::string path = *folder + name + extension;
      if (exists(path)) return path;
    }
    return {};
  };
  for (int i = 0; i <= 128; ++i) {
    const auto at = static_cast<std::size_t>(i);
    table.NotePictures[0][at] = find('n', i);
    table.NotePictures[1][at] = find('d', i);
    table.ScorePictures[at] = find('s', i);
  }
  return table;
}

PanelRect NotePicturePlace(int width, int height) {
  const int left = 41 - width / 2;
  return {left < 0 ? 0 : left, 149 - height, width, height};
}

ScoreNoteChoice ChooseScoreNote(const PlayerState& state, const NotePictureTable& table, int n) {
  ScoreNoteChoice choice;
  if (state.layout.EffectOn != 1 || state.layout.ScoreMode != 1) return choice;
  choice.changes = true;
  // Callers pass the note minus one, modulo 128, so 127 stands for note 0 (picture 128).
  // 0 asks for the empty staff: it comes from the resets (instrument change, panel toggle);
  // note 1 lies below every key and is never played.
  const int c = n <= 0 ? 0 : std::min(n + 1, 128);
  const int note = c % 128;
  if (c >= 1) choice.note = note;
  if (c >= 1 && state.layout.DisplayMode == 0) {
    const int octave = note / 12 - 1 - state.display.C3To60;
    choice.set_labels = true;
    choice.labels = std::string(kLetterNames[static_cast<std::size_t>(note % 12)]) +
                    std::to_string(octave) + "-" + std::to_string(note);
  }
  const std::string& own = table.ScorePictures[static_cast<std::size_t>(c)];
  choice.picture = own.empty() ? table.ScorePictures[0] : own;
  if (!own.empty() && c != 0) {
    const auto& names = state.app.EnglishUI == 1 ? kLetterNames : kSolfegeNames;
    choice.note_text = names[static_cast<std::size_t>(note % 12)];
  }
  return choice;
}

// --- record/playback strip ------------------------------------------------------------------

bool SidePanels::TogglePlayPanel() {
  LayoutState& layout = state_.layout;
  if (state_.performance.Recording == -1 && layout.PanelOpen == -1) return false;
  if (state_.app.OpenPending != -1) sounds_.Play(kSoundPanel);
  if (layout.PanelOpen == -1) {
    ClosePlayPanel();
  } else {
    OpenPlayPanel();
  }
  return true;
}

void SidePanels::ClosePlayPanel() {
  state_.layout.PanelOpen = 0;
  view_->ShowTransportControls(false, false);
  RunFrames(false);
  if (state_.app.ShowVersion == -1) view_->SetVersionLabels(state_.app.VersionText);
  view_->ShowStripDecorations(true);
  view_->SetPlayPanelChecked(false);
}

void SidePanels::OpenPlayPanel() {
  state_.layout.PanelOpen = -1;
  if (state_.app.ShowVersion == -1) view_->SetVersionLabels("");
  view_->ShowStripDecorations(false);
  RunFrames(true);
  const PerformanceState& performance = state_.performance;
  view_->ShowTransportControls(true, performance.Playing == -1 || performance.Recording == -1);
  view_->SetPlayPanelChecked(true);
}

void SidePanels::RunFrames(bool opening) {
  for (const PlayPanelFrame& frame : PlayPanelFrames(opening, state_.layout.EffectOn == 1)) {
    view_->ShowPlayPanelFrame(frame);
    if (frame.pause_ms > 0) clock_.SleepMs(frame.pause_ms);
  }
}

// --- score panel ----------------------------------------------------------------------------

void SidePanels::ShowScorePanel() {
  const int mode = state_.layout.ScoreMode;
  if (mode == 1) {
    if (state_.app.ShowVersion == 0) view_->SetVersionLabels("");
    view_->ShowVersionLabels(true);
  } else {
    view_->SetVersionLabels("");
    view_->ShowVersionLabels(false);
  }
  view_->ShowScorePanel(mode == 1);
  midi_.SendShort(kPercussionStatus, mode == 1 ? kScoreOpenSound : kScoreCloseSound,
                  state_.midi.PlayVelocity);
  window_->FitClientArea();
}

void SidePanels::ImgScoreB_Click() {
  LayoutState& layout = state_.layout;
  layout.ScoreMode = 1 - layout.ScoreMode;
  ShowScoreNote(0);
  ShowScorePanel();
}

void SidePanels::NoteSounded(int note) {
  if (sounded_note_ == -1) sounded_note_ = note;
}

void SidePanels::ShowScoreNote(int n) {
  // The key handlers pass a number derived from the key, not from the note that sounds (the
  // octave and transposition are left out): the score shows the sounding note instead.
  if (n != 0 && sounded_note_ >= 0) n = (sounded_note_ + 127) % 128;
  sounded_note_ = -1;
  const ScoreNoteChoice choice = ChooseScoreNote(state_, pictures_, n);
  if (!choice.changes) return;
  if (choice.set_labels) view_->SetVersionLabels(choice.labels);
  view_->ShowScore(choice);
}

// --- note picture and the Command10 pair ----------------------------------------------------

void SidePanels::ShowNotePicture(int index, int set) {
  if (state_.layout.EffectOn != 1 || set < 0 || set > 1) return;
  const auto& pictures = pictures_.NotePictures[static_cast<std::size_t>(set)];
  const int at = index + 1;
  const std::string own = at >= 0 && at <= 128 ? pictures[static_cast<std::size_t>(at)] : "";
  const std::string& path = own.empty() ? pictures[0] : own;
  if (path.empty()) {
    view_->ClearNotePicture();
  } else {
    view_->ShowNotePicture(path);
  }
}

void SidePanels::Command10_MouseDown() {
  if (state_.layout.EffectOn != 1 || state_.performance.PadPressed != 0) return;
  state_.performance.PadPressed = -1;
  view_->SetPadPictures(true);
}

void SidePanels::Command10_MouseUp() {
  if (state_.layout.EffectOn != 1 || state_.performance.PadPressed != -1) return;
  state_.performance.PadPressed = 0;
  view_->SetPadPictures(false);
}

}  // namespace kirivane
