#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"

namespace kirivane {

// Slot of a bank number in kBankNumbers, or -1 when the bank has no button.
int BankSlot(int bank);

// One item of a variation list such as "0:Piano,8:Piano 2".
struct VariationItem {
  std::string bank_text;  // as written before the colon
  int bank = 0;           // its leading number
  std::string name;
};

// Items of a variation list; blank items are left out.
std::vector<VariationItem> ParseVariations(std::string_view list);

// Fills BankVariations from the language entries 20..147 (name, TAB, variation list) and
// returns the 128 instrument names of the list.
std::vector<std::string> LoadInstrumentTable(const std::vector<std::string>& lang_table,
                                             MidiState& midi);

// Menu caption and tool tip of variation item i of program p: "2．b [01#8]".
std::string BankCaption(int item_index, std::string_view name, int program,
                        std::string_view bank_text);

// Where the row of bank buttons goes.
struct BankRowPlacement {
  std::array<bool, 13> visible{};
  std::array<int, 13> left{};  // meaningful for visible buttons only
  std::array<int, 13> top{};
};

// Arranges the buttons for a program with `count` variations. `visible` holds which buttons
// the program's list showed; list_left/list_top are the instrument list's position.
BankRowPlacement PlaceBankButtons(int count, int display_mode, const std::array<bool, 13>& visible,
                                  int list_left, int list_top);

// What a choice in the instrument list asks the window to do besides showing state.midi.Banks.
struct InstrumentChoice {
  bool done = false;  // false while a layout change is in progress (nothing happened)
  int program = 0;
  int variation_count = 0;
  bool show_note_picture = false;  // ShowNotePicture(program, 0)
  bool reset_score = false;        // ShowScoreNote(0)
};

struct ListGeometry {
  int left = 0;
  int top = 0;
};

// The instrument list's click: bank widgets, button row, and the program with the current bank
// (or bank 0 when the program does not offer it).
InstrumentChoice List1Click(MidiMode& midi, ListGeometry list, bool layout_in_progress);

// A bank option button or bank menu item: resends the program with bank b.
void OptBKSClick(MidiMode& midi, int bank);

// Whether the bank menu may pop up for the selected program.
bool BankMenuAvailable(const MidiState& midi);

// The selections that bring selected item s into view near the top of the list: another item
// first, then s again. Empty when s is below 1 or above 127.
std::vector<int> ScrollListToSelection(int selected);

// The instrument list and the tuning box take the arrow keys from the controller panel when the
// pointer enters them (or the box changes). Returns true when they were taken just now: the
// window then gives the control the focus (and grows the list).
bool TakeArrowKeysFromPanel(InputState& input);
// For the instrument list: only once the pointer is well inside it.
bool ListMouseMoveTakesArrowKeys(InputState& input, int x, int y);

// Left button down and up on the instrument list: a preview of the program on channel 1.
// No note sounds while the time display is shown.
void List1MouseDown(MidiMode& midi, bool time_display_visible);
void List1MouseUp(MidiMode& midi);

}  // namespace kirivane
