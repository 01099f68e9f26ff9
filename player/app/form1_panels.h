#pragma once

namespace kirivane {

class ChordPanel;
class DecorationPanel;
class DialogsPanel;
class HookPanel;
class KeyboardPanel;
class KeyMapPanel;
class LanternPanel;
class MidiInPanel;
class MidiPanel;
class PercussionPanel;
class ScorePanel;
class SidePanelsPanel;
class TransportPanel;

// The panels of the main window, children of the form (Qt deletes them with it).
struct Form1Panels {
  HookPanel* hook = nullptr;               // Check1, the key monitor button
  KeyboardPanel* keyboard = nullptr;       // the keyboard picture and the note label
  MidiPanel* midi = nullptr;               // device, instrument and bank lists, octave bars
  ChordPanel* chord = nullptr;             // the chord pad
  PercussionPanel* percussion = nullptr;   // the drum and the percussion pads
  DecorationPanel* decoration = nullptr;   // title, version labels, ImgLyrcon
  ScorePanel* score = nullptr;             // PicScore
  SidePanelsPanel* side_panels = nullptr;  // the strip, FrmSide, ImgMusicIcon, Command10
  LanternPanel* lantern = nullptr;         // the controller lantern
  KeyMapPanel* key_map = nullptr;          // the key map menu and dialog
  MidiInPanel* midi_in = nullptr;          // the MIDI input menu
  DialogsPanel* dialogs = nullptr;         // chord select, options, about
  TransportPanel* transport = nullptr;     // the record/playback strip
};

}  // namespace kirivane
