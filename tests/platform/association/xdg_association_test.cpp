// The ".lyr" registration written into a temporary XDG home and read back by the desktop's own
// tools: xdg-mime names the default application, and gio (what file managers use) opens a
// ".lyr" file with this program.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/basic/text_file.h"
#include "fakes/test_paths.h"
#include "platform/association/xdg_file_association.h"

namespace kirivane {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Output of a shell command.
std::string Output(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  pclose(pipe);
  return output;
}

bool Installed(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null").c_str()) == 0;
}

class XdgHome : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"xdg-mime", "gio", "update-mime-database", "update-desktop-database",
                             "desktop-file-validate"}) {
      ASSERT_TRUE(Installed(tool)) << tool << " is missing: run scripts/setup.sh";
    }
    dir_ = testing::MakeTempDir("kirivane-xdg");
    program_ = dir_ + "/my apps/kirivane";  // a blank in the folder, as users have them
    fs::create_directories(dir_ + "/my apps");
    // Stands in for the player: notes the file it was started with.
    std::ofstream(program_) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/opened\"\n";
    fs::permissions(program_, fs::perms::owner_all);
    dirs_ = XdgDirsOf(dir_, dir_ + "/data", dir_ + "/config", "/usr/share", "/etc/xdg", "");
    fs::create_directories(dir_ + "/config");
    std::ofstream(dir_ + "/config/mimeapps.list")
        << "[Default Applications]\ntext/html=browser.desktop\n";
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A command run in the temporary home, with no desktop of its own.
  std::string InHome(const std::string& command) const {
    return Output(
        "env -i PATH=\"$PATH\" HOME=" + Quoted(dir_) + " XDG_DATA_HOME=" + Quoted(dir_ + "/data") +
        " XDG_CONFIG_HOME=" + Quoted(dir_ + "/config") + " XDG_DATA_DIRS=/usr/share " + command);
  }
  std::string Opened() const {
    for (int i = 0; i < 100 && !fs::exists(dir_ + "/my apps/opened"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ReadFileBytes(dir_ + "/my apps/opened").value_or("");
  }

  std::string dir_;
  std::string program_;
  XdgDirs dirs_;
  AssociationTexts texts_{"Kirivane", "Play music on your computer keyboard.",
                          "Kirivane performance"};
};

TEST_F(XdgHome, RegisteringMakesTheDesktopOpenLyrFilesWithThisProgramAndRemovingUndoesIt) {
  XdgFileAssociation ours(dirs_, program_, texts_);
  EXPECT_FALSE(ours.IsAssociated());
  ASSERT_TRUE(ours.CreateAssociation());
  EXPECT_TRUE(ours.IsAssociated());
  EXPECT_FALSE(XdgFileAssociation(dirs_, dir_ + "/other/kirivane", texts_).IsAssociated());

  EXPECT_EQ(InHome("xdg-mime query default text/lyr"), "kirivane.desktop\n");
  EXPECT_NE(ReadFileBytes(dir_ + "/data/mime/globs2").value_or("").find("text/lyr:*.lyr"),
            std::string::npos);
  EXPECT_EQ(Output("desktop-file-validate " + Quoted(DesktopEntryPath(dirs_)) + " | grep error:"),
            "");
  const std::string song = dir_ + "/song.lyr";
  std::ofstream(song) << "#FileFormatVer=2\r\n#ClockTime=12\r\n";
  InHome("gio open " + Quoted(song));
  EXPECT_EQ(Opened(), song + "\n");

  ASSERT_TRUE(ours.RemoveAssociation());
  EXPECT_FALSE(ours.IsAssociated());
  EXPECT_EQ(InHome("xdg-mime query default text/lyr"), "");
  EXPECT_FALSE(fs::exists(DesktopEntryPath(dirs_)));
  EXPECT_EQ(ReadFileBytes(MimeAppsPath(dirs_)),
            "[Default Applications]\ntext/html=browser.desktop\n");
}

}  // namespace
}  // namespace kirivane
