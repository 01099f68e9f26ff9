#include "player/state/language_table.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/basic/code_page.h"
#include "common/basic/text_file.h"

namespace kirivane {
namespace {

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  std::size_t at = 0;
  while ((at = text.find(from, at)) != std::string::npos) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

}  // namespace

std::string LanguageFilePath(const std::string& program_folder, int language) {
  return program_folder + "/" + (language > 0 ? kEnglishLangFile : kJapaneseLangFile);
}

std::string HelpFilePath(const std::string& program_folder, int english_ui) {
  return program_folder + (english_ui == 1 ? "/help_en.html" : "/help_ja.html");
}

void FillLangTable(const std::vector<std::string>& lines, AppState& app) {
  app.LangTable.assign(kLangEntryCount, std::string());
  const std::size_t count = std::min<std::size_t>(lines.size(), kLangLinesRead);
  for (std::size_t i = 0; i < count; ++i) {
    if (!lines[i].empty()) app.LangTable[i] = ReplaceAll(lines[i], "\\n", "\r\n");
  }
}

bool LoadLanguage(const std::string& program_folder, int language, AppState& app) {
  app.EnglishUI = language > 0 ? 1 : 0;
  app.LangTable.assign(kLangEntryCount, std::string());
  const std::optional<std::string> bytes =
      ReadFileBytes(LanguageFilePath(program_folder, language));
  if (!bytes) return false;
  FillLangTable(SplitLines(DecodeToUtf8(WithoutUtf8Mark(*bytes))), app);
  return true;
}

int LoadStartLanguage(const std::string& program_folder, int language, AppState& app) {
  const int chosen = language > 0 ? 1 : 0;
  for (const int candidate : {chosen, 1 - chosen}) {
    if (LoadLanguage(program_folder, candidate, app)) return candidate;
  }
  return -1;
}

std::string LangText(const std::vector<std::string>& table, int n) {
  if (n < 0 || static_cast<std::size_t>(n) >= table.size()) return std::string();
  return table[static_cast<std::size_t>(n)];
}

std::string LangText(const AppState& app, int n) {
  return LangText(app.LangTable, n);
}

std::string ReplacePlaceholder(std::string text, std::string_view value) {
  return ReplaceAll(std::move(text), "%1", value);
}

}  // namespace kirivane
