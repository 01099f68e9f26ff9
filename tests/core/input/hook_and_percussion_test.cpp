#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/fake_key_player.h"
#include "fakes/fake_midi_hooks.h"
#include "fakes/test_paths.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::vector<std::uint8_t>>;

// What the hook button and the percussion panel were asked to show.
struct InputPanels : HookView, PercussionView {
  void SetHookButton(const std::string& caption, int back_colour) override {
    hook_caption = caption;
    hook_colour = back_colour;
  }
  void ShowPercussionPicture(bool shown) override { percussion_picture = shown; }
  void SetPadCursor(int cursor_resource) override { cursors.push_back(cursor_resource); }
  std::string hook_caption;
  int hook_colour = 0;
  bool percussion_picture = false;
  std::vector<int> cursors;
};

class InputControlsTest : public ::testing::Test, protected testing::FakeKeyPlayer {
 protected:
  InputControlsTest() {
    random = testing::FakeRandom({0.5});
    player.hook.SetView(&panels);
    player.percussion.SetView(&panels);
    player.midi.SetLampView(&lamp);
    player.key_maps.SetView(&key_map_view);
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
    ASSERT_NE(player.key_maps.LoadBuiltIn(name), KeyMapLoadResult::kFatal);
  }
  bool Printed(const std::string& text) const {
    return std::any_of(surface.texts.begin(), surface.texts.end(),
                       [&](const auto& printed) { return printed.text == text; });
  }

  InputPanels panels;
  testing::FakeLampView lamp;
};

TEST_F(InputControlsTest, TheHookButtonSwitchesTheHookAndItsLooks) {
  state.input.DrawWhileHooked = 0;
  player.hook.ToggleHook();
  EXPECT_EQ(state.input.HookActive, -1);
  EXPECT_EQ(hook.sets, 1);
  EXPECT_FALSE(window.key_preview);
  EXPECT_EQ(panels.hook_caption, "Hook on");
  EXPECT_EQ(panels.hook_colour, 8229375);
  EXPECT_EQ(state.app.TitleSuffix, " [keys from every window]");
  EXPECT_TRUE(Printed("drawing is off"));

  state.layout.DisplayMode = 1;
  surface.Forget();
  player.hook.ToggleHook();
  EXPECT_EQ(state.input.HookActive, 0);
  EXPECT_EQ(hook.resets, 1);
  EXPECT_TRUE(window.key_preview);
  EXPECT_EQ(panels.hook_caption, "Hook");  // the short caption of the small modes
  EXPECT_EQ(panels.hook_colour, 16775912);
  EXPECT_EQ(state.app.TitleSuffix, "");
  EXPECT_FALSE(surface.copies.empty());  // the keyboard drawn again
  EXPECT_EQ(window.captions, 2);
  EXPECT_EQ(window.focus, 2);
}

TEST_F(InputControlsTest, AHookThatCannotStartChangesNothingAndSaysWhy) {
  hook.available = false;
  player.hook.ToggleHook();
  EXPECT_EQ(state.input.HookActive, 0);
  EXPECT_TRUE(window.key_preview);
  EXPECT_EQ(state.app.TitleSuffix, "");
  EXPECT_EQ(messages.errors, (std::vector<testing::ShownMessage>{{"no hook here", "", false}}));
}

TEST_F(InputControlsTest, ThePercussionSetSendsKeysToChannelTenUntilLeft) {
  LoadMap(kDefaultKeyMapName);
  player.percussion.EnterPercussionSet();
  EXPECT_TRUE(state.midi.PercussionSet);
  EXPECT_EQ(state.app.AppTitle, "Kirivane Drums");
  EXPECT_EQ(messages.information,
            (std::vector<testing::ShownMessage>{{"Keys now play drums.", "Percussion"}}));
  EXPECT_EQ(sounds.played.back(), 101);
  EXPECT_EQ(lamp.lamp_border, 3718655);
  EXPECT_TRUE(panels.percussion_picture);
  EXPECT_EQ(out.resets, 1);
  EXPECT_EQ(state.performance.PlayInterrupt, 0);
  player.percussion.EnterPercussionSet();  // already selected: nothing again
  EXPECT_EQ(messages.information.size(), 1u);

  out.Clear();
  keys.Form_KeyDown('V', 0);
  keys.Form_KeyUp('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x99, 60, 121}, {0x89, 60, 64}}));

  out.Clear();
  state.midi.SelectedProgram = 3;
  keys.Form_KeyDown('V', 0);  // held while the set is left: its drum must not keep sounding
  player.percussion.LeavePercussionSet();
  const Bytes sent = out.ShortMessages();
  EXPECT_NE(std::find_if(sent.begin() + 1, sent.end(),
                         [](const auto& m) { return m[0] == 0x89 && m[1] == 60; }),
            sent.end());
  EXPECT_FALSE(state.midi.PercussionSet);
  EXPECT_FALSE(panels.percussion_picture);
  EXPECT_EQ(state.midi.KeyOutChannel, 1);
  EXPECT_EQ(state.app.AppTitle, "Kirivane");
  EXPECT_EQ(lamp.lamp_border, 16750926);
  EXPECT_EQ(out.ShortMessages().back(), (std::vector<std::uint8_t>{0xC0, 3, 0}));  // resent
  keys.Form_KeyUp('V', 0);
  out.Clear();
  keys.Form_KeyDown('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x90, 60, 121}}));
}

TEST_F(InputControlsTest, LeavingThePercussionSetLeavesTheRandomKeyMap) {
  LoadMap(kRandomKeyMapName);
  EXPECT_EQ(KeyIndexOf(state.input, 'V'), 25);  // every key drew 0.5
  state.app.TitleSuffix = " (random)";
  state.input.DrumStart = -1;
  player.percussion.EnterPercussionSet();
  player.percussion.LeavePercussionSet();
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
  player.percussion.EnterPercussionSet();
  EXPECT_EQ(player.percussion.LeavePercussionSet(), KeyMapLoadResult::kFatal);
  ASSERT_EQ(messages.errors.size(), 2u);  // the default map is missing, so it is broken
  EXPECT_FALSE(messages.errors[0].critical);
  EXPECT_TRUE(messages.errors[1].critical);
  EXPECT_TRUE(window.Called("CloseProgram"));
  EXPECT_TRUE(state.midi.PercussionSet);  // the rest is left undone
  std::filesystem::remove_all(folder);
}

TEST_F(InputControlsTest, ThePadsPlayTwoDrumsEach) {
  player.percussion.EnterPercussionSet();
  out.Clear();
  player.percussion.PadMouseDown(7);
  player.percussion.PadMouseUp(7);
  player.percussion.PadMouseDown(8);
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
  EXPECT_EQ(panels.cursors, (std::vector<int>{102, 101, 102}));
}

TEST_F(InputControlsTest, AKeyMapCommandPlaysItsSoundAndShowsTheLabels) {
  LoadMap(kPositionKeyMapName);
  EXPECT_EQ(key_map_view.checked, KeyMapMenuEntry::kPosition);
  EXPECT_EQ(sounds.played, std::vector<int>{102});
  EXPECT_FALSE(surface.copies.empty());
  state.input.HookActive = -1;
  state.input.DrawWhileHooked = 0;
  LoadMap(kDefaultKeyMapName);
  EXPECT_TRUE(Printed("drawing is off"));
  EXPECT_EQ(key_map_view.checked, KeyMapMenuEntry::kDefault);
}

}  // namespace
}  // namespace kirivane
