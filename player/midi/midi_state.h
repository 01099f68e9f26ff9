#pragma once

#include <array>
#include <string>

#include "player/state/colours.h"

namespace kirivane {

// Bank numbers that have an option button and a menu item, in ascending order. Widget arrays
// below are indexed by the slot of a bank in this list (bank 16 is slot 10).
inline constexpr std::array<int, 13> kBankNumbers{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 24, 32};

// The bank option buttons and the bank menu as the window shows them.
struct BankWidgets {
  std::array<bool, 13> MenuVisible{true, true, true, true, true, true, true,
                                   true, true, true, true, true, true};
  std::array<std::string, 13> MenuCaption{"0", "1", "2", "3",  "4",  "5", "6",
                                          "7", "8", "9", "16", "24", "32"};
  std::array<bool, 13> MenuChecked{true};
  std::array<bool, 13> ButtonVisible{};
  std::array<bool, 13> ButtonEnabled{true, true, true, true, true, true, true,
                                     true, true, true, true, true, true};
  std::array<std::string, 13> ButtonToolTip{};
  std::array<int, 13> ButtonLeft{};
  std::array<int, 13> ButtonTop{};
  int OptionOn = 0;  // bank whose option button is on
};

// MIDI output state: channels, velocities, the open device.
struct MidiState {
  int KeyVelocity = 121;   // velocity of notes played from the keyboard (1..127)
  int PlayVelocity = 108;  // velocity of playback and the metronome (1..127)
  int Modulation = 0;      // controller 1 value
  int KeyChannel = 1;      // settings: channel of keyboard play, 1..16 except 10
  int PlayChannel = 1;     // settings: channel of playback, 1..16 except 10
  int KeyOutChannel = 1;   // channel keyboard notes go to now (10 with the percussion set)
  int PlayOutChannel = 1;  // channel playback notes go to now
  int PlayDamper = 0;      // -1 while playback holds the damper down
  int MidiDevice = 0;      // settings: index of the output device in the device list
  int MainVolume = 64;     // settings: channel volume 1..127
  int BaseNote = 60;
  int OctaveShift = 0;         // -3..3, the octave scroll bar
  int Transpose = 0;           // -11..11 semitones, the transposition scroll bar
  bool PercussionSet = false;  // the percussion set is selected (notes on channel 10)
  int SelectedProgram = -1;    // selected index of the instrument list, -1 = none
  bool DeviceSwitchOn = true;  // the device button shows "ON"
  bool Timer1Enabled = false;  // runs exactly while a device is meant to be open
  // Damper lamp colours as Windows RGB values (red in the low byte); start = pedal up.
  int DamperLampBorder = kColourLampUpBorder;
  int DamperLampFill = kColourLampUpFill;
  int BankMSB = 0;  // bank selected now
  // Per program 0..127: its variation list ("0:Piano,8:Piano 2"), empty without variations.
  std::array<std::string, 128> BankVariations{};
  BankWidgets Banks;
  int PreviewNote = -1;  // note of the instrument list's preview while it sounds, else -1
};

}  // namespace kirivane
