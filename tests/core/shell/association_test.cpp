#include <gtest/gtest.h>

#include <map>

#include "player/shell/about_box_model.h"
#include "player/shell/xdg_association_files.h"

namespace kirivane {
namespace {

constexpr const char* kProgram = "/opt/kirivane/kirivane";

// What the disk would hold after this program registered itself, and nothing else.
struct Disk {
  std::optional<std::string> package = MimePackageText("Kirivane performance");
  std::vector<std::string> lists{WithOurDefault("")};
  std::map<std::string, std::string> entries{
      {kDesktopId, *DesktopEntryText(kProgram, "Kirivane", "")}};

  bool Associated() const {
    AssociationSnapshot snapshot{
        package, lists, [this](const std::string& id) {
          const auto found = entries.find(id);
          return found == entries.end() ? std::nullopt : std::optional<std::string>(found->second);
        }};
    return IsOurAssociation(snapshot, kProgram);
  }
};

TEST(XdgAssociation, OnlyThisProgramInThisFolderReadsAsAssociated) {
  EXPECT_TRUE(Disk().Associated());

  Disk other_program;
  other_program.lists[0] = "[Default Applications]\ntext/lyr=editor.desktop;kirivane.desktop;\n";
  other_program.entries["editor.desktop"] = "[Desktop Entry]\nType=Application\nExec=ed %f\n";
  EXPECT_FALSE(other_program.Associated());
  other_program.entries.erase("editor.desktop");  // named but not installed: skipped
  EXPECT_TRUE(other_program.Associated());

  Disk other_folder;
  other_folder.entries[kDesktopId] = *DesktopEntryText("/usr/bin/kirivane", "Kirivane", "");
  EXPECT_FALSE(other_folder.Associated());

  Disk without_file;
  without_file.entries[kDesktopId] =
      "[Desktop Entry]\nType=Application\nExec=" + std::string(kProgram) + "\n";
  EXPECT_FALSE(without_file.Associated()) << "would start the program without the file";

  Disk hidden;
  hidden.entries[kDesktopId] += "Hidden=true\n";
  EXPECT_FALSE(hidden.Associated());

  Disk no_type;
  no_type.package.reset();
  EXPECT_FALSE(no_type.Associated());
  no_type.package = MimePackageText("x");
  no_type.package->replace(no_type.package->find("*.lyr"), 5, "*.lyx");
  EXPECT_FALSE(no_type.Associated());

  Disk desktop_override;  // a desktop's own list comes first and names another program
  desktop_override.lists.insert(desktop_override.lists.begin(),
                                "[Default Applications]\ntext/lyr=editor.desktop\n");
  desktop_override.entries["editor.desktop"] = "[Desktop Entry]\nType=Application\nExec=ed %f";
  EXPECT_FALSE(desktop_override.Associated());
}

TEST(XdgAssociation, TheExecLineSurvivesAwkwardFolders) {
  const std::string awkward = "/home/me/My \"Apps\" $HOME/50%/back\\slash/`x`/kirivane";
  const auto entry = DesktopEntryText(awkward, "Kirivane", "Play\r\nmusic");
  ASSERT_TRUE(entry);
  EXPECT_NE(entry->find("Comment=Play music\n"), std::string::npos);
  EXPECT_TRUE(DesktopEntryStarts(*entry, awkward));
  EXPECT_TRUE(
      DesktopEntryStarts(*entry, "/home/me/My \"Apps\" $HOME/50%/back\\slash/`x`/./kirivane"));
  EXPECT_FALSE(DesktopEntryStarts(*entry, "/home/me/My/kirivane"));
  EXPECT_EQ(ExecArguments(R"("/a b/c\"d" %f)"), (std::vector<std::string>{"/a b/c\"d", "%f"}));
  EXPECT_FALSE(DesktopEntryText("relative/kirivane", "K", ""));
  EXPECT_FALSE(DesktopEntryText("/bad\xFF/kirivane", "K", ""));
  EXPECT_FALSE(DesktopEntryText("/new\nline/kirivane", "K", ""));
}

TEST(XdgAssociation, MimeAppsEditsTouchOnlyThisProgramsEntries) {
  const std::string before =
      "# mine\n[Default Applications]\ntext/html=browser.desktop\nText/Lyr = editor.desktop;\n\n"
      "[Removed Associations]\ntext/lyr=kirivane.desktop;other.desktop;\n";
  const std::string with = WithOurDefault(before);
  EXPECT_EQ(with,
            "# mine\n[Default Applications]\ntext/html=browser.desktop\n"
            "Text/Lyr=kirivane.desktop;editor.desktop;\n\n"
            "[Removed Associations]\ntext/lyr=other.desktop;\n\n"
            "[Added Associations]\ntext/lyr=kirivane.desktop;\n");
  EXPECT_EQ(DefaultApplications(with, "text/lyr"),
            (std::vector<std::string>{"kirivane.desktop", "editor.desktop"}));
  EXPECT_EQ(WithOurDefault(with), with) << "registering twice changes nothing";
  EXPECT_EQ(WithoutOurEntries(with),
            "# mine\n[Default Applications]\ntext/html=browser.desktop\n"
            "Text/Lyr=editor.desktop;\n\n"
            "[Removed Associations]\ntext/lyr=other.desktop;\n");
}

TEST(XdgAssociation, FoldersComeFromTheEnvironmentWithTheirDefaults) {
  const XdgDirs defaults = XdgDirsOf("/home/me", "", "relative", "", "", "");
  EXPECT_EQ(defaults.data_home, "/home/me/.local/share");
  EXPECT_EQ(defaults.config_home, "/home/me/.config");
  EXPECT_EQ(defaults.data_dirs, (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
  const XdgDirs set = XdgDirsOf("/home/me", "/d/", "/c", "/x:rel:/y/", "/e", "KDE:GNOME");
  EXPECT_EQ(DesktopEntryPath(set), "/d/applications/kirivane.desktop");
  EXPECT_EQ(MimePackagePath(set), "/d/mime/packages/kirivane-lyr.xml");
  EXPECT_EQ(MimeAppsPath(set), "/c/mimeapps.list");
  EXPECT_EQ(set.data_dirs, (std::vector<std::string>{"/x", "/y"}));
  const auto lists = MimeAppsSearchPaths(set);
  ASSERT_GE(lists.size(), 3u);
  EXPECT_EQ(lists[0], "/c/kde-mimeapps.list");
  EXPECT_EQ(lists[2], "/c/mimeapps.list");
}

class FakeAssociation : public FileAssociation {
 public:
  bool IsAssociated() override { return registered; }
  bool CreateAssociation() override {
    registered = registered || works;
    return writable;
  }
  bool RemoveAssociation() override {
    registered = registered && !works;
    return writable;
  }
  bool registered = false;
  bool works = true;
  bool writable = true;
};

TEST(AboutBox, TheBoxFollowsTheRegistrationAndComesBackAfterAFailure) {
  AppState app;
  app.LangTable[192] = "Open .lyr here";
  app.LangTable[193] = "Open .lyr here (registered)";
  app.LangTable[327] = "File association";
  app.LangTable[328] = "Could not";
  FakeAssociation association;
  AboutBoxModel model(app, association);
  EXPECT_FALSE(model.Initial().checked);

  AssociationBox box = model.Changed(true);
  EXPECT_TRUE(box.checked);
  EXPECT_EQ(box.caption, "Open .lyr here (registered)");
  EXPECT_FALSE(box.error_text);
  box = model.Changed(false);
  EXPECT_FALSE(box.checked);
  EXPECT_EQ(box.caption, "Open .lyr here");

  association.works = false;  // written, but the desktop still opens .lyr elsewhere
  box = model.Changed(true);
  EXPECT_FALSE(box.checked);
  EXPECT_EQ(box.error_text, "Could not");
  EXPECT_EQ(box.error_title, "File association");

  association.works = true;
  association.writable = false;
  EXPECT_TRUE(model.Changed(true).error_text) << "a failed write is no success";
}

}  // namespace
}  // namespace kirivane
