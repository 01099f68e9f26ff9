#include "player/performance/file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/fake_key_player.h"
#include "player/performance/performance_file.h"

namespace kirivane {
namespace {

TEST(FileDialogRulesTest, SaveExtensionsFollowTheTypeChosenAndTheStartFolderFollowsShift) {
  // The performance type appends ".lyr" to anything else, even a MIDI name.
  EXPECT_EQ(SavePathWithExtension("/m/take.mid", kSaveFilterLyr), "/m/take.mid.lyr");
  EXPECT_EQ(SavePathWithExtension("/m/Take.LYR", kSaveFilterLyr), "/m/Take.LYR");
  EXPECT_EQ(SavePathWithExtension("/m/take", kSaveFilterLyr), "/m/take.lyr");
  // The MIDI type keeps ".mid" and ".midi" in any case.
  EXPECT_EQ(SavePathWithExtension("/m/take.MIDI", kSaveFilterMidi), "/m/take.MIDI");
  EXPECT_EQ(SavePathWithExtension("/m/take.Mid", kSaveFilterMidi), "/m/take.Mid");
  EXPECT_EQ(SavePathWithExtension("/m/take.lyr", kSaveFilterMidi), "/m/take.lyr.mid");
  EXPECT_EQ(SavePathWithExtension("/m/mid", kSaveFilterMidi), "/m/mid.mid");

  EXPECT_EQ(FolderOf("/home/u/music/a.lyr"), "/home/u/music/");
  EXPECT_EQ(FolderOf("a.lyr"), "");
  EXPECT_EQ(DialogStartFolder("", "/home/u/Documents", "/opt/kv", false), "/home/u/Documents/");
  EXPECT_EQ(DialogStartFolder("/home/u/music/", "/home/u/Documents", "/opt/kv", false),
            "/home/u/music/");
  EXPECT_EQ(DialogStartFolder("/home/u/music/", "/home/u/Documents", "/opt/kv", true), "/opt/kv/");
}

// The dialogs as a person answers them: the save dialog applies the extension rule.
struct ScriptedDialogs : FileCommandsView {
  std::optional<ChosenFile> AskOpenPath(const FileDialogAsk& ask) override {
    asks.push_back(ask);
    return open;
  }
  std::optional<ChosenFile> AskSavePath(const FileDialogAsk& ask) override {
    asks.push_back(ask);
    if (!save) return std::nullopt;
    return ChosenFile{SavePathWithExtension(save->path, save->filter), save->filter};
  }
  std::string DocumentsFolder() override { return documents; }
  std::optional<ChosenFile> open;
  std::optional<ChosenFile> save;
  std::string documents;
  std::vector<FileDialogAsk> asks;
};

class FileCommandsTest : public ::testing::Test, protected testing::FakeKeyPlayer {
 protected:
  FileCommandsTest() : folder(testing::MakeTempDir("file_commands")) {
    dialogs.documents = folder;
    player.files.SetView(&dialogs);
  }
  ~FileCommandsTest() override { std::filesystem::remove_all(folder); }

  std::string folder;
  ScriptedDialogs dialogs;
  FileCommands& files = player.files;
};

TEST_F(FileCommandsTest, SaveWritesByTypeAndAPendingFileIsOpenedAndPlayedOnlyWhenItReads) {
  // Nothing recorded: the error sound and message 324, no dialog.
  files.Save();
  EXPECT_TRUE(dialogs.asks.empty());
  ASSERT_EQ(messages.errors.size(), 1u);
  EXPECT_EQ(sounds.played.back(), kSoundError);

  const std::string lyr =
      "#FileFormatVer=2\r\n#ClockTime=1\r\n#Data=0:60:1:100,250:60:0:0,0:62:1:90,"
      "125:62:0:0,0:60:2:0,\r\n";
  ASSERT_TRUE(LoadPerformanceBytes(state, lyr).replaced);
  const EventTable recorded = state.events;

  // "take" typed with the MIDI type chosen: a MIDI file, and the dialog remembers its folder.
  dialogs.save = ChosenFile{folder + "/take", kSaveFilterMidi};
  files.Save();
  ASSERT_EQ(dialogs.asks.size(), 1u);
  EXPECT_EQ(dialogs.asks[0].start_folder, folder + "/");
  EXPECT_EQ(dialogs.asks[0].filters.size(), 2u);
  EXPECT_TRUE(std::filesystem::exists(folder + "/take.mid"));
  EXPECT_EQ(state.performance.LastFilePath, folder + "/");

  // A file that cannot be read is reported and never plays the performance still in memory.
  state.app.OpenFile = folder + "/missing.lyr";
  state.app.OpenPending = -1;
  ASSERT_TRUE(files.PendingFileReady());
  files.OpenPendingFile();
  EXPECT_EQ(state.performance.Playing, 0);
  EXPECT_TRUE(state.app.OpenFile.empty());
  EXPECT_EQ(state.app.OpenPending, 0);
  EXPECT_EQ(messages.errors.size(), 2u);

  // The MIDI file written comes back with the same notes and times and plays at once.
  state.events = EventTable{};
  state.app.OpenFile = folder + "/take.mid";
  state.app.OpenPending = -1;
  files.OpenPendingFile();
  EXPECT_EQ(state.performance.Playing, -1);
  EXPECT_EQ(state.layout.PanelOpen, -1);  // the strip opened for it
  ASSERT_GE(state.events.EventCount, 4);
  for (int i = 0; i < 4; ++i) {
    const auto at = static_cast<std::size_t>(i);
    EXPECT_EQ(state.events.EvData[at], recorded.EvData[at]) << i;
    EXPECT_EQ(state.events.EvKind[at], recorded.EvKind[at]) << i;
    // MIDI ticks of this tempo are 2.08 ms: the times come back within one tick.
    EXPECT_NEAR(state.events.EvTimeMs[at], recorded.EvTimeMs[at], 2) << i;
  }
  // While it plays, nothing else opens: the WaitTimer waits.
  state.app.OpenFile = folder + "/take.mid";
  state.app.OpenPending = -1;
  EXPECT_FALSE(files.PendingFileReady());
}

TEST_F(FileCommandsTest, OpeningFinishesARecordingFirstAndCancellingChangesNothing) {
  state.performance.LastFilePath = "/kept/";
  files.Open();  // cancelled
  ASSERT_EQ(dialogs.asks.size(), 1u);
  EXPECT_EQ(dialogs.asks[0].filters.size(), 3u);
  EXPECT_EQ(state.performance.LastFilePath, "/kept/");

  player.transport.StartRecording(false, 60);
  midi.KeyNoteOn(24);
  ASSERT_EQ(state.performance.Recording, -1);
  const std::string path = folder + "/song.lyr";
  std::filesystem::copy_file(testing::SourceDir() + "/data/resources/seasonal/_1225.lyr", path);
  dialogs.open = ChosenFile{path, 0};
  files.Open();
  EXPECT_EQ(state.performance.Recording, 0);
  EXPECT_EQ(state.performance.Playing, 0);  // opened, not played
  EXPECT_GT(state.events.EventCount, 50);
  EXPECT_EQ(state.performance.LastFilePath, folder + "/");
}

}  // namespace
}  // namespace kirivane
