#include "player/layout/side_panels.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_sounds.h"

namespace kirivane {
namespace {

class FakeSideView : public SidePanelsView {
 public:
  void ShowTransportControls(bool shown, bool) override { controls_shown = shown; }
  void ShowPlayPanelFrame(const PlayPanelFrame& frame) override { frames.push_back(frame); }
  void ShowScore(const ScoreNoteChoice& choice) override {
    picture = choice.picture;
    note_text = choice.note_text;
    note = choice.note;
  }
  void SetVersionLabels(const std::string& text) override { labels = text; }

  bool controls_shown = false;
  std::vector<PlayPanelFrame> frames;
  std::string picture = "none";
  std::string note_text;
  std::string labels;
  int note = -2;
};

class SidePanelsTest : public ::testing::Test {
 protected:
  PlayerState state;
  testing::FakeMidiOut out;
  testing::FakeClock clock;
  MidiMode midi{state, out};
  testing::FakeSounds sounds;
  FakeSideView view;
  SidePanels panels{state, midi, clock, sounds};
  void SetUp() override { panels.SetView(&view); }
};

TEST_F(SidePanelsTest, ThePlayPanelCannotCloseWhileRecording) {
  state.layout.EffectOn = 1;
  ASSERT_TRUE(panels.TogglePlayPanel());  // opening is fine, recording or not
  EXPECT_EQ(state.layout.PanelOpen, -1);
  EXPECT_TRUE(view.controls_shown);
  EXPECT_EQ(view.frames.back(), (PlayPanelFrame{164, 551, {86, 490, 306, 67}, 0}));
  EXPECT_EQ(sounds.played, std::vector<int>{kSoundPanel});

  state.performance.Recording = -1;
  view = FakeSideView{};
  sounds.played.clear();
  const std::uint32_t before = clock.now_ms;
  EXPECT_FALSE(panels.TogglePlayPanel());
  EXPECT_EQ(state.layout.PanelOpen, -1);
  EXPECT_TRUE(view.frames.empty());
  EXPECT_TRUE(sounds.played.empty());
  EXPECT_EQ(clock.now_ms, before);

  // Once the recording has stopped it closes, in five frames that pause 60 ms together.
  state.performance.Recording = 0;
  ASSERT_TRUE(panels.TogglePlayPanel());
  EXPECT_EQ(state.layout.PanelOpen, 0);
  EXPECT_FALSE(view.controls_shown);
  ASSERT_EQ(view.frames.size(), 5u);
  EXPECT_EQ(view.frames.back(), (PlayPanelFrame{165, 499, {18, 490, 433, 15}, 0}));
  EXPECT_EQ(clock.now_ms - before, 60u);
}

TEST_F(SidePanelsTest, TheScoreShowsTheNotesOwnPictureAndName) {
  // Pictures come from the first folder that exists, PNG before GIF before JPEG.
  const std::set<std::string> files{"/img/",         "/img/s000.gif", "/img/s060.png",
                                    "/img/s060.jpg", "/img/s128.gif", "/img/n000.jpg"};
  const auto exists = [&](const std::string& path) { return files.count(path) > 0; };
  panels.SetPictures(LoadNotePictures({"/mine/", "/img/"}, exists));
  EXPECT_EQ(panels.Pictures().ScorePictures[60], "/img/s060.png");
  EXPECT_EQ(panels.Pictures().NotePictures[0][0], "/img/n000.jpg");
  EXPECT_TRUE(LoadNotePictures({"/none/"}, exists).ScorePictures[0].empty());

  state.layout.DisplayMode = 0;
  state.app.EnglishUI = 1;
  panels.ShowScoreNote(59);  // callers pass the note minus one
  EXPECT_EQ(view.picture, "/img/s060.png");
  EXPECT_EQ(view.note_text, " C");
  EXPECT_EQ(view.labels, " C4-60");
  state.app.EnglishUI = 0;
  state.display.C3To60 = 1;
  panels.ShowScoreNote(60);  // no picture of its own: the default, without text
  EXPECT_EQ(view.picture, "/img/s000.gif");
  EXPECT_EQ(view.note_text, "");
  EXPECT_EQ(view.labels, "C#3-61");
  panels.ShowScoreNote(127);  // note 0 arrives as 127
  EXPECT_EQ(view.picture, "/img/s128.gif");
  EXPECT_EQ(view.note_text, "  ﾄﾞ");
  EXPECT_EQ(view.labels, " C-2-0");
  panels.ShowScoreNote(0);  // the reset: the empty staff, labels kept
  EXPECT_EQ(view.picture, "/img/s000.gif");
  EXPECT_EQ(view.note_text, "");
  EXPECT_EQ(view.labels, " C-2-0");
  state.layout.EffectOn = 0;
  panels.ShowScoreNote(59);
  EXPECT_EQ(view.picture, "/img/s000.gif");
}

}  // namespace
}  // namespace kirivane
