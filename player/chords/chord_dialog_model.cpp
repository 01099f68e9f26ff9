#include "player/chords/chord_dialog_model.h"

#include <algorithm>
#include <cstdlib>

#include "common/basic/text_rules.h"

namespace kirivane {

namespace {

constexpr int kLargestOffset = 63;
constexpr int kLowestMarkedOffset = -kRootMarker;
constexpr int kHighestMarkedOffset = kChordMarkers - 1 - kRootMarker;
constexpr int kKeyValueOfIndex = 19;  // key value = keyboard index + 19 (+ the offset)

struct FixedName {
  const char* list;
  const char* name;
};
constexpr FixedName kFixedNames[] = {
    {"0,4,7", "Major Triad"},     {"0,3,7", "Minor Triad"},     {"0,4,8", "Augment Triad"},
    {"0,4,7,11", "Major 7th"},    {"0,4,7,11,14", "Major 9th"}, {"0,3,7,10", "Minor 7th"},
    {"0,3,7,10,14", "Minor 9th"}, {"0,4,7,10", "Dominant 7th"}, {"0,4,7,9", "Major 6th"},
    {"0,3,7,9", "Minor 6th"},
};

std::string WithoutBlanks(std::string_view text) {
  std::string packed;
  for (char c : text) {
    if (c != ' ') packed += c;
  }
  return packed;
}

std::string JoinWithCommas(const std::vector<int>& offsets) {
  std::string text;
  for (std::size_t i = 0; i < offsets.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(offsets[i]);
  }
  return text;
}

int ElementCount(const std::string& intervals) {
  return static_cast<int>(SplitKeepEmpty(intervals, ",").size());
}

}  // namespace

std::vector<int> InvertedChord(const std::string& intervals, int v) {
  const auto elements = SplitKeepEmpty(intervals, ",");
  const int n = static_cast<int>(elements.size());
  std::vector<int> chord(elements.size(), 0);
  for (int j = 0; j < n; ++j) {
    double x = LeadingNumber(WithoutBlanks(elements[static_cast<std::size_t>(j)]));
    if (v >= 1 && j < v) x += 12;
    if (v <= -1 && j > n - 1 + v) x -= 12;
    const auto rounded = RoundHalfEven(x);
    if (rounded >= -kLargestOffset && rounded <= kLargestOffset) {
      chord[static_cast<std::size_t>(j)] = static_cast<int>(rounded);
    }
  }
  std::sort(chord.begin(), chord.end());
  return chord;
}

std::string ChordDialogName(const std::string& list, const std::string& caption, int inversion) {
  for (const auto& fixed : kFixedNames) {
    if (list == fixed.list) return fixed.name;
  }
  std::string name;
  for (char c : caption) {
    if (c == 'C') {
      name += "\xEF\xBC\xA3";  // Ｃ
    } else if (c == 'b') {
      name += "\xE2\x99\xAD";  // ♭
    } else if (c != '\r' && c != '\n') {
      name += c;
    }
  }
  name.append(static_cast<std::size_t>(std::abs(inversion)), '\'');
  return name;
}

ChordDialogModel::~ChordDialogModel() {
  PreviewChordOff();
}

void ChordDialogModel::SetChordList(const ChordList& entries) {
  entries_ = entries;
  selected_ = kNoButton;
}

bool ChordDialogModel::ButtonEnabled(int k) const {
  return k >= 0 && k < kChordListSize && !entries_[static_cast<std::size_t>(k)].intervals.empty();
}

void ChordDialogModel::ShowChord(int b, int v) {
  if (b == selected_ || b < 0 || b >= kChordListSize) return;
  last_ = b;
  const std::string& intervals = entries_[static_cast<std::size_t>(b)].intervals;
  inversion_limit_ = std::max(ElementCount(intervals) - 1, 0);
  inversion_ = std::clamp(v, -inversion_limit_, inversion_limit_);
  chord_ = intervals.empty() ? std::vector<int>{} : InvertedChord(intervals, inversion_);
  text_ = JoinWithCommas(chord_);
  midi_.AllNotesOff();
  sounding_.clear();  // AllNotesOff silenced the preview too
  selected_ = b;
}

void ChordDialogModel::ChordMouseDown(int k) {
  ShowChord(k, inversion_);
  PreviewChordOn();
}

void ChordDialogModel::ChordMouseUp() {
  PreviewChordOff();
  state_.display.MouseKey = -1;
}

void ChordDialogModel::InversionChange(int v) {
  selected_ = kNoButton;
  ShowChord(last_, v);
}

std::array<bool, kChordMarkers> ChordDialogModel::Markers() const {
  std::array<bool, kChordMarkers> on{};
  for (int d : chord_) {
    if (d >= kLowestMarkedOffset && d <= kHighestMarkedOffset) {
      on[static_cast<std::size_t>(d + kRootMarker)] = true;
    }
  }
  return on;
}

std::optional<ChordEntry> ChordDialogModel::Result() const {
  if (text_.empty() || selected_ == kNoButton) return std::nullopt;
  const auto& caption = entries_[static_cast<std::size_t>(selected_)].caption;
  return ChordEntry{text_, ChordDialogName(text_, caption, inversion_)};
}

bool ChordDialogModel::Ok(ChordSelection& selection, ChordSlotReceiver* options) {
  PreviewChordOff();
  const auto chord = Result();
  if (!chord) return false;
  const int target = state_.chords.ChordSelectTarget;
  if (target == -1) {
    state_.chords.ChordTable[kOctaveChordSlot] = *chord;
    selection.SelectChordSlot(kOctaveChordSlot);
  } else if (options != nullptr) {
    options->SetChordSlot(target, *chord);
  }
  return true;
}

// Sounds every offset shown (a one-note entry sounds that note) at the keyboard index that
// puts the root on BaseNote; the notes are kept so that the release ends exactly them.
void ChordDialogModel::PreviewChordOn() {
  PreviewChordOff();
  for (int d : chord_) {
    const int note = midi_.NoteOfKey(kPreviewKey + d + kKeyValueOfIndex);
    midi_.SendNoteOnVelocity(note, state_.midi.KeyVelocity);
    sounding_.push_back(note);
  }
}

void ChordDialogModel::PreviewChordOff() {
  if (sounding_.empty()) return;
  for (int note : sounding_) midi_.SendNoteOff(note);
  sounding_.clear();
}

}  // namespace kirivane
