// The core layer is standard C++ only: no core source may include a Qt header, so that core
// logic builds and is tested without Qt. Widget files are recognised by their names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "fakes/test_paths.h"

namespace {

bool IsWidgetFile(const std::string& path) {
  static const std::regex widget(R"((_panel|_dialog|_widget|_qt)\.(cpp|h)$|/form1_[^/]*$)");
  return std::regex_search(path, widget);
}

std::vector<std::string> QtIncludesOf(const std::filesystem::path& file) {
  static const std::regex qt_include(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]|qt)[^>"]*[>"])");
  std::vector<std::string> hits;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (std::regex_search(line, qt_include)) hits.push_back(line);
  }
  return hits;
}

std::vector<std::string> CoreFilesIncludingQt(const std::string& root) {
  std::vector<std::string> offenders;
  for (const char* folder : {"common", "player", "editor"}) {
    const auto base = std::filesystem::path(root) / folder;
    if (!std::filesystem::exists(base)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
      const std::string path = entry.path().generic_string();
      const auto ext = entry.path().extension();
      if ((ext != ".cpp" && ext != ".h") || IsWidgetFile(path)) continue;
      for (const auto& line : QtIncludesOf(entry.path())) offenders.push_back(path + ": " + line);
    }
  }
  return offenders;
}

TEST(Layering, NoCoreSourceIncludesQt) {
  const auto offenders = CoreFilesIncludingQt(kirivane::testing::SourceDir());
  for (const auto& offender : offenders) ADD_FAILURE() << offender;
}

TEST(Layering, TheCheckSeesAQtInclude) {
  const auto dir = kirivane::testing::MakeTempDir("kirivane-layering");
  std::filesystem::create_directories(dir + "/player/x");
  std::ofstream(dir + "/player/x/bad.cpp") << "#include <QString>\n";
  std::ofstream(dir + "/player/x/fine_panel.cpp") << "#include <QWidget>\n";
  std::ofstream(dir + "/player/x/good.cpp") << "#include <string>\n";
  const auto offenders = CoreFilesIncludingQt(dir);
  ASSERT_EQ(offenders.size(), 1u);
  EXPECT_NE(offenders[0].find("bad.cpp"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
