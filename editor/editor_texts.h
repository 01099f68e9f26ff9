#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kirivane {

// Every text Clavimap shows, in one language. Texts holding "%1".."%4" are filled by
// FillPlaceholders; the log lines are built by the functions below.
struct EditorTexts {
  std::string window_title;
  // Controls of the window.
  std::string frame;                       // Frame1
  std::string key_number_label;            // Label1, in front of the key list
  std::array<std::string, 4> slot_labels;  // Label3(0..3)
  std::string name_heading;                // Label4
  std::string code_heading;                // Label5
  std::string caption_label;               // Label2
  std::string caption_note;                // Label6
  std::string clear_button;                // CmdClear
  std::string picture_tooltip;             // Image2
  std::string thanks_line1;                // Image2 double click, first line
  std::string thanks_line2;                // second line
  // The file menu.
  std::string menu_file;
  std::string menu_new;
  std::string menu_open;
  std::string menu_save;
  std::string menu_exit;
  // The open and save dialogs.
  std::string filter_description;
  std::string filter_pattern;
  std::string open_title;
  std::string save_title;
  // Log templates: %1 key number, %2 slot number, %3 name, %4 code (accepted);
  // %1 slot number, %2 name, %3 code, %4 owner's key number (duplicate);
  // %1 key number (cleared); %1 path (read, written).
  std::string log_accepted;
  std::string log_duplicate;
  std::string log_cleared;
  std::string log_read;
  std::string log_written;
  std::string log_new;
  // Message boxes; %1 is the path.
  std::string read_error_title;
  std::string read_error_text;
  std::string write_error_title;
  std::string write_error_text;
};

// The Japanese texts, the program's own wording.
const EditorTexts& JapaneseEditorTexts();
// The same texts in English, for desktops whose language is not Japanese.
const EditorTexts& EnglishEditorTexts();
inline const EditorTexts& EditorTextsFor(bool japanese) {
  return japanese ? JapaneseEditorTexts() : EnglishEditorTexts();
}

// Replaces "%1".."%9" by the values given, in one pass: a value is never searched again, and
// a placeholder without a value is left as it is.
std::string FillPlaceholders(std::string_view text, std::initializer_list<std::string_view> values);

// The log lines, each ended by a line break ("\n"). Key and slot numbers count from 1.
std::string AcceptedLine(const EditorTexts& texts, int key_number, int slot_number,
                         std::string_view name, std::string_view code);
std::string DuplicateLine(const EditorTexts& texts, int slot_number, std::string_view name,
                          std::string_view code, int owner_key_number);
std::string ClearedLine(const EditorTexts& texts, int key_number);
std::string FileReadLine(const EditorTexts& texts, std::string_view path);
std::string FileWrittenLine(const EditorTexts& texts, std::string_view path);
std::string NewMapLine(const EditorTexts& texts);

}  // namespace kirivane
