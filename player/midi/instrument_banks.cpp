#include "player/midi/instrument_banks.h"

#include <cstdio>

#include "common/basic/text_rules.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {
constexpr char kFullWidthFullStop[] = "\xEF\xBC\x8E";  // U+FF0E

int SelectedProgram(const MidiState& midi) {
  return midi.SelectedProgram < 0 || midi.SelectedProgram > 127 ? 0 : midi.SelectedProgram;
}

// Shows the widgets of the program's variations and hides those of the other banks.
void ShowVariationWidgets(BankWidgets& banks, const std::vector<VariationItem>& items,
                          int program) {
  for (std::size_t slot = 1; slot < kBankNumbers.size(); ++slot) {
    banks.MenuVisible[slot] = false;
    banks.ButtonVisible[slot] = false;
    banks.ButtonEnabled[slot] = false;
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int slot = BankSlot(items[i].bank);
    if (slot < 0) continue;  // a bank without a button cannot be offered
    const std::string caption =
        BankCaption(static_cast<int>(i), items[i].name, program, items[i].bank_text);
    const auto s = static_cast<std::size_t>(slot);
    banks.MenuCaption[s] = caption;
    banks.MenuVisible[s] = true;
    banks.ButtonToolTip[s] = caption;
    banks.ButtonVisible[s] = true;
    banks.ButtonEnabled[s] = true;
  }
}

}  // namespace

int BankSlot(int bank) {
  for (std::size_t slot = 0; slot < kBankNumbers.size(); ++slot) {
    if (kBankNumbers[slot] == bank) return static_cast<int>(slot);
  }
  return -1;
}

std::vector<VariationItem> ParseVariations(std::string_view list) {
  std::vector<VariationItem> items;
  if (list.empty()) return items;
  for (const std::string& piece : SplitKeepEmpty(list, ",")) {
    if (TrimBlanks(piece).empty()) continue;
    VariationItem item;
    const std::size_t colon = piece.find(':');
    item.bank_text = piece.substr(0, colon);
    if (colon != std::string::npos) item.name = piece.substr(colon + 1);
    item.bank = static_cast<int>(LeadingInteger(item.bank_text));
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<std::string> LoadInstrumentTable(const std::vector<std::string>& lang_table,
                                             MidiState& midi) {
  std::vector<std::string> names(128);
  for (std::size_t p = 0; p < 128; ++p) {
    const std::string text = LangText(lang_table, kLangFirstInstrument + static_cast<int>(p));
    const std::size_t tab = text.find('\t');
    names[p] = text.substr(0, tab);
    midi.BankVariations[p] = tab == std::string::npos ? std::string() : text.substr(tab + 1);
  }
  return names;
}

std::string BankCaption(int item_index, std::string_view name, int program,
                        std::string_view bank_text) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", program + 1);
  std::string caption = std::to_string(item_index + 1) + kFullWidthFullStop;
  caption.append(name);
  caption += " [";
  caption += number;
  caption += "#";
  caption.append(bank_text);
  caption += "]";
  return caption;
}

BankRowPlacement PlaceBankButtons(int count, int display_mode, const std::array<bool, 13>& visible,
                                  int list_left, int list_top) {
  BankRowPlacement row;
  if (count <= 1) return row;
  row.visible = visible;
  row.visible[0] = true;
  const int top = list_top - (display_mode == 0 ? 15 : 14);
  int left = display_mode == 2 ? 640 : list_left + 58;
  if (count > 6) left -= 16;
  int placed = 0;
  for (std::size_t slot = 0; slot < kBankNumbers.size(); ++slot) {
    if (!row.visible[slot]) continue;
    row.left[slot] = left + 10 * placed;
    row.top[slot] = top;
    ++placed;
  }
  return row;
}

InstrumentChoice List1Click(MidiMode& midi, ListGeometry list, bool layout_in_progress) {
  InstrumentChoice choice;
  if (layout_in_progress) return choice;
  PlayerState& state = midi.State();
  MidiState& m = state.midi;
  BankWidgets& banks = m.Banks;
  const int program = SelectedProgram(m);
  const auto items = ParseVariations(m.BankVariations[static_cast<std::size_t>(program)]);
  if (!items.empty()) ShowVariationWidgets(banks, items, program);
  const int count = static_cast<int>(items.size());

  const BankRowPlacement row =
      PlaceBankButtons(count, state.layout.DisplayMode, banks.ButtonVisible, list.left, list.top);
  banks.ButtonVisible = row.visible;
  for (std::size_t slot = 0; slot < kBankNumbers.size(); ++slot) {
    if (!row.visible[slot]) continue;
    banks.ButtonLeft[slot] = row.left[slot];
    banks.ButtonTop[slot] = row.top[slot];
  }

  const int slot = BankSlot(m.BankMSB);
  const bool offered =
      !items.empty() && slot >= 0 && banks.MenuVisible[static_cast<std::size_t>(slot)];
  if (offered || m.BankMSB == 0) {
    midi.SendProgramOnChannels(m.BankMSB, program);
  } else {
    OptBKSClick(midi, 0);
  }

  choice.done = true;
  choice.program = program;
  choice.variation_count = count;
  choice.show_note_picture = !m.PercussionSet;
  choice.reset_score = true;
  return choice;
}

void OptBKSClick(MidiMode& midi, int bank) {
  MidiState& m = midi.State().midi;
  if (bank < 0 || bank > 127) return;
  midi.SendProgramOnChannels(bank, SelectedProgram(m));
  BankWidgets& banks = m.Banks;
  const int old_slot = BankSlot(m.BankMSB);
  if (old_slot >= 0) banks.MenuChecked[static_cast<std::size_t>(old_slot)] = false;
  const int slot = BankSlot(bank);
  if (slot >= 0) {
    banks.MenuChecked[static_cast<std::size_t>(slot)] = true;
    banks.OptionOn = bank;
  }
  m.BankMSB = bank;
}

bool BankMenuAvailable(const MidiState& midi) {
  return !midi.BankVariations[static_cast<std::size_t>(SelectedProgram(midi))].empty();
}

std::vector<int> ScrollListToSelection(int selected) {
  if (selected < 1 || selected > 127) return {};
  return {selected == 127 ? 0 : 127, selected};
}

bool TakeArrowKeysFromPanel(InputState& input) {
  if (input.ControllerKeys == 0) return false;
  input.ControllerKeys = 0;
  return true;
}

bool ListMouseMoveTakesArrowKeys(InputState& input, int x, int y) {
  return x > 21 && y > 10 && TakeArrowKeysFromPanel(input);
}

void List1MouseDown(MidiMode& midi, bool time_display_visible) {
  MidiState& m = midi.State().midi;
  midi.SendShort(0xC0, SelectedProgram(m), 0);
  if (time_display_visible) return;
  if (m.PreviewNote >= 0) midi.SendShort(0x80, m.PreviewNote, 0x10);
  m.PreviewNote = (m.BaseNote + 12 * m.OctaveShift) & 0x7F;
  midi.SendShort(0x90, m.PreviewNote, 0x79);
}

void List1MouseUp(MidiMode& midi) {
  MidiState& m = midi.State().midi;
  if (m.PreviewNote < 0) return;
  midi.SendShort(0x80, m.PreviewNote, 0x10);
  m.PreviewNote = -1;
}

}  // namespace kirivane
