#pragma once

#include <cstdint>
#include <vector>

#include "player/midi/midi_hooks.h"
#include "player/midi/midi_out.h"
#include "player/state/messages.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"

namespace kirivane {

// Every sound of the player leaves through here: note arithmetic, packed short messages,
// channels, and the hand-off of played notes to the recorder. Holds references only; the
// state is PlayerState's.
class MidiMode {
 public:
  MidiMode(PlayerState& state, MidiOut& out);

  // Optional collaborators; without them notes are neither recorded nor drawn.
  void SetEventSink(EventSink* sink) { sink_ = sink; }
  void SetKeyboardView(KeyboardView* view) { view_ = view; }
  void SetControllerHook(ControllerHook* hook) { controller_ = hook; }
  void SetLampView(LampView* lamp) { lamp_.Set(lamp); }
  void SetMessages(Messages* messages) { messages_.Set(messages); }

  // Device. OpenMidiOut returns 0 on success, else the device's error code (already shown
  // in the error message box).
  int OpenMidiOut(int device_id);
  void CloseMidiOut();
  bool DeviceOpen() const;

  // Key values: the key handlers pass key number + 12.
  int NoteOfKey(int key_value) const;
  void KeyNoteOn(int key_value);
  void KeyNoteOnVelocity(int key_value, int velocity);
  void KeyNoteOff(int key_value);

  void SendNoteOn(int note);
  void SendNoteOnVelocity(int note, int velocity);
  void SendNoteOff(int note);
  // A note of a recorded performance; velocity 0 is a note-off. Lights the key (playback).
  void PlayRecordedNote(int note, int velocity);

  void DamperOn();
  void DamperOff();
  // Colours the damper lamp and keeps its colours (Windows RGB values).
  void SetDamperLamp(int border_rgb, int fill_rgb);

  // What the MIDI input plays through (MidiThru). A note-off on the channel its note-on went
  // out on, recorded like SendNoteOff's.
  void SendNoteOffOnChannel(int note, int channel);
  // A damper value as the MIDI keyboard sent it, on one channel. When it moves the pedal
  // between up and down (64 and above is down), the change is recorded and lit like the Space
  // key's pedal.
  void SendDamperValue(int value, int channel, bool pedal_changed);
  void AllNotesOff();
  void SendMainVolume(int volume);
  void SendModulation();
  void SendBankProgram(int bank, int program, int channel);
  void ResetSound();
  void SendShort(int status, int data1, int data2);
  void SendLong(const std::vector<std::uint8_t>& bytes);
  // Bank select and program change on the keyboard channel, then on the playback channel
  // when that one differs.
  void SendProgramOnChannels(int bank, int program);

  PlayerState& State() { return state_; }

 private:
  PlayerState& state_;
  MidiOut& out_;
  EventSink* sink_ = nullptr;
  KeyboardView* view_ = nullptr;
  ControllerHook* controller_ = nullptr;
  ViewSlot<LampView> lamp_;
  ViewSlot<Messages> messages_;

  // A controller on the keyboard channel, the playback channel when it differs, and channel 10
  // while the percussion set is selected.
  void SendControlOnSettingsChannels(int controller, int value);
  // Controller 64 on the keyboard channel and on the playback channel when it differs, recorded
  // as the given event kind.
  void SendDamper(int value, int kind);
  void LightDamperLamp(bool down);
  void Record(int data, int velocity, int kind);
};

}  // namespace kirivane
