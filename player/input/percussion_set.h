#pragma once

#include "common/basic/sounds.h"
#include "player/input/key_map_commands.h"
#include "player/midi/midi_mode.h"
#include "player/state/messages.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

class DeviceControls;
class SidePanels;

// What the percussion panel shows: the "no drop" pointer on its button (Image16), the picture
// of the set (stImage) and the pointer over the two pads (Image7, Image8).
class PercussionView {
 public:
  virtual ~PercussionView() = default;
  virtual void SetPercussionButtonNoDrop(bool /*no_drop*/) {}
  virtual void ShowPercussionPicture(bool /*shown*/) {}
  virtual void SetPadCursor(int /*cursor_resource*/) {}
};

// The percussion set: keyboard and playback notes go to channel 10 while it is selected.
// Image16 selects it; Image7 and Image8 leave it, and pressing them plays two drums each.
class PercussionSet {
 public:
  PercussionSet(PlayerState& state, MidiMode& midi, Sounds& sounds, DeviceControls& devices,
                SidePanels& side_panels, KeyMapCommands& key_maps)
      : state_(state),
        midi_(midi),
        sounds_(sounds),
        devices_(devices),
        side_panels_(side_panels),
        key_maps_(key_maps) {}

  void SetView(PercussionView* view) { view_.Set(view); }
  void SetWindow(WindowCommands* window, Messages* messages) {
    window_.Set(window);
    messages_.Set(messages);
  }

  // Image16_Click: selects the set (with its message, sound, picture and lamp).
  void EnterPercussionSet();
  // At load, when the program starts with the set (/H, /S): no message and no sound.
  void StartWithPercussionSet();
  // Image7_Click, Image8_Click. Leaving the set also leaves the random key map for the default
  // one; when not even that can be loaded the program closes (the rest is left undone).
  KeyMapLoadResult LeavePercussionSet();
  // Image7 and Image8 pressed and released: the drum pads (7 for Image7, 8 for Image8).
  void PadMouseDown(int pad);
  void PadMouseUp(int pad);

 private:
  KeyMapLoadResult Leave();

  PlayerState& state_;
  MidiMode& midi_;
  Sounds& sounds_;
  DeviceControls& devices_;
  SidePanels& side_panels_;
  KeyMapCommands& key_maps_;
  ViewSlot<PercussionView> view_;
  ViewSlot<WindowCommands> window_;
  ViewSlot<Messages> messages_;
};

}  // namespace kirivane
