#pragma once

#include <string>
#include <vector>

#include "player/state/player_state.h"
#include "player/midi/midi_hooks.h"
#include "player/midi/midi_in.h"
#include "player/midi/midi_mode.h"
#include "player/state/view_slot.h"

namespace kirivane {

// What the MIDI input's controls show. Every method has an empty default, so a view takes only
// what it shows.
class MidiThruView {
 public:
  virtual ~MidiThruView() = default;
  // The input port in use now, "" for none: after a choice, a failure or a lost port.
  virtual void ShowInputPort(const std::string& /*port*/) {}
  virtual void ShowPortOpenFailed(const std::string& /*port*/, const std::string& /*error*/) {}
  // The port went away while open; input has fallen back to none.
  virtual void ShowPortLost(const std::string& /*port*/) {}
};

// Plays a MIDI keyboard through the player: incoming notes (velocity as played), the damper,
// pitch bend, modulation and program changes go to the output on the keyboard channel, without
// octave or transposition. Notes light their keys with the MIDI input's own colour; notes and
// the damper are recorded like typed ones. Every note it started is ended again when the port
// closes or changes, and by ReleaseAll (focus loss, closing the window).
class MidiThru : public MidiInListener {
 public:
  MidiThru(PlayerState& state, MidiMode& midi, MidiIn& in, KeyboardView& keyboard);
  ~MidiThru() override;
  MidiThru(const MidiThru&) = delete;
  MidiThru& operator=(const MidiThru&) = delete;

  void SetView(MidiThruView* view) { view_.Set(view); }

  // The ports that can be chosen now (full names), for the device lists.
  std::vector<std::string> PortNames() { return in_.PortNames(); }
  // Makes `port` the input ("" for none), ending the notes of the port before. A port that
  // cannot be opened is reported and leaves input at none. False then.
  bool SelectPort(const std::string& port);
  // At start: opens the port the settings name, if any.
  void OpenSavedPort();
  // Ends every incoming note still sounding on the channel it went to, lifts the input's
  // damper, and returns pitch bend and modulation to rest.
  void ReleaseAll();

  // MidiInListener: called by the input on the UI thread.
  void MidiInReady() override;
  void MidiInPortLost(const std::string& port) override;

 private:
  // Handles one message; true when it changed a key on the keyboard.
  bool Handle(const MidiInMessage& message);
  bool NoteOn(int note, int velocity);
  bool NoteOff(int note);
  void EndNote(int note);
  void Damper(int value);
  void SendToKeyChannel(int kind, int data1, int data2);
  void ReleaseControllers();

  PlayerState& state_;
  MidiMode& midi_;
  MidiIn& in_;
  KeyboardView& keyboard_;
  ViewSlot<MidiThruView> view_;
};

}  // namespace kirivane
