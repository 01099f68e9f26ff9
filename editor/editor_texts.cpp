#include "editor/editor_texts.h"

namespace kirivane {

namespace {

constexpr char kLineEnd[] = "\n";

EditorTexts MakeJapanese() {
  EditorTexts t;
  t.window_title = "Clavimap Ver.1.01";
  t.frame = "キー割り当て設定";
  t.key_number_label = "鍵盤キーNo：";
  t.slot_labels = {"割り当てキー1：", "割り当てキー2：", "割り当てキー3：", "割り当てキー4："};
  t.name_heading = "< Key >";
  t.code_heading = "< KeyCode >";
  t.caption_label = "鍵盤表示ラベル：";
  t.caption_note = "※鍵盤表示ラベルは、半角英数字2文字以内です。";
  t.clear_button = "項目のクリア";
  t.picture_tooltip = "ダブルクリック…";
  t.thanks_line1 = "ダブルクリックありがと～♪(^^*";
  t.thanks_line2 = "残念ながら今回はウラ技はありません＞＜";
  t.menu_file = "ﾌｧｲﾙ(&F)";
  t.menu_new = "新規作成";
  t.menu_open = "Keysﾌｧｲﾙの読み込み";
  t.menu_save = "Keysﾌｧｲﾙの書き出し";
  t.menu_exit = "終了(&X)";
  t.filter_description = "Keysﾌｧｲﾙ (*.keys)";
  t.filter_pattern = "*.Keys";
  t.open_title = "キー配置定義(*.Keys)ファイルの読み込み";
  t.save_title = "キー配置定義(*.Keys)ファイルの書き出し";
  t.log_accepted = "【正常です】 鍵盤No.%1に、割り当てキー%2： %3 ( %4 ) を割り当てました。";
  t.log_duplicate =
      "【重複エラー】 割り当てキー%1： %2 ( %3 ) は、鍵盤No.%4に割り当てられています。";
  t.log_cleared = "【項目のクリア】 鍵盤No.%1内の項目をクリアしました。";
  t.log_read = "【読み込み完了】%1 を、正常に読み込みました。";
  t.log_written = "【書き出し完了】%1 を、正常に書き出しました。";
  t.log_new = "【全クリア】 新規作成を実行しました。";
  t.read_error_title = "キー定義ファイル(*.keys)読み込みエラー";
  t.read_error_text = "キー配置定義ﾌｧｲﾙ(%1)は壊れているか不正です。読み込めませんでした。";
  t.write_error_title = "キー定義ファイル(*.keys)書き出しエラー";
  t.write_error_text =
      "キー配置定義ﾌｧｲﾙ(%1)を書き出せませんでした。キー配置は編集中のまま残っています。";
  return t;
}

EditorTexts MakeEnglish() {
  EditorTexts t;
  t.window_title = "Clavimap Ver.1.01";
  t.frame = "Key assignment";
  t.key_number_label = "Keyboard key No.:";
  t.slot_labels = {"Assigned key 1:", "Assigned key 2:", "Assigned key 3:", "Assigned key 4:"};
  t.name_heading = "< Key >";
  t.code_heading = "< KeyCode >";
  t.caption_label = "Key label:";
  t.caption_note = "* A key label is at most 2 half-width letters or digits.";
  t.clear_button = "Clear fields";
  t.picture_tooltip = "Double click…";
  t.thanks_line1 = "Thanks for the double click! ♪(^^*";
  t.thanks_line2 = "Sorry, no hidden trick this time ><";
  t.menu_file = "&File";
  t.menu_new = "New";
  t.menu_open = "Read Keys file";
  t.menu_save = "Write Keys file";
  t.menu_exit = "E&xit";
  t.filter_description = "Keys file (*.keys)";
  t.filter_pattern = "*.Keys";
  t.open_title = "Read key layout (*.Keys) file";
  t.save_title = "Write key layout (*.Keys) file";
  t.log_accepted = "[OK] Assigned key %2: %3 ( %4 ) to keyboard key No.%1.";
  t.log_duplicate =
      "[Duplicate error] Assigned key %1: %2 ( %3 ) is already assigned to keyboard key No.%4.";
  t.log_cleared = "[Fields cleared] Cleared the fields of keyboard key No.%1.";
  t.log_read = "[Read complete] %1 was read successfully.";
  t.log_written = "[Write complete] %1 was written successfully.";
  t.log_new = "[All cleared] Started a new key map.";
  t.read_error_title = "Key map file (*.keys) read error";
  t.read_error_text = "The key layout file (%1) is damaged or invalid. It could not be read.";
  t.write_error_title = "Key map file (*.keys) write error";
  t.write_error_text =
      "The key layout file (%1) could not be written. The key layout being edited is kept.";
  return t;
}

}  // namespace

const EditorTexts& JapaneseEditorTexts() {
  static const EditorTexts texts = MakeJapanese();
  return texts;
}

const EditorTexts& EnglishEditorTexts() {
  static const EditorTexts texts = MakeEnglish();
  return texts;
}

std::string FillPlaceholders(std::string_view text,
                             std::initializer_list<std::string_view> values) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool placeholder = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' &&
                             text[i + 1] <= '9' &&
                             static_cast<std::size_t>(text[i + 1] - '1') < values.size();
    if (!placeholder) {
      out += text[i];
      continue;
    }
    out += *(values.begin() + (text[i + 1] - '1'));
    ++i;
  }
  return out;
}

std::string AcceptedLine(const EditorTexts& texts, int key_number, int slot_number,
                         std::string_view name, std::string_view code) {
  return FillPlaceholders(texts.log_accepted,
                          {std::to_string(key_number), std::to_string(slot_number), name, code}) +
         kLineEnd;
}

std::string DuplicateLine(const EditorTexts& texts, int slot_number, std::string_view name,
                          std::string_view code, int owner_key_number) {
  return FillPlaceholders(texts.log_duplicate, {std::to_string(slot_number), name, code,
                                                std::to_string(owner_key_number)}) +
         kLineEnd;
}

std::string ClearedLine(const EditorTexts& texts, int key_number) {
  return FillPlaceholders(texts.log_cleared, {std::to_string(key_number)}) + kLineEnd;
}

std::string FileReadLine(const EditorTexts& texts, std::string_view path) {
  return FillPlaceholders(texts.log_read, {path}) + kLineEnd + kLineEnd;
}

std::string FileWrittenLine(const EditorTexts& texts, std::string_view path) {
  return FillPlaceholders(texts.log_written, {path}) + kLineEnd + kLineEnd;
}

std::string NewMapLine(const EditorTexts& texts) {
  return texts.log_new + kLineEnd;
}

}  // namespace kirivane
