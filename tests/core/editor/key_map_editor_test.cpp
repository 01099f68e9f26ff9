#include "editor/key_map_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/basic/text_file.h"
#include "common/keymap/vk_codes.h"
#include "fakes/fake_input.h"
#include "fakes/test_paths.h"
#include "player/input/key_map_loader.h"

namespace kirivane {
namespace {

namespace fs = std::filesystem;

class RecordingView : public EditorView {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

class KeyMapEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = testing::MakeTempDir("kirivane-clavimap"); }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& contents) {
    const std::string path = folder_ + "/" + name;
    EXPECT_TRUE(WriteFileAtomically(path, contents));
    return path;
  }
  // The log written since `mark`.
  std::string LogSince(std::size_t mark) const { return editor_.Log().substr(mark); }

  std::string folder_;
  RecordingView view_;
  KeyMapEditor editor_{JapaneseEditorTexts(), view_};
};

TEST_F(KeyMapEditorTest, AKeyPressedInASlotIsTakenAtTheNextSelection) {
  EXPECT_EQ(editor_.Log(), "Clavimap Ver.1.01\n");
  EXPECT_EQ(editor_.CurrentKey(), 0);
  editor_.SelectKey(4);
  editor_.PressKeyInSlot(0, vk::kA, "a");
  EXPECT_EQ(editor_.Fields().codes[0], "65");
  EXPECT_EQ(editor_.Fields().names[0], "A");
  EXPECT_EQ(editor_.Fields().caption, "A");  // the only code: the caption follows the name
  EXPECT_EQ(editor_.Map().keys[4].label, "A");
  EXPECT_EQ(editor_.Map().code_owner[65], -1);  // nothing is taken while typing

  const std::size_t mark = editor_.Log().size();
  editor_.SelectKey(9);
  EXPECT_EQ(LogSince(mark),
            "【正常です】 鍵盤No.5に、割り当てキー1： A ( 65 ) を割り当てました。\n\n");
  EXPECT_EQ(view_.beeps, 0);
  EXPECT_EQ(editor_.Map().code_owner[65], 4);
  EXPECT_EQ(editor_.Map().keys[4].slots[0], (EditorSlot{"65", "A"}));
  EXPECT_EQ(editor_.Map().keys[4].caption, "A");
  EXPECT_EQ(editor_.Fields().names[0], "");  // key 10's empty boxes are shown

  // Back on key 5, a caption of its own stays: showing a key never retakes it from a name.
  editor_.SelectKey(4);
  editor_.SetCaptionText("Do");
  editor_.SelectKey(9);
  editor_.SelectKey(4);
  EXPECT_EQ(editor_.Fields().caption, "Do");
  EXPECT_EQ(editor_.Fields().names[0], "A");

  KeyMapEditor english(EditorTextsFor(false), view_);
  english.SelectKey(4);
  english.PressKeyInSlot(0, vk::kA, "a");
  english.SelectKey(9);
  EXPECT_EQ(english.Log(),
            "Clavimap Ver.1.01\n[OK] Assigned key 1: A ( 65 ) to keyboard key No.5.\n\n");
}

TEST_F(KeyMapEditorTest, ADuplicateCodeIsRefusedLoggedAfterTheAcceptedOnesAndDropsItsCaption) {
  editor_.SelectKey(4);
  editor_.PressKeyInSlot(0, vk::kA, "a");
  editor_.SelectKey(5);
  editor_.PressKeyInSlot(0, vk::kA, "a");
  editor_.PressKeyInSlot(1, 66, "b");
  EXPECT_EQ(editor_.Fields().caption, "A");  // two codes now: the caption stayed with slot 1
  const std::size_t mark = editor_.Log().size();
  editor_.SelectKey(6);
  EXPECT_EQ(LogSince(mark),
            "【正常です】 鍵盤No.6に、割り当てキー2： B ( 66 ) を割り当てました。\n"
            "【重複エラー】 割り当てキー1： A ( 65 ) は、鍵盤No.5に割り当てられています。\n\n");
  EXPECT_EQ(view_.beeps, 1);
  const EditorKey& key6 = editor_.Map().keys[5];
  EXPECT_EQ(key6.caption, "");
  EXPECT_EQ(key6.label, "");
  EXPECT_EQ(key6.slots[0], EditorSlot{});
  EXPECT_EQ(key6.slots[1], (EditorSlot{"66", "B"}));
  EXPECT_EQ(editor_.Map().code_owner[65], 4);

  // Two slots of one key with one code: the later is refused, naming the key itself, and a
  // caption that is the key's own stays.
  editor_.PressKeyInSlot(2, 67, "c");
  editor_.PressKeyInSlot(3, 67, "c");
  editor_.SetCaptionText("C");
  editor_.Commit();
  EXPECT_NE(editor_.Log().find("割り当てキー4： C ( 67 ) は、鍵盤No.7に"), std::string::npos);
  EXPECT_EQ(editor_.Map().keys[6].caption, "C");
  EXPECT_EQ(editor_.Fields().codes[3], "");
  EXPECT_EQ(view_.beeps, 2);
}

TEST_F(KeyMapEditorTest, NamedKeysRefusedKeysAndKeysWithoutCharacters) {
  struct Case {
    int code;
    std::string typed;
    std::string name;
    std::string code_text;
  };
  for (const Case& c : {Case{vk::kBack, "\b", "BS", "8"}, Case{vk::kReturn, "\r", "En", "13"},
                        Case{vk::kShift, "", "Sh", "16"}, Case{222, "é", "É", "222"},
                        Case{vk::kA, "\x01", "", "65"}}) {  // Ctrl+A types no character
    editor_.ClearFields();
    editor_.PressKeyInSlot(1, c.code, c.typed);
    EXPECT_EQ(editor_.Fields().names[1], c.name) << c.code;
    EXPECT_EQ(editor_.Fields().codes[1], c.code_text) << c.code;
  }
  editor_.PressKeyInSlot(1, vk::kBack, "\b");
  EXPECT_EQ(editor_.Fields().caption, "BS");  // a longer name becomes the caption as it is

  for (const auto& [code, typed] : std::vector<std::pair<int, std::string>>{{vk::kSpace, " "},
                                                                            {vk::kLeft, ""},
                                                                            {vk::F(5), ""},
                                                                            {vk::Numpad(3), "3"},
                                                                            {vk::kControl, ""},
                                                                            {vk::kMenu, ""},
                                                                            {vk::kEscape, "\x1b"},
                                                                            {vk::kDelete, ""},
                                                                            {vk::kLWin, ""},
                                                                            {vk::kApps, ""},
                                                                            {vk::F(12), ""},
                                                                            {243, ""}}) {
    editor_.PressKeyInSlot(1, vk::kA, "a");
    editor_.PressKeyInSlot(1, code, typed);
    EXPECT_EQ(editor_.Fields().codes[1], "") << code;
    EXPECT_EQ(editor_.Fields().names[1], "") << code;
  }
  // Page Up types nothing: the code changes, the name stays. A key without a code changes
  // nothing at all.
  editor_.PressKeyInSlot(1, vk::kA, "a");
  editor_.PressKeyInSlot(1, vk::kPrior, "");
  EXPECT_EQ(editor_.Fields().codes[1], "33");
  EXPECT_EQ(editor_.Fields().names[1], "A");
  editor_.PressKeyInSlot(1, 0, "x");
  EXPECT_EQ(editor_.Fields().codes[1], "33");
  EXPECT_EQ(editor_.Fields().names[1], "A");
}

TEST_F(KeyMapEditorTest, CodeBoxAndCaptionBoxRules) {
  editor_.SetCodeText(0, "065");
  EXPECT_EQ(editor_.Fields().codes[0], "65");
  editor_.SetCodeText(0, "256");
  EXPECT_EQ(editor_.Fields().codes[0], "");
  editor_.SetCodeText(0, "-7,2");  // only digits get in
  EXPECT_EQ(editor_.Fields().codes[0], "72");
  editor_.SetNameText(1, "Q");  // a name without a code is emptied
  EXPECT_EQ(editor_.Fields().names[1], "");

  editor_.SetCaptionText("A");
  EXPECT_TRUE(editor_.CaptionTakesKey(false));
  editor_.SetCaptionText("AB");
  EXPECT_FALSE(editor_.CaptionTakesKey(false));
  EXPECT_TRUE(editor_.CaptionTakesKey(true));
  editor_.SetCaptionText("あ");  // one full-width character fills the box
  EXPECT_FALSE(editor_.CaptionTakesKey(false));
  EXPECT_EQ(view_.beeps, 2);
  editor_.SetCaptionText("XYZ");  // pasted text is cut to two characters
  EXPECT_EQ(editor_.Fields().caption, "XY");
  EXPECT_EQ(editor_.Map().keys[0].label, "XY");
}

TEST_F(KeyMapEditorTest, ReadingDropsRandomLinesAndKeepsFourSlotsPerKey) {
  std::string contents = "0\tR\t82\r\n\r\n3\t\"AB\"\t65\r\n";
  for (int code = 70; code < 76; ++code) contents += "7\tK\t" + std::to_string(code) + "\r\n";
  const auto result = editor_.Open(Write("six.keys", contents));
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(editor_.Log(), "【全クリア】 新規作成を実行しました。\n【読み込み完了】" + folder_ +
                               "/six.keys を、正常に読み込みました。\n\n");
  EXPECT_EQ(editor_.LastFolder(), folder_ + "/");
  EXPECT_EQ(editor_.Map().code_owner[82], -1);
  EXPECT_EQ(editor_.Map().keys[2].caption, "AB");
  EXPECT_EQ(editor_.Map().keys[2].slots[0], (EditorSlot{"65", ""}));
  EXPECT_EQ(editor_.Map().code_owner[75], 6);  // the fifth and sixth codes are not shown

  const auto saved = editor_.Save(folder_ + "/out");
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(saved.path, folder_ + "/out.keys");
  EXPECT_EQ(ReadFileBytes(saved.path).value(),
            "3\tAB\t65\r\n7\tK\t70\r\n7\tK\t71\r\n7\tK\t72\r\n7\tK\t73\r\n");
}

TEST_F(KeyMapEditorTest, AFileWithTwelveLinesForAKeyOrACodeAbove255IsRejected) {
  std::string eleven = "1\tQ\t81\r\n";
  for (int code = 100; code < 111; ++code) eleven += "9\t\t" + std::to_string(code) + "\r\n";
  EXPECT_TRUE(editor_.Open(Write("eleven.keys", eleven)).ok);

  for (const std::string& bad : {eleven + "9\t\t120\r\n", std::string("1\tQ\t81\r\n2\tW\t256\r\n"),
                                 std::string("1\tQ\t81\r\n2\tW\r\n")}) {
    const std::string path = Write("bad%1.keys", bad);
    const auto result = editor_.Open(path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error_title, "キー定義ファイル(*.keys)読み込みエラー");
    EXPECT_EQ(result.error_text,
              "キー配置定義ﾌｧｲﾙ(" + path + ")は壊れているか不正です。読み込めませんでした。");
    EXPECT_EQ(editor_.Map().code_owner[81], -1);  // an empty map, not a part of the file
    EXPECT_EQ(editor_.Map().keys[0].caption, "");
    EXPECT_EQ(editor_.Log(), "【全クリア】 新規作成を実行しました。\n");
  }
  // A line the editor drops is not checked: a random line may carry any code.
  EXPECT_TRUE(editor_.Open(Write("random.keys", "0\tR\t300\r\n1\tQ\t81\r\n")).ok);
}

TEST_F(KeyMapEditorTest, SavingWritesKeyBySlotAndAppendsTheExtensionOnlyWhenMissing) {
  editor_.SelectKey(11);
  editor_.PressKeyInSlot(0, 81, "q");
  editor_.PressKeyInSlot(2, 87, "w");
  editor_.SelectKey(1);
  editor_.PressKeyInSlot(3, 69, "e");
  // Save commits the key being edited (key 2) first.
  const auto saved = editor_.Save(folder_ + "/map");
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(ReadFileBytes(folder_ + "/map.keys").value(), "2\tE\t69\r\n12\tQ\t81\r\n12\tQ\t87\r\n");
  EXPECT_TRUE(editor_.Log().ends_with("【書き出し完了】" + folder_ +
                                      "/map.keys を、正常に書き出しました。\n\n"));
  EXPECT_EQ(WithKeysExtension("a/b.KEYS"), "a/b.KEYS");
  EXPECT_EQ(WithKeysExtension("a/b.Keys"), "a/b.Keys");
  EXPECT_EQ(WithKeysExtension("a/mykeys"), "a/mykeys.keys");
  EXPECT_EQ(WithKeysExtension("a/b.txt"), "a/b.txt.keys");

  // A failed write is reported, and the map stays as it was.
  const std::size_t log_size = editor_.Log().size();
  const auto failed = editor_.Save(folder_ + "/no-such-folder/map");
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.error_text, "キー配置定義ﾌｧｲﾙ(" + folder_ +
                                   "/no-such-folder/map.keys)を書き出せませんでした。"
                                   "キー配置は編集中のまま残っています。");
  EXPECT_EQ(editor_.Log().find("no-such-folder", log_size), std::string::npos);
  EXPECT_EQ(editor_.Map().keys[11].slots[2], (EditorSlot{"87", "W"}));
  EXPECT_EQ(editor_.Map().code_owner[69], 1);
}

TEST_F(KeyMapEditorTest, TheMapSavedPlaysTheSameKeysInThePlayer) {
  const std::vector<std::pair<int, std::pair<int, std::string>>> presses{
      {0, {vk::kShift, ""}},    {0, {90, "z"}},         {5, {vk::kBack, "\b"}},
      {5, {vk::kReturn, "\r"}}, {20, {vk::kOem1, ";"}}, {36, {vk::kOem102, "<"}}};
  int slot = 0;
  int last_key = -1;
  for (const auto& [key, press] : presses) {
    slot = key == last_key ? slot + 1 : 0;
    last_key = key;
    editor_.SelectKey(key);
    editor_.PressKeyInSlot(slot, press.first, press.second);
  }
  const auto saved = editor_.Save(folder_ + "/played.keys");
  ASSERT_TRUE(saved.ok);

  PlayerState state;
  state.app.ProgramFolder = folder_;
  testing::FakeRandom random;
  testing::FakeKeyMapNotices notices;
  ASSERT_EQ(LoadKeyMap(state, saved.path, random, notices, notices), KeyMapLoadResult::kLoaded);
  for (int code = 1; code < kEditorCodeCount; ++code) {
    const int owner = editor_.Map().code_owner[code];
    EXPECT_EQ(KeyIndexOf(state.input, code), owner < 0 ? 0 : owner + 7) << code;
  }
  for (int key = 0; key < kEditorKeyCount; ++key) {
    EXPECT_EQ(state.input.KeyLabels[key], editor_.Map().keys[key].caption) << key;
  }
  EXPECT_EQ(KeyIndexOf(state.input, vk::kShift), 7);
  EXPECT_EQ(KeyIndexOf(state.input, vk::kOem102), 43);
}

}  // namespace
}  // namespace kirivane
