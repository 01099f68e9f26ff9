#include "editor/key_map_editor.h"

#include <algorithm>

#include "common/basic/text_rules.h"
#include "editor/slot_input.h"

namespace kirivane {

KeyMapEditor::KeyMapEditor(const EditorTexts& texts, EditorView& view)
    : texts_(texts), view_(view) {
  SelectKey(0);
  log_ = texts_.window_title + "\n";
}

void KeyMapEditor::SelectKey(int key) {
  if (key < 0 || key >= kEditorKeyCount) return;
  const int old = current_;
  current_ = key;
  if (old >= 0) CommitKey(old);
  if (key != old) ShowKey(key);
}

// The boxes shown belong to `key`: its codes are freed and taken again slot by slot, so a
// code held by another key (or by an earlier slot) is refused and logged.
void KeyMapEditor::CommitKey(int key) {
  view_.FocusFirstName();
  EditorKey& edited = map_.keys[key];
  std::replace(map_.code_owner.begin(), map_.code_owner.end(), key, -1);
  edited.slots = {};
  edited.caption = fields_.caption;
  std::string accepted;
  std::string refused;
  for (int s = 0; s < kEditorSlotCount; ++s) {
    const std::string code_text = fields_.codes[s];
    const std::string name = fields_.names[s];
    if (!(LeadingNumber(code_text) > 0)) continue;
    const auto code = LeadingInteger(code_text);
    if (code >= kEditorCodeCount) continue;  // the code box never holds one
    const int owner = map_.code_owner[code];
    if (owner == -1) {
      map_.code_owner[code] = key;
      edited.slots[s] = {code_text, name};
      accepted += AcceptedLine(texts_, key + 1, s + 1, name, code_text);
      continue;
    }
    refused += DuplicateLine(texts_, s + 1, name, code_text, owner + 1);
    // A caption taken from the refused key's name would name a key this key does not play.
    if (name == fields_.caption && owner != key) {
      edited.caption.clear();
      edited.label.clear();
      fields_.caption.clear();
    }
    fields_.codes[s].clear();
    fields_.names[s].clear();
  }
  if (accepted.empty() && refused.empty()) return;
  const std::size_t first_new = log_.size();
  log_ += accepted;
  if (!refused.empty()) view_.Beep();
  log_ += refused;
  log_ += "\n";
  view_.LogChanged(first_new);
}

// Shows a key's stored data in the boxes. The caption shown is the key's own, never one
// taken from a slot's name.
void KeyMapEditor::ShowKey(int key) {
  const EditorKey& shown = map_.keys[key];
  SetCaptionText(shown.caption);
  for (int s = 0; s < kEditorSlotCount; ++s) {
    fields_.codes[s] = CodeBoxText(shown.slots[s].code);
    fields_.names[s] = fields_.codes[s].empty() ? std::string() : shown.slots[s].name;
  }
}

void KeyMapEditor::PressKeyInSlot(int slot, int code, std::string_view typed) {
  if (slot < 0 || slot >= kEditorSlotCount) return;
  const SlotKeyEffect effect = SlotKeyEffectOf(code, typed);
  if (effect.ignored) return;
  if (effect.refused) {
    SetCodeText(slot, "");
    SetNameText(slot, "");
    return;
  }
  SetCodeText(slot, effect.code);
  if (effect.name) SetNameText(slot, *effect.name);
}

// While at most one slot holds a code, the caption follows the name typed.
void KeyMapEditor::SetNameText(int slot, std::string_view text) {
  if (slot < 0 || slot >= kEditorSlotCount) return;
  if (fields_.codes[slot].empty()) {
    fields_.names[slot].clear();
    return;
  }
  fields_.names[slot] = std::string(text);
  const auto holding = std::count_if(fields_.codes.begin(), fields_.codes.end(),
                                     [](const std::string& code) { return !code.empty(); });
  if (holding > 1) return;
  if (const auto caption = CaptionFromName(text)) SetCaptionText(*caption);
}

void KeyMapEditor::SetCodeText(int slot, std::string_view text) {
  if (slot < 0 || slot >= kEditorSlotCount) return;
  fields_.codes[slot] = CodeBoxText(text);
}

bool KeyMapEditor::CaptionTakesKey(bool backspace) {
  if (kirivane::CaptionTakesKey(fields_.caption, backspace)) return true;
  view_.Beep();
  return false;
}

void KeyMapEditor::SetCaptionText(std::string_view text) {
  fields_.caption = FirstCharacters(text, 2);
  if (current_ >= 0) map_.keys[current_].label = fields_.caption;
}

void KeyMapEditor::EmptyFields() {
  fields_.names = {};
  fields_.codes = {};
  SetCaptionText("");
}

void KeyMapEditor::ClearFields() {
  EmptyFields();
  AppendLog(ClearedLine(texts_, current_ + 1));
}

void KeyMapEditor::New() {
  EmptyFields();
  current_ = -1;
  map_ = EditorKeyMap();
  SelectKey(0);
  log_ = NewMapLine(texts_);
  view_.LogChanged(0);
}

EditorFileResult KeyMapEditor::Open(const std::string& path) {
  RememberFolder(path);
  New();
  auto map = ReadEditorKeyMap(path);
  if (!map) {
    New();
    return {false, path, texts_.read_error_title, FillPlaceholders(texts_.read_error_text, {path})};
  }
  map_ = std::move(*map);
  ShowKey(current_);
  AppendLog(FileReadLine(texts_, path));
  return {true, path, {}, {}};
}

EditorFileResult KeyMapEditor::Save(const std::string& path) {
  Commit();
  return Write(path);
}

EditorFileResult KeyMapEditor::Write(const std::string& path) {
  RememberFolder(path);
  const std::string target = WithKeysExtension(path);
  if (!WriteEditorKeyMap(target, map_)) {
    return {false, target, texts_.write_error_title,
            FillPlaceholders(texts_.write_error_text, {target})};
  }
  AppendLog(FileWrittenLine(texts_, target));
  return {true, target, {}, {}};
}

void KeyMapEditor::AppendLog(const std::string& text) {
  const std::size_t first_new = log_.size();
  log_ += text;
  view_.LogChanged(first_new);
}

void KeyMapEditor::RememberFolder(const std::string& path) {
  const auto slash = path.rfind('/');
  last_folder_ = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace kirivane
