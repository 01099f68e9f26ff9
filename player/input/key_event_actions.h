#pragma once

namespace kirivane {

// What the key handlers ask of the main window and of the subsystems that own the controls:
// display modes, playback and recording, the metronome, the controller panel, the score view,
// the scroll bars and the instrument list. The window implements it and forwards each call to
// the control or panel concerned.
class KeyEventActions {
 public:
  virtual ~KeyEventActions() = default;

  // On-screen keyboard and side panels.
  virtual void RefreshKeyboard() = 0;          // repaint after key drawings
  virtual void ShowNoteName(int note) = 0;     // note name of the 128-key bar
  virtual void PanelPicturesDown() = 0;        // the panel pictures show pressed
  virtual void PanelPicturesUp() = 0;          // ... and released
  virtual void ShowScoreNote(int note) = 0;    // score view
  virtual void ShowNotePicture(int note) = 0;  // picture of a percussion instrument

  // Window: display modes (RequestedDisplayMode is set before), help, about box.
  virtual void RestoreIfMinimized() = 0;
  virtual void ApplyDisplayMode() = 0;
  virtual void ResendInstrument() = 0;  // the instrument list's click: bank and program again
  virtual void OpenHelp() = 0;
  virtual void ShowAbout() = 0;

  // Controller panel.
  virtual void ApplyCcValue(int value) = 0;
  virtual void SwitchCcMode(int step) = 0;

  // Playback and recording.
  virtual bool StartEnabled() = 0;
  virtual bool StopEnabled() = 0;
  virtual void TogglePlayPanel() = 0;
  virtual void StartPlayback() = 0;
  virtual void StopPlayback() = 0;
  virtual void StartRecording() = 0;
  virtual bool PerformanceInMemory() = 0;  // a recorded performance (events) is held
  virtual void ShowRecordPicture(int bitmap_resource) = 0;
  virtual void ToggleMetronome() = 0;

  // Scroll bars and the instrument list. Setting a bar runs its change handling; the value
  // returned is the bar's value afterwards (the octave bar may refuse 3 while transposed up).
  virtual int SetOctaveScroll(int value) = 0;
  virtual int SetTransposeScroll(int value) = 0;
  virtual void SelectInstrument(int index) = 0;
};

}  // namespace kirivane
