#pragma once

#include <string>

namespace kirivane {

// The main window's controls that the typing-key subsystem drives: the hook button, the
// percussion pictures, the window caption, message boxes and sounds. The window implements
// it; texts arrive ready to show.
class InputWindow {
 public:
  virtual ~InputWindow() = default;
  // The hook button (Check1): caption and back colour (Windows RGB, red in the low byte).
  virtual void SetHookButton(const std::string& caption, int back_colour) = 0;
  virtual void SetHookButtonCaption(const std::string& caption) = 0;
  // Whether the window sees keys before its controls do (off while the hook delivers them).
  virtual void SetKeyPreview(bool on) = 0;
  // Caption = AppTitle & ModeTitle & TitleSuffix, from the state.
  virtual void RebuildCaption() = 0;
  virtual void FocusMainForm() = 0;
  virtual void ShowInformation(const std::string& text, const std::string& title) = 0;
  virtual void PlaySound(int wave_resource) = 0;
  // The percussion set's controls: the "no drop" pointer on its button, its picture, the music
  // icon, the damper lamp and the cursor over the two pad pictures.
  virtual void SetPercussionButtonNoDrop(bool no_drop) = 0;
  virtual void ShowPercussionPicture(bool shown) = 0;
  virtual void ClearMusicIcon() = 0;
  virtual void SetDamperLamp(int border_rgb, int fill_rgb) = 0;
  virtual void SetPadCursor(int cursor_resource) = 0;
};

}  // namespace kirivane
