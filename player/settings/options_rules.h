#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace kirivane {

// What a key typed into a field of the options dialog does. Keys are the characters typed
// (Backspace 8, Enter 13, others their code point).
enum class KeyVerdict {
  kPass,
  kPassWithBeep,
  kSwallow,
  kSwallowWithBeep,
};
inline constexpr char32_t kKeyBackspace = 8;
inline constexpr char32_t kKeyEnter = 13;

// The four number fields.
enum class NumberField { kDefVol, kMouseVel, kWheelBand, kMEndTime };

struct NumberFieldRule {
  int edit_low = 0;  // while typing, a value outside edit_low..edit_high becomes the nearer one
  int edit_high = 0;
  int ok_low = 0;  // what OK accepts
  int ok_high = 0;
  bool ok_integer_part = false;    // OK takes the integer part instead of the nearest integer
  std::optional<int> ok_fallback;  // OK's value outside ok_low..ok_high; nothing = nearer bound
  int range_entry = 0;             // language entry of the range shown beside the field
};
NumberFieldRule RuleOf(NumberField field);

// Digits and Backspace pass, Enter is swallowed, anything else is swallowed with a beep.
KeyVerdict NumberFieldKey(char32_t key);
// After the user changed the text: the text it becomes when its leading number is outside the
// editing range (the nearer bound; the widget then selects all of it), else nothing. Call it
// for the user's edits only: a value loaded from the settings file is shown as it is.
std::optional<std::string> HeldWhileEditing(NumberField field, const std::string& text);
// The value OK takes from the field's text.
int NumberFieldValue(NumberField field, const std::string& text);

// Byte limits (code page 932 bytes) of the performance title, its author and a chord name.
inline constexpr std::size_t kTitleLimit = 63;
inline constexpr std::size_t kAuthorLimit = 31;
inline constexpr std::size_t kChordNameLimit = 13;
// Title and author: once the text is longer than its limit every key beeps, and only
// Backspace still passes.
KeyVerdict TextLimitKey(const std::string& text, char32_t key, std::size_t limit);
// Chord source: digits, "," and "-" and Backspace; anything else is swallowed.
KeyVerdict ChordSourceKey(char32_t key);
// Chord name: Backspace passes, Enter is swallowed; once the name is longer than 13 bytes other
// keys are swallowed with a beep.
KeyVerdict ChordNameKey(const std::string& text, char32_t key);

// Enter and F1 on the dialog (unless an option button has the focus) move the focus to the
// next and the previous control; a text box that receives it has its whole text selected.
enum class FocusStep { kNone, kNext, kPrevious };
FocusStep FormKeyDown(int virtual_key, bool option_button_focused);

// How a chord source text is stored: an empty text counts as "0". One element: its leading
// number, or "0" outside -64..64. Two or more: every non-empty element whose rounded leading
// number lies in -63..63, as that integer; the others are dropped ("0,,4,99,7" gives "0,4,7").
std::string StoredChordSource(const std::string& source);

// Channel lists ("1" .. "16" at indexes 0..15). Choosing channel 10 is refused and lands on
// channel 11 (with language entry 331); any other choice stays.
inline constexpr int kPercussionChannelIndex = 9;
struct ChannelChoice {
  int index = 0;
  bool refused = false;
};
ChannelChoice ChooseChannel(int index);
// The channel OK stores from a list's index: 1 for channel 10 or outside 1..16.
int ChannelOfIndex(int index);

// Read channels: box i stands for channel i + 1.
using ChannelBoxes = std::array<bool, 16>;
ChannelBoxes ChannelBoxesOf(const std::string& list);
// The ticked channels in ascending order, joined by commas; empty when none is ticked.
std::string ChannelListOf(const ChannelBoxes& boxes);

// A chosen folder as the score folder field shows it: with a trailing "/".
std::string FolderFieldText(const std::string& folder);

}  // namespace kirivane
