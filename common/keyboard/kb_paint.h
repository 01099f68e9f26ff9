#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "common/keyboard/keyboard_layout.h"
#include "common/keyboard/surface.h"

namespace kirivane {

// Every drawn key of both keyboards and who shows it pressed.
struct KeyboardKeys {
  std::array<KeySlot, kKeys37> Keys37{};
  std::array<KeySlot, kKeys128Slots> Keys128{};
};

// What the renderer needs to know of the program, read afresh for every call.
struct KeyboardMode {
  int DisplayMode = 0;           // mode applied now: key drawing goes to the 128-key bar in 2
  int RequestedDisplayMode = 0;  // mode asked for: a full redraw draws the bar in 2
  bool DrawingAllowed = true;    // false while the key hook runs with drawing switched off
  bool AppClosing = false;
  int OctaveShift = 0;
};

// Draws the 37-key keyboard and the 128-key bar by copying cells of the sprite and mask sheets
// onto a surface, and keeps which key is shown pressed by whom. A key change costs at most two
// cell copies (plus its label); only a full redraw touches every key. Key drawing never
// refreshes the surface: callers refresh after a key or a chord.
class KBPaint {
 public:
  explicit KBPaint(Surface& surface);

  // Labels of the 37 keys from the key map; only the first two characters are kept. They show
  // from the next redraw on.
  void SetLabels(std::span<const std::string> labels);

  void RedrawKeyboard(const KeyboardMode& mode);
  void DrawKeyDown(int index, int source, const KeyboardMode& mode);
  void DrawKeyUp(int index, int source, const KeyboardMode& mode);
  void DrawKeyDown128(int note, int source, const KeyboardMode& mode);
  void DrawKeyUp128(int note, int source, const KeyboardMode& mode);
  // Prints a 37-key label where the key's look puts it, pressed or released. A key drawn by
  // playback shows no label of its own; the key map editor draws its selected key that way and
  // prints the caption on it.
  void PrintKeyLabel(int index);

  // Clears the surface and prints one or two lines in place of the keyboard: side by side on
  // the 128-key bar (display mode 2), centred one below the other on the large keyboard.
  void ShowMessage(int display_mode, std::string_view first, std::string_view second);
  int MeasureTextWidth(std::string_view text);
  // Blanks the whole surface (a layout change does this before the next redraw).
  void Clear();
  void Refresh();

  const KeyboardKeys& Keys() const { return keys_; }
  bool IsPressed128(int note) const;

  // Large-keyboard index to the note of the 128-key bar that stands for it.
  static int NoteOfIndex(int index, int octave_shift);

 private:
  void Redraw37();
  void Redraw128(int octave_shift);
  void DrawKey37(const KeySlot& slot, int look);
  void DrawKey128(const KeySlot& slot, int look);
  void PrintLabel(const KeySlot& slot, bool pressed);
  void DrawHomeCMark(const KeySlot& slot);

  Surface& surface_;
  KeyboardKeys keys_;
};

}  // namespace kirivane
