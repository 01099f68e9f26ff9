// Every writer of the program under a failing file system: a folder it may not write to and a
// full disk (a file size limit, so that no privilege is needed). The previous file must stay as
// it was, the writer must say it failed, and no temporary file may stay behind. Each write runs
// in a child process, which takes the limit or the other user with it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/basic/text_file.h"
#include "common/keymap/keymap_format.h"
#include "editor/editor_key_map.h"
#include "fakes/test_paths.h"
#include "player/performance/performance_file.h"
#include "player/settings/settings_file.h"
#include "player/smf/midi_writer.h"

namespace kirivane {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// A writer: writes its file at the path and says whether it succeeded.
struct Writer {
  std::string name;  // the file written
  std::function<bool(const std::string&)> write;
};

PlayerState PerformanceState() {
  PlayerState state;
  const auto bytes = ReadFileBytes(testing::SourceDir() + "/fuzz/corpus/lyr/middle_c.lyr");
  EXPECT_TRUE(bytes && LoadPerformanceBytes(state, *bytes).replaced);
  return state;
}

std::vector<Writer> EveryWriter() {
  const PlayerState performance = PerformanceState();
  EditorKeyMap clavimap;
  clavimap.keys[0].caption = "ド";
  clavimap.keys[0].slots[0].code = "65";
  clavimap.keys[1].slots[0].code = "66";
  return {
      {"kirivane.ini",
       [](const std::string& path) {
         PlayerState state;
         return SaveSettingsFile(path, state, {});
       }},
      {"player.keys",
       [](const std::string& path) {
         return WriteKeyMapFile(path, {{1, "A", 65}, {2, "B", 66}});
       }},
      {"clavimap.keys",
       [clavimap](const std::string& path) { return WriteEditorKeyMap(path, clavimap); }},
      {"song.lyr",
       [performance](const std::string& path) {
         return !WritePerformanceFile(performance, path, 0).has_value();
       }},
      {"song.mid",
       [performance](const std::string& path) {
         PlayerState state = performance;
         return !WriteMidiFile(state, path, 0).has_value();
       }},
      {"render.wav",  // written piece by piece, as a WAVE render is
       [](const std::string& path) {
         AtomicFileWriter file(path);
         const std::string block(4096, 'w');
         for (int i = 0; i < 16; ++i) file.Write(block.data(), block.size());
         return file.Good() && file.Commit();
       }},
  };
}

// Runs the write in a child process prepared by `fault`; the child's exit status says whether
// the writer reported the failure (0) or claimed success (1).
int WriteInChild(const Writer& writer, const std::string& path,
                 const std::function<void()>& fault) {
  const pid_t child = fork();
  if (child == 0) {
    fault();
    _exit(writer.write(path) ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

void ExpectPreviousFileKept(const Writer& writer, const std::function<void()>& fault,
                            const std::function<void(const std::string&)>& lock_folder) {
  SCOPED_TRACE(writer.name);
  const std::string folder = testing::MakeTempDir("write-faults");
  const std::string path = folder + "/" + writer.name;
  const std::string previous = "the previous file, which must survive\r\n";
  ASSERT_TRUE(WriteFileAtomically(path, previous));
  lock_folder(folder);
  EXPECT_EQ(WriteInChild(writer, path, fault), 0);
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(ReadFileBytes(path), previous);
  EXPECT_EQ(FolderNames(folder), std::vector<std::string>{writer.name});
  fs::remove_all(folder);
}

TEST(WriteFaults, EveryWriterKeepsThePreviousFileAndSaysItFailed) {
  // A full disk: no file may grow past 8 bytes, and the write fails (EFBIG) instead of the
  // process being killed.
  const auto full_disk = [] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{8, 8};
    setrlimit(RLIMIT_FSIZE, &limit);
  };
  // A folder the writer may not create files in, while the file itself is the writer's own (as
  // root, which may write anywhere, the write runs as nobody).
  const bool root = geteuid() == 0;
  const auto other_user = [root] {
    if (root && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
  };
  const auto read_only = [root](const std::string& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (root) ASSERT_EQ(chown(entry.path().c_str(), kNobody, kNobody), 0);
    }
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
  };
  for (const Writer& writer : EveryWriter()) {
    ExpectPreviousFileKept(writer, full_disk, [](const std::string&) {});
    ExpectPreviousFileKept(writer, other_user, read_only);
  }
}

TEST(WriteFaults, TemporaryFilesOfEndedWritersAreRemoved) {
  const std::string folder = testing::MakeTempDir("stale-temporary");
  // A process that has ended, one that runs (this one's parent) and this one.
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);
  const std::string gone = std::to_string(ended);
  const std::string running = std::to_string(getppid());
  const std::string own = std::to_string(getpid());
  const std::vector<std::string> names = {TemporaryFileName("a.lyr", gone, 1),
                                          TemporaryFileName("b.mid", gone, 2),
                                          TemporaryFileName("a.lyr", running, 3),
                                          TemporaryFileName("a.lyr", own, 4),
                                          ".a.lyr.tmp123",  // not one of ours: left alone
                                          "a.lyr",
                                          ".a.lyr.kirivane-" + gone + "-x.tmp"};
  for (const auto& name : names) ASSERT_TRUE(WriteFileAtomically(folder + "/" + name, "x"));
  EXPECT_EQ(TemporaryFileWriter(names[0]), gone);
  EXPECT_FALSE(TemporaryFileWriter(names.back()));

  // A write of a.lyr clears what earlier writes of a.lyr left, and nothing else.
  ASSERT_TRUE(WriteFileAtomically(folder + "/a.lyr", "new"));
  EXPECT_FALSE(fs::exists(folder + "/" + names[0]));
  EXPECT_TRUE(fs::exists(folder + "/" + names[1]));
  // A start clears the whole folder.
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder), 1);
  EXPECT_FALSE(fs::exists(folder + "/" + names[1]));
  for (std::size_t i = 2; i < names.size(); ++i) EXPECT_TRUE(fs::exists(folder + "/" + names[i]));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace kirivane
