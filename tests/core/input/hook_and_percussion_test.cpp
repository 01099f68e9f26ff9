#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/fake_key_player.h"
#include "fakes/test_paths.h"
#include "player/input/hook_switch.h"
#include "player/input/key_map_commands.h"
#include "player/input/percussion_set.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::vector<std::uint8_t>>;

class InputControlsTest : public ::testing::Test, protected testing::FakeKeyPlayer {
 protected:
  InputControlsTest() : percussion_(state, midi, window_, actions) {
    midi.SetKeyboardView(&view);
    auto& lang = state.app.LangTable;
    lang[0] = "Kirivane";
    lang[1] = "Kirivane Drums";
    lang[8] = " [keys from every window]";
    lang[183] = "Hook";
    lang[184] = "Hook off";
    lang[185] = "Hook on";
    lang[284] = "drawing is off";
    lang[318] = "Percussion";
    lang[319] = "Keys now play drums.";
  }
  void LoadMap(const char* name) {
    ASSERT_NE(RunKeyMapCommand(state, ProgramKeyMapPath(state.app.ProgramFolder, name),
                               kWaveKeyMapBuiltIn, random_, notices_, window_, view),
              KeyMapLoadResult::kFatal);
  }

  testing::FakeInputWindow window_;
  testing::FakeKeyHook hook_;
  testing::FakeRandom random_{{0.5}};
  testing::FakeKeyMapNotices notices_;
  PercussionSet percussion_;
};

TEST_F(InputControlsTest, TheHookButtonSwitchesTheHookAndItsLooks) {
  state.input.DrawWhileHooked = 0;
  EXPECT_EQ(Check1_Click(state, hook_, window_, view), HookSwitchResult::kSwitchedOn);
  EXPECT_EQ(state.input.HookActive, -1);
  EXPECT_EQ(hook_.sets, 1);
  EXPECT_FALSE(window_.key_preview);
  EXPECT_EQ(window_.hook_caption, "Hook on");
  EXPECT_EQ(window_.hook_colour, 8229375);
  EXPECT_EQ(state.app.TitleSuffix, " [keys from every window]");
  EXPECT_EQ(view.messages, std::vector<std::string>{"drawing is off"});

  state.layout.DisplayMode = 1;
  EXPECT_EQ(Check1_Click(state, hook_, window_, view), HookSwitchResult::kSwitchedOff);
  EXPECT_EQ(state.input.HookActive, 0);
  EXPECT_EQ(hook_.resets, 1);
  EXPECT_TRUE(window_.key_preview);
  EXPECT_EQ(window_.hook_caption, "Hook");  // the short caption of the small modes
  EXPECT_EQ(window_.hook_colour, 16775912);
  EXPECT_EQ(state.app.TitleSuffix, "");
  EXPECT_EQ(view.redraws, 1);
  EXPECT_EQ(window_.captions, 2);
  EXPECT_EQ(window_.focus, 2);
}

TEST_F(InputControlsTest, AHookThatCannotStartChangesNothing) {
  hook_.available = false;
  EXPECT_EQ(Check1_Click(state, hook_, window_, view), HookSwitchResult::kUnavailable);
  EXPECT_EQ(state.input.HookActive, 0);
  EXPECT_TRUE(window_.key_preview);
  EXPECT_EQ(state.app.TitleSuffix, "");
}

TEST_F(InputControlsTest, ThePercussionSetSendsKeysToChannelTenUntilLeft) {
  LoadMap(kDefaultKeyMapName);
  percussion_.Image16_Click();
  EXPECT_TRUE(state.midi.PercussionSet);
  EXPECT_EQ(state.app.AppTitle, "Kirivane Drums");
  EXPECT_EQ(window_.messages,
            (std::vector<testing::ShownMessage>{{"Keys now play drums.", "Percussion"}}));
  EXPECT_EQ(window_.sounds.back(), 101);
  EXPECT_EQ(window_.lamp_border, 3718655);
  EXPECT_EQ(out.resets, 1);
  EXPECT_EQ(state.performance.PlayInterrupt, 0);
  percussion_.Image16_Click();  // already selected: nothing again
  EXPECT_EQ(window_.messages.size(), 1u);

  out.Clear();
  keys.Form_KeyDown('V', 0);
  keys.Form_KeyUp('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x99, 60, 121}, {0x89, 60, 64}}));

  percussion_.LeavePercussionSet(random_, notices_);
  EXPECT_FALSE(state.midi.PercussionSet);
  EXPECT_FALSE(window_.percussion_picture);
  EXPECT_EQ(state.midi.KeyOutChannel, 1);
  EXPECT_EQ(state.app.AppTitle, "Kirivane");
  EXPECT_EQ(window_.lamp_border, 16750926);
  EXPECT_TRUE(actions.Called("ResendInstrument"));
  out.Clear();
  keys.Form_KeyDown('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x90, 60, 121}}));
}

TEST_F(InputControlsTest, LeavingThePercussionSetLeavesTheRandomKeyMap) {
  LoadMap(kRandomKeyMapName);
  EXPECT_EQ(KeyIndexOf(state.input, 'V'), 25);  // every key drew 0.5
  state.app.TitleSuffix = " (random)";
  state.input.DrumStart = -1;
  percussion_.Image16_Click();
  percussion_.LeavePercussionSet(random_, notices_);
  EXPECT_EQ(state.input.KeyMapFile, ProgramKeyMapPath(state.app.ProgramFolder, "default.keys"));
  EXPECT_EQ(KeyIndexOf(state.input, 'V'), 12);
  EXPECT_EQ(state.app.TitleSuffix, "");
  EXPECT_EQ(state.input.DrumStart, 0);
}

TEST_F(InputControlsTest, LeavingTheSetWithABrokenDefaultKeyMapEndsTheProgram) {
  const std::string folder = testing::MakeTempDir("percussion");
  std::filesystem::copy_file(ProgramKeyMapPath(state.app.ProgramFolder, kRandomKeyMapName),
                             ProgramKeyMapPath(folder, kRandomKeyMapName));
  state.app.ProgramFolder = folder;  // rand.keys beside the program, default.keys gone
  LoadMap(kRandomKeyMapName);
  percussion_.Image16_Click();
  EXPECT_EQ(percussion_.LeavePercussionSet(random_, notices_), KeyMapLoadResult::kFatal);
  EXPECT_EQ(notices_.broken.size(), 1u);
  std::filesystem::remove_all(folder);
}

TEST_F(InputControlsTest, ThePadsPlayTwoDrumsEach) {
  percussion_.Image16_Click();
  out.Clear();
  percussion_.PadMouseDown(7);
  percussion_.PadMouseUp(7);
  percussion_.PadMouseDown(8);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x99, 76, 121},
                                        {0x99, 78, 121},
                                        {0x89, 76, 64},
                                        {0x89, 78, 64},
                                        {0xB0, 121, 0},  // the sound reset after the release
                                        {0xB9, 121, 0},
                                        {0xC9, 0, 0},
                                        {0xC9, 0, 0},
                                        {0xB0, 1, 0},
                                        {0xB9, 1, 0},
                                        {0x99, 63, 121},
                                        {0x99, 64, 121}}));
  EXPECT_EQ(window_.cursors, (std::vector<int>{102, 101, 102}));
}

TEST_F(InputControlsTest, AKeyMapCommandPlaysItsSoundAndShowsTheLabels) {
  LoadMap(kPositionKeyMapName);
  EXPECT_EQ(notices_.checked, KeyMapMenuEntry::kPosition);
  EXPECT_EQ(window_.sounds, std::vector<int>{102});
  EXPECT_EQ(view.redraws, 1);
  state.input.HookActive = -1;
  state.input.DrawWhileHooked = 0;
  LoadMap(kDefaultKeyMapName);
  EXPECT_EQ(view.messages, std::vector<std::string>{"drawing is off"});
  EXPECT_EQ(notices_.checked, KeyMapMenuEntry::kDefault);
}

}  // namespace
}  // namespace kirivane
