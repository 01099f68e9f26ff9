// The layers hold: core files include no Qt header, so core logic builds and is tested without
// Qt; nothing but the programs includes platform/ (the devices reach the rest as interfaces);
// common/ and editor/ include nothing of player/, so the key map editor links the common
// targets alone. A file's layer is the layer of the library that lists it (CMake writes the
// list); every source of the library folders must be listed, and window files carry the
// window's names.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/test_paths.h"

namespace {

// One line of the manifest: "<layer> <target> <path>".
struct ListedFile {
  std::string layer;
  std::string target;
  std::string path;  // relative to the source folder
};

std::vector<ListedFile> ReadManifest(const std::string& file) {
  std::vector<ListedFile> listed;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ListedFile entry;
    if (fields >> entry.layer >> entry.target >> entry.path) listed.push_back(entry);
  }
  return listed;
}

// The quoted or angled includes of a file whose name matches the pattern.
std::vector<std::string> IncludesOf(const std::filesystem::path& file, const std::regex& pattern) {
  static const std::regex include(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
  std::vector<std::string> hits;
  std::ifstream in(file);
  std::string line;
  std::smatch match;
  while (std::getline(in, line)) {
    if (std::regex_search(line, match, include) && std::regex_search(match[1].str(), pattern)) {
      hits.push_back(match[1].str());
    }
  }
  return hits;
}

bool IsSource(const std::filesystem::path& path) {
  return path.extension() == ".cpp" || path.extension() == ".h";
}

bool HasWindowName(const std::string& path) {
  static const std::regex window(R"((_panel|_dialog|_widget|_qt)\.(cpp|h)$|/form1_[^/]*$)");
  return std::regex_search(path, window);
}

// Every source file under the folders, relative to root.
std::vector<std::string> SourcesUnder(const std::string& root,
                                      std::initializer_list<const char*> folders) {
  std::vector<std::string> files;
  for (const char* folder : folders) {
    const auto base = std::filesystem::path(root) / folder;
    if (!std::filesystem::exists(base)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
      if (!IsSource(entry.path())) continue;
      files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
    }
  }
  return files;
}

// Every breach of the layers under root, one line each.
std::vector<std::string> LayerBreaches(const std::string& root,
                                       const std::vector<ListedFile>& listed) {
  static const std::regex qt(R"(^(Q[A-Za-z]|qt))");
  static const std::regex platform(R"(^platform/)");
  static const std::regex player(R"(^player/)");
  std::vector<std::string> breaches;
  auto report = [&](const std::string& path, const std::string& rule,
                    const std::vector<std::string>& hits) {
    for (const auto& hit : hits) breaches.push_back(path + ": " + rule + " " + hit);
  };
  std::set<std::string> known;
  for (const auto& file : listed) {
    known.insert(file.path);
    const auto full = std::filesystem::path(root) / file.path;
    if (file.layer == "core") report(file.path, "core includes Qt:", IncludesOf(full, qt));
    if (file.layer == "ui" && !HasWindowName(file.path)) {
      breaches.push_back(file.path + ": a window file without a window name");
    }
    if (file.layer == "core" && HasWindowName(file.path)) {
      breaches.push_back(file.path + ": a core file with a window name");
    }
  }
  for (const auto& path : SourcesUnder(root, {"common", "editor", "player", "platform"})) {
    if (!known.contains(path)) breaches.push_back(path + ": in no library's source list");
  }
  for (const auto& path : SourcesUnder(
           root, {"common", "editor", "player", "tests/core", "tests/ui", "tests/fakes"})) {
    const auto full = std::filesystem::path(root) / path;
    report(path, "outside programs/ includes", IncludesOf(full, platform));
    if (path.starts_with("common/") || path.starts_with("editor/")) {
      report(path, "common/ and editor/ include nothing of player/:", IncludesOf(full, player));
    }
  }
  return breaches;
}

TEST(Layering, EveryFileKeepsToItsLayer) {
  const auto listed = ReadManifest(KIRIVANE_LAYER_MANIFEST);
  ASSERT_GT(listed.size(), 100u) << "the manifest " << KIRIVANE_LAYER_MANIFEST << " is missing";
  for (const auto& breach : LayerBreaches(kirivane::testing::SourceDir(), listed)) {
    ADD_FAILURE() << breach;
  }
}

TEST(Layering, TheCheckSeesEveryKindOfBreach) {
  const auto dir = kirivane::testing::MakeTempDir("kirivane-layering");
  for (const char* folder : {"player/x", "common/y", "editor", "platform"}) {
    std::filesystem::create_directories(dir + "/" + folder);
  }
  std::ofstream(dir + "/player/x/qt_in_core.cpp") << "#include <QString>\n";
  std::ofstream(dir + "/player/x/fine_panel.cpp") << "#include <QWidget>\n";
  std::ofstream(dir + "/player/x/good.cpp") << "#include <string>\n#include \"player/x/good.h\"\n";
  std::ofstream(dir + "/player/x/uses_device.cpp") << "#include \"platform/sound/sound.h\"\n";
  std::ofstream(dir + "/common/y/reaches_up.h") << "#include \"player/x/good.h\"\n";
  std::ofstream(dir + "/editor/reaches_up.cpp") << "#include \"player/x/good.h\"\n";
  std::ofstream(dir + "/platform/device.cpp") << "#include \"player/x/good.h\"\n";
  std::ofstream(dir + "/player/x/forgotten.cpp") << "\n";
  std::ofstream(dir + "/player/x/unnamed.cpp") << "#include <QWidget>\n";
  const std::vector<ListedFile> listed{
      {"core", "a", "player/x/qt_in_core.cpp"}, {"ui", "b", "player/x/fine_panel.cpp"},
      {"core", "a", "player/x/good.cpp"},       {"core", "a", "player/x/uses_device.cpp"},
      {"core", "c", "common/y/reaches_up.h"},   {"core", "d", "editor/reaches_up.cpp"},
      {"platform", "e", "platform/device.cpp"}, {"ui", "b", "player/x/unnamed.cpp"},
      {"core", "a", "player/x/fine_panel.cpp"},
  };
  auto breaches = LayerBreaches(dir, listed);
  std::sort(breaches.begin(), breaches.end());
  const std::vector<std::string> expected{
      "common/y/reaches_up.h: common/ and editor/ include nothing of player/: player/x/good.h",
      "editor/reaches_up.cpp: common/ and editor/ include nothing of player/: player/x/good.h",
      "player/x/fine_panel.cpp: a core file with a window name",
      "player/x/fine_panel.cpp: core includes Qt: QWidget",
      "player/x/forgotten.cpp: in no library's source list",
      "player/x/qt_in_core.cpp: core includes Qt: QString",
      "player/x/unnamed.cpp: a window file without a window name",
      "player/x/uses_device.cpp: outside programs/ includes platform/sound/sound.h",
  };
  EXPECT_EQ(breaches, expected);
  std::filesystem::remove_all(dir);
}

}  // namespace
