#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "editor/editor_key_map.h"
#include "editor/editor_texts.h"

namespace kirivane {

// The texts of the editing boxes: what the user edits for the selected key. They become part
// of the map only when committed (another key selected, or the map saved).
struct EditorFields {
  std::array<std::string, kEditorSlotCount> names;  // TxtKey(0..3)
  std::array<std::string, kEditorSlotCount> codes;  // TxtKeyCode(0..3)
  std::string caption;                              // TxtCaption
};

// What the editor asks of its window. Every body may stay empty.
class EditorView {
 public:
  virtual ~EditorView() = default;
  // A duplicate code was logged, or the caption box refused a key.
  virtual void Beep() {}
  // A commit moves the focus to the first name box.
  virtual void FocusFirstName() {}
  // The log changed; `first_new` is the offset of its first new character, where the caret
  // goes. The log box is shown.
  virtual void LogChanged(std::size_t first_new) { (void)first_new; }
};

// The outcome of reading or writing a file. On failure the window shows the message box.
struct EditorFileResult {
  bool ok = false;
  std::string path;  // the file read or written (with ".keys" appended for a save)
  std::string error_title;
  std::string error_text;
};

// Clavimap's key map being edited, with the selected key's boxes and the message log. The
// window mirrors Fields(), Log() and the labels of Map() after every call, and hands every
// user action to the matching call.
class KeyMapEditor {
 public:
  // Starts with an empty map, key 1 selected, and the window title in the log.
  KeyMapEditor(const EditorTexts& texts, EditorView& view);

  const EditorTexts& Texts() const { return texts_; }
  const EditorKeyMap& Map() const { return map_; }
  int CurrentKey() const { return current_; }  // 0..36
  const EditorFields& Fields() const { return fields_; }
  const std::string& Log() const { return log_; }
  // The folder of the last file read or written, ending in "/"; empty before the first.
  const std::string& LastFolder() const { return last_folder_; }

  // Selects key 0..36 (the key list, or a click on the keyboard): the boxes shown are
  // committed to the key they belong to, then the new key's data is shown. Selecting the
  // selected key again only commits.
  void SelectKey(int key);
  void Commit() { SelectKey(current_); }

  // A computer key pressed in name box `slot` (0..3): its virtual-key code (0 when it has none)
  // and the text it types. Sets the code box and the name box, or empties the slot for a
  // refused key. The key never reaches the box itself.
  void PressKeyInSlot(int slot, int code, std::string_view typed);
  // A name or code box changed by other means; the box's rules apply.
  void SetNameText(int slot, std::string_view text);
  void SetCodeText(int slot, std::string_view text);
  // Whether the caption box takes a key; a refused key beeps.
  bool CaptionTakesKey(bool backspace);
  // The caption box changed: at most two characters are kept, and the key's label follows.
  void SetCaptionText(std::string_view text);

  // CmdClear: empties the selected key's boxes (the map changes at the next commit).
  void ClearFields();
  // mnuNew: an empty map, key 1 selected, the log holding only the new-map line.
  void New();
  // mnuFileOpen with a chosen path: always starts from an empty map; a rejected file leaves it
  // empty and the result carries the message.
  EditorFileResult Open(const std::string& path);
  // mnuFileSave with a chosen path: commits the selected key, then writes the map. A failed
  // write keeps the map and carries the message.
  EditorFileResult Save(const std::string& path);
  // The writing half of Save, for a window that commits before it asks for the path.
  EditorFileResult Write(const std::string& path);

 private:
  void CommitKey(int key);
  void ShowKey(int key);
  void EmptyFields();
  void AppendLog(const std::string& text);
  void RememberFolder(const std::string& path);

  EditorTexts texts_;
  EditorView& view_;
  EditorKeyMap map_;
  EditorFields fields_;
  int current_ = -1;
  std::string log_;
  std::string last_folder_;
};

}  // namespace kirivane
