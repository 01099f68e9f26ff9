#include "common/keyboard/kb_paint.h"

#include "common/keyboard/kenban_cells.h"

namespace kirivane {
namespace {

constexpr int kBlackLabelTop = 44;
constexpr int kWhiteLabelTop = 98;
constexpr int kHomeCMarkRadius = 2;
constexpr int kHomeCMarkTop = 19;

int LookOfSource(int source) {
  if (source == kKeySourcePlayback) return kShownByPlayback;
  if (source == kKeySourceMidiIn) return kShownByMidiIn;
  return kShownByUser;
}

// Labels name the typing key of a key: printed when a person plays it here, not when playback
// or the MIDI input does.
bool PrintsPressedLabel(int source) {
  return source != kKeySourcePlayback && source != kKeySourceMidiIn;
}

// A note ended by playback or the MIDI input leaves a key that is still held on the typing
// keyboard or on the MIDI keyboard; only the one holding it releases it.
bool ReleaseIsRefused(int source, int press_source) {
  if (source != kKeySourcePlayback && source != kKeySourceMidiIn) return false;
  const bool held = press_source == kKeySourceKeys || press_source == kKeySourceMidiIn;
  return held && press_source != source;
}

// The C under index 5 of the large keyboard, in the octave shown now.
int HomeCNote(int octave_shift) {
  return 12 * octave_shift + 60;
}

}  // namespace

KBPaint::KBPaint(Surface& surface) : surface_(surface) {
  for (int index = 0; index < kKeys37; ++index) {
    keys_.Keys37[index].KeyType = static_cast<std::uint8_t>(KeyType37(index));
    keys_.Keys37[index].X = static_cast<std::int16_t>(KeyX37(index));
  }
  for (int note = 0; note < 128; ++note) {
    keys_.Keys128[note].KeyType = static_cast<std::uint8_t>(KeyType128(note));
    keys_.Keys128[note].X = static_cast<std::int16_t>(KeyX128(note));
  }
}

void KBPaint::SetLabels(std::span<const std::string> labels) {
  for (int index = 0; index < kKeys37; ++index) {
    const auto i = static_cast<std::size_t>(index);
    keys_.Keys37[i].Label = i < labels.size() ? KeyLabelText(labels[i]) : std::string();
  }
}

int KBPaint::NoteOfIndex(int index, int octave_shift) {
  return 12 * (octave_shift + 5) + index - kHomeCIndex;
}

bool KBPaint::IsPressed128(int note) const {
  return note >= 0 && note < 128 && keys_.Keys128[note].DownState != kShownReleased;
}

void KBPaint::RedrawKeyboard(const KeyboardMode& mode) {
  if (mode.RequestedDisplayMode == 2) {
    Redraw128(mode.OctaveShift);
    return;
  }
  if (mode.AppClosing) return;
  Redraw37();
}

void KBPaint::Redraw37() {
  // Index order matters: each white key's mask keeps the black key drawn before it, and each
  // black key covers the white key before it.
  for (auto& slot : keys_.Keys37) {
    slot.PressSource = 0;
    DrawKey37(slot, kShownReleased);
    PrintLabel(slot, false);
    slot.DownState = kShownReleased;
  }
  surface_.Refresh();
}

void KBPaint::Redraw128(int octave_shift) {
  const int home = HomeCNote(octave_shift);
  for (int note = 0; note < 128; ++note) {
    auto& slot = keys_.Keys128[note];
    slot.PressSource = 0;
    DrawKey128(slot, kShownReleased);
    if (note == home) DrawHomeCMark(slot);
    slot.DownState = kShownReleased;
  }
  surface_.Refresh();
}

void KBPaint::DrawKey37(const KeySlot& slot, int look) {
  if (IsBlackKey(slot.KeyType)) {
    surface_.CopyCell(Sheet::Sprite, kLargeBlackCells[look], slot.X, 0, RasterOp::Copy);
    return;
  }
  surface_.CopyCell(Sheet::Mask, kLargeWhiteMasks[slot.KeyType], slot.X, 0, RasterOp::And);
  surface_.CopyCell(Sheet::Sprite, kLargeWhiteCells[slot.KeyType][look], slot.X, 0, RasterOp::Xor);
}

void KBPaint::DrawKey128(const KeySlot& slot, int look) {
  if (IsBlackKey(slot.KeyType)) {
    surface_.CopyCell(Sheet::Sprite, kSmallBlackCells[look], slot.X, 0, RasterOp::Copy);
    return;
  }
  surface_.CopyCell(Sheet::Mask, kSmallWhiteMasks[slot.KeyType], slot.X, 0, RasterOp::And);
  surface_.CopyCell(Sheet::Sprite, kSmallWhiteCells[slot.KeyType][look], slot.X, 0, RasterOp::Xor);
}

void KBPaint::PrintLabel(const KeySlot& slot, bool pressed) {
  const int characters = CharacterCount(slot.Label);
  if (characters != 1 && characters != 2) return;
  // One character sits four pixels further right than two; a pressed key's label one more.
  int x = slot.X + (characters == 1 ? 4 : 0) + (pressed ? 1 : 0);
  int top = kBlackLabelTop;
  if (!IsBlackKey(slot.KeyType)) {
    x += 1;
    top = kWhiteLabelTop;
  }
  surface_.PrintText(x, top, slot.Label);
}

void KBPaint::DrawHomeCMark(const KeySlot& slot) {
  surface_.FillCircle(slot.X + 3, kHomeCMarkTop, kHomeCMarkRadius, kHomeCMarkColour);
}

void KBPaint::DrawKeyDown(int index, int source, const KeyboardMode& mode) {
  if (!mode.DrawingAllowed) return;
  if (mode.DisplayMode == 2) {
    DrawKeyDown128(NoteOfIndex(index, mode.OctaveShift), source, mode);
    return;
  }
  if (index < 0 || index >= kKeys37) return;
  auto& slot = keys_.Keys37[index];
  if (slot.DownState != kShownReleased) return;  // whoever pressed it, it is drawn already
  const int look = LookOfSource(source);
  DrawKey37(slot, look);
  if (PrintsPressedLabel(source)) PrintLabel(slot, true);
  slot.DownState = static_cast<std::uint8_t>(look);
  slot.PressSource = static_cast<std::int16_t>(source);
}

void KBPaint::DrawKeyUp(int index, int source, const KeyboardMode& mode) {
  if (!mode.DrawingAllowed) return;
  if (mode.DisplayMode == 2) {
    DrawKeyUp128(NoteOfIndex(index, mode.OctaveShift), source, mode);
    return;
  }
  if (index < 0 || index >= kKeys37) return;
  auto& slot = keys_.Keys37[index];
  if (ReleaseIsRefused(source, slot.PressSource)) return;
  if (slot.DownState == kShownReleased) return;
  DrawKey37(slot, kShownReleased);
  PrintLabel(slot, false);
  slot.DownState = kShownReleased;
  slot.PressSource = static_cast<std::int16_t>(source);
}

void KBPaint::DrawKeyDown128(int note, int source, const KeyboardMode& mode) {
  if (!mode.DrawingAllowed) return;
  if (note < 0 || note > 127) return;
  auto& slot = keys_.Keys128[note];
  if (slot.DownState != kShownReleased) return;
  const int look = LookOfSource(source);
  DrawKey128(slot, look);
  slot.DownState = static_cast<std::uint8_t>(look);
  slot.PressSource = static_cast<std::int16_t>(source);
}

void KBPaint::DrawKeyUp128(int note, int source, const KeyboardMode& mode) {
  if (!mode.DrawingAllowed) return;
  if (note < 0 || note > 127) return;
  auto& slot = keys_.Keys128[note];
  if (ReleaseIsRefused(source, slot.PressSource)) return;
  if (slot.DownState == kShownReleased) return;
  DrawKey128(slot, kShownReleased);
  if (note == HomeCNote(mode.OctaveShift)) DrawHomeCMark(slot);
  slot.DownState = kShownReleased;
  slot.PressSource = static_cast<std::int16_t>(source);
}

void KBPaint::ShowMessage(int display_mode, std::string_view first, std::string_view second) {
  surface_.Clear();
  if (display_mode == 2) {
    surface_.PrintText(136, 5, first);
    surface_.PrintText(305, 5, second);
  } else {
    surface_.PrintText(220 - MeasureTextWidth(first) / 2, 45, first);
    surface_.PrintText(220 - MeasureTextWidth(second) / 2, 65, second);
  }
  surface_.Refresh();
}

int KBPaint::MeasureTextWidth(std::string_view text) {
  return surface_.TextWidth(text);
}

void KBPaint::Clear() {
  surface_.Clear();
}

void KBPaint::Refresh() {
  surface_.Refresh();
}

}  // namespace kirivane
